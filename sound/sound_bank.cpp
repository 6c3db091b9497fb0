#include "sound/sound_bank.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "fileio/safe_file.h"

namespace zu {

namespace {

// Replaces the named sound when it exists, adds it otherwise. Only the replace
// path raises "Sound added". stopFirst stops the old sample before replacing.
void AddOrReplace(SoundContext& ctx, const char* name, const void* data, uint32_t size,
                  bool stopFirst) {
  uint32_t existing = FindSound(ctx, name);
  if (existing != 0) {
    if (stopFirst) ctx.host.StopSample(ctx.app, kHostFlag, existing);
    ctx.state.newestSample = ctx.host.ReplaceSample(ctx.app, kHostFlag, existing, name, data, size);
    ctx.events.Push(kEventSoundAdded);
  } else {
    ctx.state.newestSample = ctx.host.AddSample(ctx.app, kHostFlag, name, data, size);
  }
}

}  // namespace

uint32_t FindSound(SoundContext& ctx, const char* name) {
  return ctx.host.FindSample(ctx.app, kHostFlag, name);
}

bool SampleExists(SoundContext& ctx, uint32_t handle) {
  char first = 0;
  return ctx.host.GetSampleName(ctx.app, handle, &first, 1) != 0 && first != 0;
}

int32_t IndexOfHandle(SoundContext& ctx, uint32_t handle) {
  int32_t count = 0;
  for (uint32_t h = 1; h <= kMaxSampleHandle; ++h) {
    if (SampleExists(ctx, h)) ++count;
    if (h == handle) return count - 1;
  }
  return -1;
}

uint32_t ReadSampleName(SoundContext& ctx, uint32_t handle, char* buffer) {
  std::memset(buffer, 0, kNameBufferSize);
  ctx.host.GetSampleName(ctx.app, handle, buffer, kNameBufferSize - 1);
  buffer[kNameBufferSize - 1] = '\0';
  return static_cast<uint32_t>(std::strlen(buffer));
}

bool SoundExists(SoundContext& ctx, const char* name) { return FindSound(ctx, name) != 0; }

void AddGeneratedSound(SoundContext& ctx, const char* name, const uint8_t* waveBuffer,
                       uint32_t generatedBytes) {
  if (waveBuffer == nullptr) return;
  AddOrReplace(ctx, name, waveBuffer, generatedBytes + 44, /*stopFirst=*/true);
}

void AddSoundFromFile(SoundContext& ctx, const char* name, const char* fileName) {
  // The host takes a 32-bit size; a file it cannot describe is not read.
  constexpr size_t kLimit = SIZE_MAX < UINT32_MAX ? SIZE_MAX : UINT32_MAX;
  FileBytes file;
  if (fileName == nullptr || !ReadFileWhole(fileName, kLimit, &file)) return;
  AddOrReplace(ctx, name, file.data.get(), static_cast<uint32_t>(file.size), false);
}

void AddSoundFromMemory(SoundContext& ctx, const char* name, const void* data, uint32_t size) {
  AddOrReplace(ctx, name, data, size, /*stopFirst=*/false);
}

void DeleteSound(SoundContext& ctx, const char* name) {
  uint32_t handle = FindSound(ctx, name);
  if (handle != 0) ctx.host.DeleteSample(ctx.app, handle);
}

void DeleteSoundByHandle(SoundContext& ctx, uint32_t handle) {
  ctx.host.DeleteSample(ctx.app, handle);
}

void SaveSound(SoundContext& ctx, const char* name, const char* fileName) {
  uint32_t handle = FindSound(ctx, name);
  if (handle == 0) return;
  SampleInfo info{};
  ctx.host.GetSampleInfo(ctx.app, handle, &info);
  const void* data = ctx.host.GetSampleData(ctx.app, handle);
  if (data == nullptr || fileName == nullptr) return;
  std::FILE* file = std::fopen(fileName, "wb");
  if (file == nullptr) return;
  uint32_t length = SampleDataLength(info);
  if (length != 0) std::fwrite(data, 1, length, file);
  std::fclose(file);
}

int32_t NewestSound(SoundContext& ctx) { return IndexOfHandle(ctx, ctx.state.newestSample); }

bool SoundName(SoundContext& ctx, int32_t index, char* buffer) {
  std::memset(buffer, 0, kNameBufferSize);
  // Wide target so that the largest index cannot overflow.
  int64_t target = static_cast<int64_t>(index) + 1;
  int64_t count = 0;
  for (uint32_t h = 1; h <= kMaxSampleHandle; ++h) {
    if (!SampleExists(ctx, h)) continue;
    if (++count == target) {
      ReadSampleName(ctx, h, buffer);
      return true;
    }
  }
  return false;
}

int32_t SoundIndex(SoundContext& ctx, const char* name) {
  uint32_t handle = FindSound(ctx, name);
  if (handle == 0) return -1;
  return IndexOfHandle(ctx, handle);
}

int32_t SoundOriginalFreq(SoundContext& ctx, const char* name) {
  uint32_t handle = FindSound(ctx, name);
  if (handle == 0) return 0;
  int32_t current = ctx.host.GetSampleFrequency(ctx.app, kHostFlag, handle);
  ctx.host.SetSampleFrequency(ctx.app, kHostFlag, handle, 0);
  int32_t original = ctx.host.GetSampleFrequency(ctx.app, kHostFlag, handle);
  ctx.host.SetSampleFrequency(ctx.app, kHostFlag, handle, current);
  return original;
}

int32_t CountSounds(SoundContext& ctx) {
  int32_t count = 0;
  for (uint32_t h = 1; h <= kMaxSampleHandle; ++h) {
    if (SampleExists(ctx, h)) ++count;
  }
  return count;
}

const void* SoundAddress(SoundContext& ctx, const char* name) {
  uint32_t handle = FindSound(ctx, name);
  if (handle == 0) return nullptr;
  return ctx.host.GetSampleData(ctx.app, handle);
}

uint32_t SoundSize(SoundContext& ctx, const char* name) {
  uint32_t handle = FindSound(ctx, name);
  if (handle == 0) return 0;
  SampleInfo info{};
  ctx.host.GetSampleInfo(ctx.app, handle, &info);
  return SampleDataLength(info);
}

}  // namespace zu
