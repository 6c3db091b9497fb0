#include "soundset/set_c_api.h"

#include <string>
#include <vector>

#include "soundset/set_events.h"
#include "soundset/set_file_names.h"
#include "soundset/set_render.h"
#include "soundset/sound_set.h"

namespace {

std::vector<zu::SetSound> sounds;
std::vector<std::string> fileNames;
std::string error, text;
std::vector<uint8_t> image;

void Changed() { fileNames = zu::SetFileNames(sounds); }

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
  sounds.push_back(sound);
  error = zu::SoundSetProblem(sounds);
  if (!error.empty()) {
    sounds.pop_back();
    return -1;
  }
  Changed();
  return static_cast<int32_t>(sounds.size() - 1);
}

const char* zu_set_name_problem(const char* candidate, int32_t index) {
  text = zu::SoundNameProblem(candidate == nullptr ? "" : candidate);
  for (size_t i = 0; text.empty() && i < sounds.size(); ++i) {
    if (static_cast<int32_t>(i) != index && sounds[i].name == candidate) {
      text = "a name not used by another sound";
    }
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
  return At(index) ? fileNames[index].c_str() : nullptr;
}

const char* zu_set_write() {
  text = zu::WriteSoundSet(sounds);
  return text.c_str();
}

const char* zu_set_events(const char* setName) {
  text = zu::SetEventListing(sounds, fileNames, setName == nullptr ? "" : setName);
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
