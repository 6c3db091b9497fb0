#pragma once
// Float-to-integer conversion as the 32-bit x86 target performs it, without
// undefined behaviour on any host.

#include <cstdint>

namespace zu {

/// Truncates toward zero. NaN and values outside the signed 32-bit range give
/// INT32_MIN, the x86 "integer indefinite" value.
inline int32_t TruncToInt32(double v) {
#if defined(__GNUC__) && defined(__SSE2__) && (defined(__i386__) || defined(__x86_64__))
  // The SSE2 conversion gives exactly this, the indefinite value included.
  // It is spelled out in assembly: in C++ the out-of-range conversion is
  // undefined, and the compiler folds the intrinsic on constants to a
  // saturated value. Constants take the portable route below.
  if (!__builtin_constant_p(v)) {
    int32_t r;
    __asm__("cvttsd2si %1, %0" : "=r"(r) : "x"(v));
    return r;
  }
#endif
  if (v > -2147483649.0 && v < 2147483648.0) return static_cast<int32_t>(v);
  return INT32_MIN;
}

}  // namespace zu
