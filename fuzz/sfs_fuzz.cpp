// Fuzzes the .sfs image loader. Checks: no crash or undefined behaviour; a
// rejected image changes nothing; an accepted version-102 image encodes back
// to the same 105 bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "generator/param_file.h"

namespace {

bool SameFields(const zu::GeneratorParams& a, const zu::GeneratorParams& b) {
  const size_t head = offsetof(zu::GeneratorParams, filterFlag) + 1;
  const size_t tail = offsetof(zu::GeneratorParams, vibDelay);
  const auto* x = reinterpret_cast<const unsigned char*>(&a);
  const auto* y = reinterpret_cast<const unsigned char*>(&b);
  return std::memcmp(x, y, head) == 0 && std::memcmp(x + tail, y + tail, sizeof a - tail) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zu::GeneratorParams p;
  p.Reset();
  const zu::GeneratorParams before = p;
  const bool loaded = zu::LoadParamsFromBytes(p, data, size);
  if (!loaded) {
    if (!SameFields(p, before)) std::abort();
    return 0;
  }
  if (size < 4) std::abort();
  if (data[0] == 102) {
    uint8_t image[zu::kParamFileBytes102];
    zu::EncodeParams(p, image);
    if (size < sizeof image || std::memcmp(image, data, sizeof image) != 0) std::abort();
  }
  return 0;
}
