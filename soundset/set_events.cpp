#include "soundset/set_events.h"

#include <map>

#include "frame/ace_table.h"

namespace zu {
namespace {

constexpr char kArrow[] = "\xE2\x86\x92";  // U+2192, as the recipes write rules

// The entry's display text with %0 replaced by the parameter as typed.
std::string ActionText(action::Code code, const std::string& parameter = "") {
  std::string text = AceEntry(code).displayText;
  const size_t at = text.find("%0");
  if (at != std::string::npos) text.replace(at, 2, parameter);
  return text;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The seed as the editor's signed 32-bit number field takes it.
std::string SeedText(uint32_t seed) {
  return std::to_string(static_cast<int64_t>(static_cast<int32_t>(seed)));
}

std::string SoundRules(const SetSound& sound, const std::string& fileName,
                       const std::string& object) {
  const std::string lead = std::string("      ") + kArrow + " " + object + ": ";
  std::string load;
  if (IsCsvExact(sound.block)) {
    load = ActionText(action::kLoadVariablesFromCsv, Quoted(BlockText(sound.block)));
  } else {
    load = ActionText(action::kLoadSfxFile, "Apppath$ + \"sounds\\" + fileName + ".sfs\"");
  }
  return lead + ActionText(action::kSetSeed, SeedText(sound.seed)) + "\n" + lead + load + "\n" +
         lead + ActionText(action::kGenerate) + "\n" + lead +
         ActionText(action::kAddGenerated, Quoted(sound.name)) + "\n";
}

std::string Introduction(size_t count, const std::string& setName) {
  std::string text = std::string(kSetObjectName) + ": the sound set" +
                     (setName.empty() ? "" : " " + Quoted(setName)) + ", " + std::to_string(count) +
                     (count == 1 ? " sound" : " sounds") + "\n\n";
  return text +
         "These rules put every sound of the set into the sound bank under its name,\n"
         "exactly as the set defines it. Put the .sfs files into a folder \"sounds\"\n"
         "beside your application (only sounds loaded from a file need one). \"Start\n"
         "of frame\" stands for your host's condition that is true once when the\n"
         "frame starts, Apppath$ for its expression of the application's folder.\n\n";
}

}  // namespace

std::string SetEventListing(const std::vector<SetSound>& sounds,
                            const std::vector<std::string>& fileNames, const std::string& setName) {
  std::map<uint32_t, std::vector<size_t>> groups;  // by buffer length, lowest first
  for (size_t i = 0; i < sounds.size(); ++i) groups[sounds[i].bufferLength].push_back(i);
  const std::string property = Quoted(kBufferLengthProperty);
  std::string text = Introduction(sounds.size(), setName);
  if (groups.size() > 1) {
    text += "The sounds need " + std::to_string(groups.size()) + " values of " + property +
            ", which caps how long a\ngenerated sound can be: use one object for each, with " +
            "the property set as\ngiven.\n\n";
  }
  int number = 0;
  for (const auto& [bufferLength, members] : groups) {
    const std::string object = groups.size() > 1
                                   ? kSetObjectName + std::string(" ") + std::to_string(++number)
                                   : std::string(kSetObjectName);
    text += object + ": set its property " + property + " to " + std::to_string(bufferLength) +
            ".\n\n    Start of frame\n";
    for (size_t i : members) text += SoundRules(sounds[i], fileNames[i], object);
    text += "\n";
  }
  std::string renamed;
  for (size_t i = 0; i < sounds.size(); ++i) {
    if (fileNames[i] != sounds[i].name) {
      renamed += "    " + Quoted(sounds[i].name) + " " + kArrow + " " + fileNames[i] + ".wav, " +
                 fileNames[i] + ".sfs\n";
    }
  }
  if (!renamed.empty()) text += "Files named differently from their sounds:\n\n" + renamed;
  return text;
}

}  // namespace zu
