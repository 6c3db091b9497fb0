#include "generator/param_file.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace zu {
namespace {

// Visits the fields of a file of the given version in file order, passing the
// address and width of each one.
template <typename Params, typename Visit>
void ForEachFileField(Params& p, int32_t version, Visit visit) {
  visit(&p.waveType, 4);
  if (version == 102) visit(&p.soundVolume, 4);
  visit(&p.startFreq, 4);
  visit(&p.minFreq, 4);
  visit(&p.slide, 4);
  if (version >= 101) visit(&p.deltaSlide, 4);
  visit(&p.squareDuty, 4);
  visit(&p.dutySweep, 4);
  visit(&p.vibDepth, 4);
  visit(&p.vibSpeed, 4);
  visit(&p.vibDelay, 4);
  visit(&p.attackTime, 4);
  visit(&p.sustainTime, 4);
  visit(&p.decayTime, 4);
  visit(&p.sustainPunch, 4);
  visit(&p.filterFlag, 1);
  visit(&p.lpResonance, 4);
  visit(&p.lpCutoff, 4);
  visit(&p.lpCutoffSweep, 4);
  visit(&p.hpCutoff, 4);
  visit(&p.hpCutoffSweep, 4);
  visit(&p.phaserOffset, 4);
  visit(&p.phaserSweep, 4);
  visit(&p.repeatSpeed, 4);
  if (version >= 101) {
    visit(&p.changeSpeed, 4);
    visit(&p.changeAmount, 4);
  }
}

uint32_t ReadLe32(const uint8_t* b) {
  return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
         (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

void WriteLe32(uint32_t v, uint8_t* b) {
  b[0] = static_cast<uint8_t>(v);
  b[1] = static_cast<uint8_t>(v >> 8);
  b[2] = static_cast<uint8_t>(v >> 16);
  b[3] = static_cast<uint8_t>(v >> 24);
}

size_t SizeOfVersion(int32_t version) {
  switch (version) {
    case 100:
      return kParamFileBytes100;
    case 101:
      return kParamFileBytes101;
    case 102:
      return kParamFileBytes102;
    default:
      return 0;
  }
}

ReplaceFileFunction replaceFile = nullptr;

bool Exists(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}

// A name beside path that no file uses yet.
std::string FreeNameBeside(const char* path, const char* tag) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string name = std::string(path) + tag + std::to_string(counter++);
    if (!Exists(name)) return name;
  }
  return std::string();
}

bool DefaultReplaceFile(const char* from, const char* to) {
  if (std::rename(from, to) == 0) return true;
#ifdef _WIN32
  // This runtime's rename refuses to replace an existing file: move the old
  // file aside, move the new one in, and put the old one back on failure.
  if (!Exists(to)) return false;
  const std::string aside = FreeNameBeside(to, ".old~");
  if (aside.empty() || std::rename(to, aside.c_str()) != 0) return false;
  if (std::rename(from, to) != 0) {
    std::rename(aside.c_str(), to);
    return false;
  }
  std::remove(aside.c_str());
  return true;
#else
  return false;
#endif
}

}  // namespace

bool LoadParamsFromBytes(GeneratorParams& params, const uint8_t* data, size_t size) {
  if (data == nullptr || size < 4) return false;
  const int32_t version = static_cast<int32_t>(ReadLe32(data));
  const size_t needed = SizeOfVersion(version);
  if (needed == 0 || size < needed) return false;
  size_t offset = 4;
  ForEachFileField(params, version, [&](void* field, size_t width) {
    if (width == 1) {
      std::memcpy(field, data + offset, 1);
    } else {
      const uint32_t v = ReadLe32(data + offset);
      std::memcpy(field, &v, 4);
    }
    offset += width;
  });
  return true;
}

bool LoadParameterFile(GeneratorParams& params, const char* path) {
  if (path == nullptr) return false;
  FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return false;
  uint8_t image[kParamFileBytes102];
  const size_t got = std::fread(image, 1, sizeof image, f);
  std::fclose(f);
  return LoadParamsFromBytes(params, image, got);
}

void EncodeParams(const GeneratorParams& params, uint8_t out[kParamFileBytes102]) {
  WriteLe32(102, out);
  size_t offset = 4;
  ForEachFileField(params, 102, [&](const void* field, size_t width) {
    if (width == 1) {
      std::memcpy(out + offset, field, 1);
    } else {
      uint32_t v;
      std::memcpy(&v, field, 4);
      WriteLe32(v, out + offset);
    }
    offset += width;
  });
}

bool SaveParameterFile(const GeneratorParams& params, const char* path) {
  uint8_t image[kParamFileBytes102];
  EncodeParams(params, image);
  return WriteFileWhole(path, image, sizeof image);
}

void SetReplaceFileFunction(ReplaceFileFunction function) { replaceFile = function; }

bool WriteFileWhole(const char* path, const void* data, size_t size) {
  if (path == nullptr || *path == '\0') return false;
  const std::string temp = FreeNameBeside(path, ".tmp~");
  if (temp.empty()) return false;
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  ok = std::fflush(f) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (ok) {
    const ReplaceFileFunction replace = replaceFile != nullptr ? replaceFile : DefaultReplaceFile;
    ok = replace(temp.c_str(), path);
  }
  if (!ok) std::remove(temp.c_str());
  return ok;
}

}  // namespace zu
