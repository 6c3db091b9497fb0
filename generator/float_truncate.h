#pragma once
// Float-to-integer conversion as the 32-bit x86 target performs it, without
// undefined behaviour on any host.

#include <cstdint>

namespace zu {

/// Truncates toward zero. NaN and values outside the signed 32-bit range give
/// INT32_MIN, the x86 "integer indefinite" value.
inline int32_t TruncToInt32(double v) {
  if (v > -2147483649.0 && v < 2147483648.0) return static_cast<int32_t>(v);
  return INT32_MIN;
}

}  // namespace zu
