#pragma once
// Arithmetic shared by the synthesizer's stages. Intermediate values are
// carried in double and rounded to single precision exactly where a float is
// stored and where a formula calls Round(); constants written with an f
// suffix are single-precision values widened to double. Float-to-integer
// conversions go through TruncToInt32.

#include <cstdint>
#include <cstring>
#include <limits>

#include "generator/float_truncate.h"

namespace zu {
namespace synth {

/// Marks a stage's per-sample step, and the render loop's own steps, which
/// must be inlined into the loop: as calls (the compiler's size heuristics
/// make some of them calls) they would force the stages' state out of
/// registers into memory.
#if defined(__GNUC__)
#define ZU_ALWAYS_INLINE __attribute__((always_inline))
#else
#define ZU_ALWAYS_INLINE
#endif
#define ZU_STAGE_STEP inline ZU_ALWAYS_INLINE

/// Subsamples per output sample.
constexpr int kSubsamples = 8;

/// Rounds a double to single precision (overflow gives an infinity).
inline float Round(double v) { return static_cast<float>(v); }

/// Widens a float, for readability in the long formulas.
inline double D(float v) { return static_cast<double>(v); }

/// Adds one to a counter with two's-complement wrap-around.
inline int32_t Increment(int32_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v) + 1u); }

/// Absolute value; INT32_MIN stays INT32_MIN as on the x86 target.
inline int32_t AbsInt(int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  return static_cast<int32_t>(v < 0 ? 0u - u : u);
}

/// t / len as doubles, with the IEEE result for a zero length spelled out
/// (0 / 0 is not a number) rather than left to a division by zero.
inline double Ratio(int32_t t, int32_t len) {
  if (len == 0) {
    if (t == 0) return std::numeric_limits<double>::quiet_NaN();
    return t > 0 ? std::numeric_limits<double>::infinity()
                 : -std::numeric_limits<double>::infinity();
  }
  return static_cast<double>(t) / static_cast<double>(len);
}

/// The bits of a float, and a float stored from its bits (integer registers,
/// no aliasing concerns).
inline uint32_t FloatBits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}
inline void StoreFloatBits(float* dst, uint32_t bits) { std::memcpy(dst, &bits, sizeof bits); }

/// True when a and b have the same bits. A per-sample step x = f(x) whose
/// result has the bits of its argument keeps that value from then on, so a
/// stage may stop computing it.
inline bool SameBits(float a, float b) { return FloatBits(a) == FloatBits(b); }

/// One step of a multiplicative sweep: value times factor, rounded to float
/// and kept within lo to hi. Does nothing once settled; settles when a step
/// leaves the value's bits unchanged.
inline void SweepWithin(float& value, float factor, float lo, float hi, bool& settled) {
  if (settled) return;
  float v = Round(D(value) * D(factor));
  if (v < lo) v = lo;
  if (v > hi) v = hi;
  settled = SameBits(v, value);
  value = v;
}

}  // namespace synth
}  // namespace zu
