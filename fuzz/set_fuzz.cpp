// Fuzzes the sound set reader. Checks: no crash or undefined behaviour; a set
// that reads writes back to a text that reads to the same sounds, bit for bit,
// and writes the same again; its file names are safe and unique without
// regard to ASCII case; the event listing can be made from it.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "soundset/set_events.h"
#include "soundset/set_file_names.h"
#include "soundset/sound_set.h"

namespace {

bool SameSounds(const std::vector<zu::SetSound>& a, const std::vector<zu::SetSound>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].bufferLength != b[i].bufferLength ||
        a[i].seed != b[i].seed || a[i].block != b[i].block) {
      return false;
    }
  }
  return true;
}

void CheckFileNames(const std::vector<std::string>& names) {
  std::set<std::string> seen;
  for (std::string name : names) {
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\:") != name.npos ||
        name.back() == '.' || name.back() == ' ') {
      std::abort();
    }
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (!seen.insert(name).second) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<zu::SetSound> sounds;
  std::string error;
  if (!zu::ReadSoundSet(reinterpret_cast<const char*>(data), size, &sounds, &error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  const std::string written = zu::WriteSoundSet(sounds);
  std::vector<zu::SetSound> again;
  if (!zu::ReadSoundSet(written.data(), written.size(), &again, &error)) std::abort();
  if (!SameSounds(sounds, again) || zu::WriteSoundSet(again) != written) std::abort();
  const std::vector<std::string> files = zu::SetFileNames(sounds);
  CheckFileNames(files);
  zu::SetEventListing(sounds, files, "fuzz.zus");
  return 0;
}
