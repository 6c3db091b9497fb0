// zider-sfx: plays the part of one run-time object with its sound generator
// and runs the operations named on the command line in order, as event-rule
// actions would.
//
// Exit status: 0 when every operation ran, 1 when an operation failed (the
// run stops there; earlier output stays), 2 when the command line is wrong
// (nothing runs).

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "fileio/safe_file.h"
#include "generator/csv_text.h"
#include "generator/generator_object.h"
#include "generator/param_file_io.h"
#include "generator/presets.h"
#include "generator/random_source.h"
#include "generator/sound_generator.h"
#include "generator/wave_render.h"
#include "tools/render_set.h"

namespace {

using zu::SoundGenerator;

const char kUsage[] =
    "usage: zider-sfx [--buffer-length N] [--no-generator] OPERATION...\n"
    "\n"
    "Plays one object with its sound generator (seeded from the clock, as at\n"
    "creation) and runs the operations in the order given:\n"
    "  --seed N        set the random seed (0: current time; a 32-bit integer,\n"
    "                  a negative value taken as its unsigned bit pattern)\n"
    "  --reset         reset the generator\n"
    "  --render FILE   generate the sound and write the RIFF/WAVE image to FILE\n"
    "  --preset P      load preset P: 0-6 or coin, laser, explosion, powerup,\n"
    "                  hurt, jump, blip (a number above 6 does nothing)\n"
    "  --randomize     randomize the sound\n"
    "  --mutate        mutate the sound\n"
    "  --set I=V       set variable I (0-23) to V as the game's action does: V is\n"
    "                  taken as a 32-bit float, which index 1 (wave type) then\n"
    "                  truncates; so --set 1=2.99999999 gives 3 (the float is\n"
    "                  3.0), while the CSV field 2.99999999 gives 2\n"
    "  --csv TEXT      load variables from comma-separated text\n"
    "  --load FILE     load an .sfs parameter file\n"
    "  --save FILE     save an .sfs parameter file\n"
    "  --print-csv     print the variables as comma-separated text\n"
    "  --list-presets  list the preset numbers and names\n"
    "  --render-set FILE  render every sound of the set file FILE (.zus) into the\n"
    "                  folder given by --render-dir: NAME.wav and NAME.sfs per\n"
    "                  sound, events.txt and the set itself; all or nothing\n"
    "  --help          show this text\n"
    "Options:\n"
    "  --buffer-length N  room for N x 41000 samples (about 0.93 s each), default 5;\n"
    "                     values above 10 count as 10 (about 9.3 s); a longer sound\n"
    "                     is cut\n"
    "  --no-generator     no wave buffer: --render fails\n"
    "  --render-dir DIR   the folder --render-set fills (made when missing)\n"
    "  --jobs N           threads for --render-set, default one per processor;\n"
    "                     the files are the same whatever N is\n"
    "\n"
    "Example: a coin sound from seed 7, nudged once, saved and rendered:\n"
    "  zider-sfx --seed 7 --preset coin --mutate --save coin.sfs --render coin.wav --print-csv\n"
    "\n"
    "Exit status: 0 done, 1 an operation failed, 2 bad command line.\n";

enum class Op {
  kSeed,
  kReset,
  kRender,
  kPreset,
  kRandomize,
  kMutate,
  kSet,
  kCsv,
  kLoad,
  kSave,
  kPrintCsv,
  kListPresets,
  kRenderSet,
  kHelp
};

struct Step {
  Op op = Op::kReset;
  uint32_t number = 0;  // seed, preset or variable index
  float value = 0.0f;   // --set value
  std::string text;     // file name or CSV text
};

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

bool ParseUnsigned32(const std::string& s, uint32_t* out) {
  if (s.empty() || s[0] == '-') return false;
  return ParseHostInteger(s, out);
}

// A whole decimal number, read as a double.
bool ParseNumber(const std::string& s, double* out) {
  const char* end = nullptr;
  *out = zu::ParseDecimal(s.c_str(), &end);
  return end != s.c_str() && *end == '\0';
}

bool ParsePreset(const std::string& s, uint32_t* out) {
  for (uint32_t i = 0; i < zu::kPresetCount; ++i) {
    if (s == zu::kPresets[i].name) {
      *out = i;
      return true;
    }
  }
  return ParseHostInteger(s, out);
}

// User text shown in a message, on one line whatever it holds.
std::string Shown(const std::string& text) { return zu::PrintableName(text.c_str()); }

int Usage(const std::string& message) {
  std::fprintf(stderr, "zider-sfx: %s (try --help)\n", message.c_str());
  return 2;
}

int Fail(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "zider-sfx: %s\n", message.c_str());
  return 1;
}

