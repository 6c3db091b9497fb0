#include "tools/sfx_options.h"

#include <algorithm>

#include "fileio/safe_file.h"
#include "generator/csv_text.h"
#include "generator/presets.h"
#include "tools/render_set.h"

namespace zu::sfx {
namespace {

// --- Arguments ----------------------------------------------------------------

// Integers as the host hands them over: -2147483648 to 4294967295, low 32 bits kept.
bool ParseHostInteger(const std::string& s, uint32_t* out) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  if (i == s.size()) return false;
  uint64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + static_cast<uint64_t>(s[i] - '0');
    if (v > 4294967295ull) return false;
  }
  if (negative) {
    if (v > 2147483648ull) return false;
    *out = static_cast<uint32_t>(0 - v);
  } else {
    *out = static_cast<uint32_t>(v);
  }
  return true;
}

// A whole decimal number, read as a double.
bool ParseNumber(const std::string& s, double* out) {
  const char* end = nullptr;
  *out = ParseDecimal(s.c_str(), &end);
  return end != s.c_str() && *end == '\0';
}

bool ReadSeed(const std::string& argument, Step* step, Settings*) {
  return ParseHostInteger(argument, &step->number);
}

// A preset's name or its number.
bool ReadPreset(const std::string& argument, Step* step, Settings*) {
  for (uint32_t i = 0; i < kPresetCount; ++i) {
    if (argument == kPresets[i].name) {
      step->number = i;
      return true;
    }
  }
  return ParseHostInteger(argument, &step->number);
}

// I=V: a host integer, then a decimal number taken as a 32-bit float.
bool ReadSet(const std::string& argument, Step* step, Settings*) {
  const size_t eq = argument.find('=');
  double v = 0.0;
  if (eq == std::string::npos || !ParseHostInteger(argument.substr(0, eq), &step->number) ||
      !ParseNumber(argument.substr(eq + 1), &v)) {
    return false;
  }
  step->value = static_cast<float>(v);
  return true;
}

bool ReadFileName(const std::string& argument, Step* step, Settings*) {
  step->text = argument;
  return !argument.empty();
}

bool ReadText(const std::string& argument, Step* step, Settings*) {
  step->text = argument;
  return true;
}

bool ReadBufferLength(const std::string& argument, Step*, Settings* settings) {
  return !argument.empty() && argument[0] != '-' &&
         ParseHostInteger(argument, &settings->bufferLength);
}

bool ReadRenderDir(const std::string& argument, Step*, Settings* settings) {
  settings->renderDir = argument;
  return !argument.empty();
}

bool ReadJobs(const std::string& argument, Step*, Settings* settings) {
  uint32_t jobs = 0;
  if (argument.empty() || argument[0] == '-' || !ParseHostInteger(argument, &jobs)) return false;
  settings->jobs = jobs;
  return jobs >= 1 && jobs <= 1024;
}

bool ReadNoGenerator(const std::string&, Step*, Settings* settings) {
  settings->generatorEnabled = false;
  return true;
}

// "load preset P: 0-6 or coin, ..., blip (a number above 6 does nothing)".
std::string PresetHelp() {
  const std::string last = std::to_string(kPresetCount - 1);
  std::string text = "load preset P: 0-" + last + " or ";
  for (uint32_t i = 0; i < kPresetCount; ++i) {
    text += std::string(i == 0 ? "" : ", ") + kPresets[i].name;
  }
  return text + " (a number above " + last + " does nothing)";
}

}  // namespace

// --- The table ------------------------------------------------------------------

const Option kOptions[] = {
    // Operations, run in the order given.
    {"--seed", "N",
     "set the random seed (0: current time; a 32-bit integer,\n"
     "a negative value taken as its unsigned bit pattern)",
     RunSeed, ReadSeed, "a number", "bad seed"},
    {"--reset", nullptr, "reset the generator", RunReset},
    {"--render", "FILE", "generate the sound and write the RIFF/WAVE image to FILE", RunRender,
     ReadFileName, "a file name"},
    {"--preset", "P", nullptr, RunPreset, ReadPreset, "a number or a name", "bad preset",
     PresetHelp},
    {"--randomize", nullptr, "randomize the sound", RunRandomize},
    {"--mutate", nullptr, "mutate the sound", RunMutate},
    {"--set", "I=V",
     "set variable I (0-23) to V as the game's action does: V is\n"
     "taken as a 32-bit float, which index 1 (wave type) then\n"
     "truncates; so --set 1=2.99999999 gives 3 (the float is\n"
     "3.0), while the CSV field 2.99999999 gives 2",
     RunSet, ReadSet, "I=V", "bad --set argument"},
    {"--csv", "TEXT", "load variables from comma-separated text", RunCsv, ReadText, "a text"},
    {"--load", "FILE", "load an .sfs parameter file", RunLoad, ReadFileName, "a file name"},
    {"--save", "FILE", "save an .sfs parameter file", RunSave, ReadFileName, "a file name"},
    {"--print-csv", nullptr, "print the variables as comma-separated text", RunPrintCsv},
    {"--list-presets", nullptr, "list the preset numbers and names", RunListPresets},
    {"--render-set", "FILE",
     "render every sound of the set file FILE (.zus) into the\n"
     "folder of --render-dir: NAME.wav and NAME.sfs for each\n"
     "sound, events.txt and the set itself; all of it or, on a\n"
     "failure, nothing",
     RunRenderSet, ReadFileName, "a set file"},
    {"--help", nullptr, "show this text", RunHelp},
    {"-h", nullptr, nullptr, RunHelp},
    // Settings: read before anything runs, wherever they stand on the line.
    {"--buffer-length", "N",
     "room for N x 41000 samples (about 0.93 s each), default 5;\n"
     "values above 10 count as 10 (about 9.3 s); a longer sound\n"
     "is cut",
     nullptr, ReadBufferLength, "a number", "bad buffer length"},
    {"--no-generator", nullptr, "no wave buffer: --render fails", nullptr, ReadNoGenerator},
    {"--render-dir", "DIR", "the folder --render-set fills (made when missing)", nullptr,
     ReadRenderDir, "a folder"},
    {"--jobs", "N",
     "threads for --render-set, default one per processor; the\n"
     "files are the same whatever N is",
     nullptr, ReadJobs, "a number", "bad number of jobs (1 to 1024)"},
};

