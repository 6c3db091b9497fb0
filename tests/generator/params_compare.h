#pragma once
// Bit-for-bit comparison of parameter blocks for the generator tests.

#include <cstddef>
#include <cstring>

#include "generator/generator_params.h"

namespace zu {

/// Compares every field bit for bit, skipping the padding after filterFlag.
inline bool SameBits(const GeneratorParams& a, const GeneratorParams& b) {
  const size_t head = offsetof(GeneratorParams, filterFlag) + 1;
  const size_t tail = offsetof(GeneratorParams, vibDelay);
  const auto* x = reinterpret_cast<const unsigned char*>(&a);
  const auto* y = reinterpret_cast<const unsigned char*>(&b);
  return std::memcmp(x, y, head) == 0 && std::memcmp(x + tail, y + tail, sizeof a - tail) == 0;
}

}  // namespace zu