// Prints text, then flushes: false when any of it could not be written.
bool Print(const std::string& text) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  return std::fflush(stdout) == 0 && written;
}

int FailOutput() {
  return Fail(std::string("cannot write standard output: ") + std::strerror(errno));
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes on every system: no newline translation.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  uint32_t bufferLength = 5;
  bool generatorEnabled = true;
  std::vector<Step> steps;
  zu::RenderSetJob setJob;

  // Check the whole line before anything runs.
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto next = [&](std::string* value) {
      if (i + 1 >= argc) return false;
      *value = argv[++i];
      return true;
    };
    std::string value;
    Step step;
    if (arg == "--buffer-length") {
      if (!next(&value)) return Usage("--buffer-length needs a number");
      if (!ParseUnsigned32(value, &bufferLength))
        return Usage("bad buffer length: " + Shown(value));
      continue;
    } else if (arg == "--no-generator") {
      generatorEnabled = false;
      continue;
    } else if (arg == "--render-dir") {
      if (!next(&setJob.dir) || setJob.dir.empty()) return Usage("--render-dir needs a folder");
      continue;
    } else if (arg == "--jobs") {
      uint32_t jobs = 0;
      if (!next(&value)) return Usage("--jobs needs a number");
      if (!ParseUnsigned32(value, &jobs) || jobs == 0 || jobs > 1024) {
        return Usage("bad number of jobs (1 to 1024): " + Shown(value));
      }
      setJob.jobs = jobs;
      continue;
    } else if (arg == "--render-set") {
      if (!next(&value) || value.empty()) return Usage("--render-set needs a set file");
      step.op = Op::kRenderSet;
      step.text = value;
    } else if (arg == "--seed") {
      if (!next(&value)) return Usage("--seed needs a number");
      if (!ParseHostInteger(value, &step.number)) return Usage("bad seed: " + Shown(value));
      step.op = Op::kSeed;
    } else if (arg == "--reset") {
      step.op = Op::kReset;
    } else if (arg == "--render" || arg == "--load" || arg == "--save") {
      if (!next(&value) || value.empty()) return Usage(arg + " needs a file name");
      step.op = arg == "--render" ? Op::kRender : arg == "--load" ? Op::kLoad : Op::kSave;
      step.text = value;
    } else if (arg == "--preset") {
      if (!next(&value)) return Usage("--preset needs a number or a name");
      if (!ParsePreset(value, &step.number)) return Usage("bad preset: " + Shown(value));
      step.op = Op::kPreset;
    } else if (arg == "--randomize") {
      step.op = Op::kRandomize;
    } else if (arg == "--mutate") {
      step.op = Op::kMutate;
    } else if (arg == "--set") {
      if (!next(&value)) return Usage("--set needs I=V");
      const size_t eq = value.find('=');
      double v = 0.0;
      if (eq == std::string::npos || !ParseHostInteger(value.substr(0, eq), &step.number) ||
          !ParseNumber(value.substr(eq + 1), &v)) {
        return Usage("bad --set argument: " + Shown(value));
      }
      step.op = Op::kSet;
      step.value = static_cast<float>(v);
    } else if (arg == "--csv") {
      if (!next(&value)) return Usage("--csv needs a text");
      step.op = Op::kCsv;
      step.text = value;
    } else if (arg == "--print-csv") {
      step.op = Op::kPrintCsv;
    } else if (arg == "--list-presets") {
      step.op = Op::kListPresets;
    } else if (arg == "--help" || arg == "-h") {
      step.op = Op::kHelp;
    } else {
      return Usage("unknown option: " + Shown(arg));
    }
    steps.push_back(step);
  }
  if (steps.empty()) return Usage("no operation given");
  for (const Step& step : steps) {
    if (step.op == Op::kRenderSet && setJob.dir.empty()) {
      return Usage("--render-set needs --render-dir DIR");
    }
  }

  // The object is created as the module creates it: seeded from the clock
  // with its buffer when the generator is enabled, then the generator.
  zu::GeneratorObject object = zu::CreateGeneratorObject(generatorEnabled, bufferLength);
  struct Release {
    zu::GeneratorObject& object;
    ~Release() { zu::ReleaseGeneratorObject(object); }
  } release{object};
  if (object.generator == nullptr || (generatorEnabled && object.waveBuffer == nullptr)) {
    return Fail("out of memory for the generator and its buffer");
  }
  SoundGenerator& generator = *object.generator;
  uint8_t* const waveBuffer = object.waveBuffer;
  const uint32_t waveCapacity = object.waveCapacity;

  std::string error;
  for (const Step& step : steps) {
    switch (step.op) {
      case Op::kSeed:
        zu::SeedRandom(step.number);
        break;
      case Op::kReset:
        generator.ResetParameters();
        break;
      case Op::kRender: {
        if (!waveBuffer) return Fail("cannot render: the generator is disabled");
        const uint32_t bytes = zu::RenderToWaveBuffer(generator, waveBuffer, waveCapacity);
        if (!zu::WriteFileWhole(step.text.c_str(), waveBuffer, zu::kWaveHeaderBytes + bytes,
                                &error)) {
          return Fail(error);
        }
        break;
      }
      case Op::kPreset:
        generator.LoadPreset(step.number);
        break;
      case Op::kRandomize:
        generator.Randomize();
        break;
      case Op::kMutate:
        generator.Mutate();
        break;
      case Op::kSet:
        generator.SetVariable(static_cast<int>(step.number), step.value);
        break;
      case Op::kCsv:
        zu::LoadVariablesFromCsv(generator.params, step.text.c_str());
        break;
      case Op::kLoad:
        if (!zu::LoadParameterFile(generator.params, step.text.c_str(), &error)) return Fail(error);
        break;
      case Op::kSave:
        if (!zu::SaveParameterFile(generator.params, step.text.c_str(), &error)) return Fail(error);
        break;
      case Op::kPrintCsv:
        if (!Print(zu::FormatVariablesAsCsv(generator.params) + "\n")) return FailOutput();
        break;
      case Op::kListPresets: {
        std::string list;
        for (uint32_t i = 0; i < zu::kPresetCount; ++i) {
          list += std::to_string(i) + " " + zu::kPresets[i].name + "\n";
        }
        if (!Print(list)) return FailOutput();
        break;
      }
      case Op::kRenderSet:
        setJob.setPath = step.text;
        setJob.progress = isatty(fileno(stderr)) != 0;
        if (!zu::RenderSetToDir(setJob, &error)) return Fail(error);
        break;
      case Op::kHelp:
        if (!Print(kUsage)) return FailOutput();
        break;
    }
  }
  // Everything printed must have reached its file; some errors only show when
  // the file is closed (a full disk behind a redirection).
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) return FailOutput();
  if (std::fclose(stdout) != 0) {
    std::fprintf(stderr, "zider-sfx: cannot write standard output: %s\n", std::strerror(errno));
    return 1;
  }
  return 0;
}
