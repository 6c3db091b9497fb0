#include "soundset/set_c_api.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "soundset/set_events.h"
#include "soundset/set_file_names.h"
#include "soundset/set_render.h"
#include "soundset/sound_set.h"

namespace {

std::vector<zu::SetSound> sounds;
// Each name's index, so that adding a sound checks it alone: a set of
// 10,000 sounds is built in linear time.
std::unordered_map<std::string, size_t> indexOf;
// Made when first asked for after a change.
std::vector<std::string> fileNames;
bool fileNamesStale = true;
std::string error, text;
std::vector<uint8_t> image;

void Changed() {
  indexOf.clear();
  for (size_t i = 0; i < sounds.size(); ++i) indexOf.emplace(sounds[i].name, i);
  fileNamesStale = true;
}

const std::vector<std::string>& FileNames() {
  if (fileNamesStale) fileNames = zu::SetFileNames(sounds);
  fileNamesStale = false;
  return fileNames;
}

const zu::SetSound* At(uint32_t index) { return index < sounds.size() ? &sounds[index] : nullptr; }

}  // namespace

int32_t zu_set_read(const char* data, uint32_t size) {
  if (data == nullptr && size != 0) {
    error = "no data";
    return -1;
  }
  if (!zu::ReadSoundSet(data == nullptr ? "" : data, size, &sounds, &error)) return -1;
  Changed();
  return static_cast<int32_t>(sounds.size());
}

const char* zu_set_error() { return error.c_str(); }

void zu_set_clear() {
  sounds.clear();
  Changed();
}

int32_t zu_set_add(const char* name, uint32_t bufferLength, uint32_t seed, const uint32_t* block) {
  if (name == nullptr || block == nullptr) {
    error = "no name or no block";
    return -1;
  }
  zu::SetSound sound{name, bufferLength, seed, {}};
  for (int i = 0; i < zu::kVariableCount; ++i) sound.block[i] = block[i];
  const auto used = indexOf.find(sound.name);
  if (used != indexOf.end()) {
    // The words of SoundSetProblem, which would find the same.
    error = "sound " + std::to_string(sounds.size() + 1) + ": the name is already used by sound " +
            std::to_string(used->second + 1);
    return -1;
  }
  // The sound alone, as the first of a set; its message then names its place.
  error = zu::SoundSetProblem({sound});
  if (error.empty() && sounds.size() >= zu::kSetMaxSounds)
    error = "a set holds at most 10000 sounds";
  if (!error.empty()) {
    const std::string first = "sound 1: ";
    if (error.compare(0, first.size(), first) == 0) {
      error = "sound " + std::to_string(sounds.size() + 1) + ": " + error.substr(first.size());
    }
    return -1;
  }
  indexOf.emplace(sound.name, sounds.size());
  sounds.push_back(sound);
  fileNamesStale = true;
  return static_cast<int32_t>(sounds.size() - 1);
}

const char* zu_set_name_problem(const char* candidate, int32_t index) {
  text = zu::SoundNameProblem(candidate == nullptr ? "" : candidate);
  const auto used = text.empty() ? indexOf.find(candidate) : indexOf.end();
  if (used != indexOf.end() && static_cast<int32_t>(used->second) != index) {
    text = "a name not used by another sound";
  }
  if (!text.empty()) text = "expected " + text;
  return text.c_str();
}

uint32_t zu_set_count() { return static_cast<uint32_t>(sounds.size()); }

const char* zu_set_name(uint32_t index) { return At(index) ? At(index)->name.c_str() : nullptr; }

uint32_t zu_set_buffer_length(uint32_t index) { return At(index) ? At(index)->bufferLength : 0; }

uint32_t zu_set_seed(uint32_t index) { return At(index) ? At(index)->seed : 0; }

const uint32_t* zu_set_block(uint32_t index) {
  return At(index) ? At(index)->block.data() : nullptr;
}

int32_t zu_set_csv_exact(uint32_t index) {
  return At(index) ? (zu::IsCsvExact(At(index)->block) ? 1 : 0) : -1;
}

const char* zu_set_file_name(uint32_t index) {
  return At(index) ? FileNames()[index].c_str() : nullptr;
}

const char* zu_set_write() {
  text = zu::WriteSoundSet(sounds);
  return text.c_str();
}

const char* zu_set_events(const char* setName) {
  text = zu::SetEventListing(sounds, FileNames(), setName == nullptr ? "" : setName);
  return text.c_str();
}

const uint8_t* zu_set_render(uint32_t index) {
  if (!At(index)) return nullptr;
  image = zu::RenderSetSound(*At(index));
  return image.data();
}

const uint8_t* zu_set_sfs(uint32_t index) {
  if (!At(index)) return nullptr;
  image = zu::SetSoundParamFile(*At(index));
  return image.data();
}

uint32_t zu_set_image_size() { return static_cast<uint32_t>(image.size()); }
