#include "generator/param_file.h"

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

std::string ParamImageError(const uint8_t* data, size_t size, const std::string& name) {
  auto bytes = [](size_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); };
  if (data == nullptr || size < 4) {
    return "not a .sfs file: " + name + " (" + bytes(data == nullptr ? 0 : size) +
           "; the shortest, version 100, has " + std::to_string(kParamFileBytes100) + ")";
  }
  const int32_t version = static_cast<int32_t>(ReadLe32(data));
  const size_t needed = SizeOfVersion(version);
  if (needed == 0) return "unknown .sfs version " + std::to_string(version) + " in " + name;
  if (size < needed) {
    return "not a .sfs file: " + name + " (" + bytes(size) + "; a version " +
           std::to_string(version) + " file has " + std::to_string(needed) + ")";
  }
  return std::string();
}

}  // namespace zu