const size_t kOptionCount = sizeof kOptions / sizeof kOptions[0];

// --- Parsing --------------------------------------------------------------------

namespace {

const Option* FindOption(const std::string& name) {
  for (size_t i = 0; i < kOptionCount; ++i) {
    if (name == kOptions[i].name) return &kOptions[i];
  }
  return nullptr;
}

// User text shown in a message, on one line whatever it holds.
std::string Shown(const std::string& text) { return PrintableName(text.c_str()); }

// Reads the option at argv[*i] and its argument (advancing *i past it) into
// line; false with the message when the option or its argument is wrong.
bool ReadOption(int argc, const char* const* argv, int* i, CommandLine* line, std::string* error) {
  const std::string name = argv[*i];
  const Option* option = FindOption(name);
  if (option == nullptr) {
    *error = "unknown option: " + Shown(name);
    return false;
  }
  std::string argument;
  if (option->argument != nullptr) {
    if (*i + 1 >= argc) {
      *error = name + " needs " + option->needs;
      return false;
    }
    argument = argv[++*i];
  }
  Step step;
  step.run = option->run;
  if (option->read != nullptr && !option->read(argument, &step, &line->settings)) {
    *error = option->refused == nullptr ? name + " needs " + option->needs
                                        : std::string(option->refused) + ": " + Shown(argument);
    return false;
  }
  if (option->run != nullptr) line->steps.push_back(step);
  return true;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    if (!ReadOption(argc, argv, &i, line, error)) return false;
  }
  if (line->steps.empty()) {
    *error = "no operation given";
    return false;
  }
  for (const Step& step : line->steps) {
    if (step.run == RunRenderSet && line->settings.renderDir.empty()) {
      *error = "--render-set needs --render-dir DIR";
      return false;
    }
  }
  return true;
}

// --- Help -----------------------------------------------------------------------

namespace {

// Help texts are wrapped to this many columns after their option's column.
constexpr size_t kHelpTextWidth = 58;

std::string Label(const Option& option) {
  return option.argument == nullptr ? option.name
                                    : std::string(option.name) + " " + option.argument;
}

bool Listed(const Option& option, bool operations) {
  return (option.help != nullptr || option.makeHelp != nullptr) &&
         (option.run != nullptr) == operations;
}

// Appends one line of help text, broken at spaces to fit kHelpTextWidth; each
// piece after the first starts at column indent.
void AppendWrapped(std::string& out, const std::string& line, size_t indent) {
  size_t start = 0;
  while (line.size() - start > kHelpTextWidth) {
    const size_t space = line.rfind(' ', start + kHelpTextWidth);
    if (space == std::string::npos || space <= start) break;
    out += line.substr(start, space - start) + "\n" + std::string(indent, ' ');
    start = space + 1;
  }
  out += line.substr(start) + "\n";
}

// Appends the operations or the settings: label, then the help text from one
// column on, that column two spaces past the longest label.
void AppendOptions(std::string& out, bool operations) {
  size_t width = 0;
  for (size_t i = 0; i < kOptionCount; ++i) {
    if (Listed(kOptions[i], operations)) width = std::max(width, Label(kOptions[i]).size());
  }
  const size_t indent = 2 + width + 2;
  for (size_t i = 0; i < kOptionCount; ++i) {
    const Option& option = kOptions[i];
    if (!Listed(option, operations)) continue;
    const std::string label = Label(option);
    out += "  " + label + std::string(indent - 2 - label.size(), ' ');
    const std::string help = option.makeHelp != nullptr ? option.makeHelp() : option.help;
    size_t start = 0;
    for (size_t end = help.find('\n'); end != std::string::npos; end = help.find('\n', start)) {
      AppendWrapped(out, help.substr(start, end - start), indent);
      out += std::string(indent, ' ');
      start = end + 1;
    }
    AppendWrapped(out, help.substr(start), indent);
  }
}

}  // namespace

std::string HelpText() {
  std::string text = "usage: zider-sfx";
  for (size_t i = 0; i < kOptionCount; ++i) {
    if (Listed(kOptions[i], false)) text += " [" + Label(kOptions[i]) + "]";
  }
  text +=
      " OPERATION...\n"
      "\n"
      "Plays one object with its sound generator (seeded from the clock, as at\n"
      "creation) and runs the operations in the order given:\n";
  AppendOptions(text, true);
  text += "Options:\n";
  AppendOptions(text, false);
  const std::string preset = kPresets[0].name;
  return text + "\nExample: a " + preset +
         " sound from seed 7, nudged once, saved and rendered:\n" +
         "  zider-sfx --seed 7 --preset " + preset + " --mutate --save " + preset +
         ".sfs --render " + preset + ".wav --print-csv\n" +
         "\nExit status: 0 done, 1 an operation failed, 2 bad command line.\n";
}

bool RunHelp(const Step&, Session& session) { return PrintText(HelpText(), session); }

}  // namespace zu::sfx
