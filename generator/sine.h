#pragma once
// Correctly rounded single-precision sine, identical on every host and
// compiler: it uses no platform maths library, only IEEE double arithmetic
// (SSE2 doubles without contraction in every build of this project).

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

namespace zu {

/// sin(x) rounded to the nearest float, for every float x (NaN for NaN and
/// infinities). Inline quick route for |x| < 2^15; exact reduction beyond.
inline float SineF(float x);

/// SineF of two arguments at once (two-lane SSE2 where available): out[0] =
/// SineF(x0), out[1] = SineF(x1), bit for bit.
inline void SineFPair(float x0, float x1, float* out);

/// Same result as SineF, always taking the double-double route (exposed so
/// that the two independent computations can be checked against each other).
float SineFSlow(float x);

namespace sine_internal {

inline uint32_t FloatBits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

inline float BitsToFloat(uint32_t u) {
  float f;
  std::memcpy(&f, &u, sizeof f);
  return f;
}

inline constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
/// pi/2 in three pieces: the first two have at most 38 significant bits, so
/// their products with a quadrant count below 2^15 are exact.
inline constexpr double kPio2Part1 = 0x1.921fb5444p+0;
inline constexpr double kPio2Part2 = 0x1.68c234c4c8p-39;
inline constexpr double kPio2Part3 = -0x1.9d747f23e32edp-79;

/// Arguments below this use the three-piece reductions.
inline constexpr double kFastLimit = 0x1p15;
/// Relative error bound of the double evaluation (the analysis gives about
/// 2^-51; a factor of eight is kept in reserve).
inline constexpr double kFastErrorBound = 0x1p-48;

/// Taylor coefficients (-1)^n / (2n+1)! and (-1)^n / (2n)!. Their tails stay
/// below 2^-58 relative for |y| <= 0.8.
inline constexpr double kS3 = -1.0 / 6.0;
inline constexpr double kS5 = 1.0 / 120.0;
inline constexpr double kS7 = -1.0 / 5040.0;
inline constexpr double kS9 = 1.0 / 362880.0;
inline constexpr double kS11 = -1.0 / 39916800.0;
inline constexpr double kS13 = 1.0 / 6227020800.0;
inline constexpr double kS15 = -1.0 / 1307674368000.0;
inline constexpr double kS17 = 1.0 / 355687428096000.0;
inline constexpr double kC2 = -1.0 / 2.0;
inline constexpr double kC4 = 1.0 / 24.0;
inline constexpr double kC6 = -1.0 / 720.0;
inline constexpr double kC8 = 1.0 / 40320.0;
inline constexpr double kC10 = -1.0 / 3628800.0;
inline constexpr double kC12 = 1.0 / 479001600.0;
inline constexpr double kC14 = -1.0 / 87178291200.0;
inline constexpr double kC16 = 1.0 / 20922789888000.0;

/// sin(y) (even quadrant) or cos(y) (odd quadrant) for |y| <= 0.8, negated
/// in quadrants 2 and 3.
inline double EvalQuadrant(double y, uint32_t quadrant) {
  const double z = y * y;
  // Two halves of each polynomial, so their chains run side by side.
  const double z2 = z * z;
  const double z4 = z2 * z2;
  double r;
  if ((quadrant & 1u) == 0) {
    const double a = kS3 + z * (kS5 + z * (kS7 + z * kS9));
    const double b = kS11 + z * (kS13 + z * (kS15 + z * kS17));
    r = y + (y * z) * (a + z4 * b);
  } else {
    const double a = kC2 + z * (kC4 + z * (kC6 + z * kC8));
    const double b = kC10 + z * (kC12 + z * (kC14 + z * kC16));
    r = 1.0 + z * (a + z4 * b);
  }
  return (quadrant & 2u) ? -r : r;
}

/// The quick evaluation: ax = n x pi/32 + b with |b| <= pi/64, then
/// sin(ax) = sin(n pi/32) cos(b) + cos(n pi/32) sin(b) from a 64-entry table
/// and short polynomials. Its error stays below 2^-38 relative (the sine
/// polynomial's tail near the zero crossings dominates); the bound used keeps
/// a factor of four in reserve. When the result is too close to a rounding
/// boundary for that bound (about one call in two thousand), the accurate
/// routes decide.
inline constexpr double kThirtyTwoOverPi = 0x1.45f306dc9c883p+3;
/// pi/32 in three pieces; the first two have at most 34 significant bits, so
/// their products with an n below 2^19 are exact.
inline constexpr double kPi32Part1 = 0x1.921fb5448p-4;
inline constexpr double kPi32Part2 = -0x1.e973dcb38p-39;
inline constexpr double kPi32Part3 = -0x1.9cceba3f91f19p-74;
inline constexpr double kQuickErrorBound = 0x1p-36;
inline constexpr double kQuickS3 = -1.0 / 6.0;
inline constexpr double kQuickS5 = 1.0 / 120.0;
inline constexpr double kQuickC2 = -1.0 / 2.0;
inline constexpr double kQuickC4 = 1.0 / 24.0;
inline constexpr double kQuickC6 = -1.0 / 720.0;

struct SinCos {
  double sin;
  double cos;
};
/// sin and cos of n pi/32, n = 0 to 63, rounded to double (exact 0 and 1
/// at the multiples of pi/2).
inline constexpr SinCos kSinCosTable[64] = {
    {0x0p+0, 0x1p+0},
    {0x1.917a6bc29b42cp-4, 0x1.fd88da3d12526p-1},
    {0x1.8f8b83c69a60bp-3, 0x1.f6297cff75cbp-1},
    {0x1.294062ed59f06p-2, 0x1.e9f4156c62ddap-1},
    {0x1.87de2a6aea963p-2, 0x1.d906bcf328d46p-1},
    {0x1.e2b5d3806f63bp-2, 0x1.c38b2f180bdb1p-1},
    {0x1.1c73b39ae68c8p-1, 0x1.a9b66290ea1a3p-1},
    {0x1.44cf325091dd6p-1, 0x1.8bc806b151741p-1},
    {0x1.6a09e667f3bcdp-1, 0x1.6a09e667f3bcdp-1},
    {0x1.8bc806b151741p-1, 0x1.44cf325091dd6p-1},
    {0x1.a9b66290ea1a3p-1, 0x1.1c73b39ae68c8p-1},
    {0x1.c38b2f180bdb1p-1, 0x1.e2b5d3806f63bp-2},
    {0x1.d906bcf328d46p-1, 0x1.87de2a6aea963p-2},
    {0x1.e9f4156c62ddap-1, 0x1.294062ed59f06p-2},
    {0x1.f6297cff75cbp-1, 0x1.8f8b83c69a60bp-3},
    {0x1.fd88da3d12526p-1, 0x1.917a6bc29b42cp-4},
    {0x1p+0, 0x0p+0},
    {0x1.fd88da3d12526p-1, -0x1.917a6bc29b42cp-4},
    {0x1.f6297cff75cbp-1, -0x1.8f8b83c69a60bp-3},
    {0x1.e9f4156c62ddap-1, -0x1.294062ed59f06p-2},
    {0x1.d906bcf328d46p-1, -0x1.87de2a6aea963p-2},
    {0x1.c38b2f180bdb1p-1, -0x1.e2b5d3806f63bp-2},
    {0x1.a9b66290ea1a3p-1, -0x1.1c73b39ae68c8p-1},
    {0x1.8bc806b151741p-1, -0x1.44cf325091dd6p-1},
    {0x1.6a09e667f3bcdp-1, -0x1.6a09e667f3bcdp-1},
    {0x1.44cf325091dd6p-1, -0x1.8bc806b151741p-1},
    {0x1.1c73b39ae68c8p-1, -0x1.a9b66290ea1a3p-1},
    {0x1.e2b5d3806f63bp-2, -0x1.c38b2f180bdb1p-1},
    {0x1.87de2a6aea963p-2, -0x1.d906bcf328d46p-1},
    {0x1.294062ed59f06p-2, -0x1.e9f4156c62ddap-1},
    {0x1.8f8b83c69a60bp-3, -0x1.f6297cff75cbp-1},
    {0x1.917a6bc29b42cp-4, -0x1.fd88da3d12526p-1},
    {0x0p+0, -0x1p+0},
    {-0x1.917a6bc29b42cp-4, -0x1.fd88da3d12526p-1},
    {-0x1.8f8b83c69a60bp-3, -0x1.f6297cff75cbp-1},
    {-0x1.294062ed59f06p-2, -0x1.e9f4156c62ddap-1},
    {-0x1.87de2a6aea963p-2, -0x1.d906bcf328d46p-1},
    {-0x1.e2b5d3806f63bp-2, -0x1.c38b2f180bdb1p-1},
    {-0x1.1c73b39ae68c8p-1, -0x1.a9b66290ea1a3p-1},
    {-0x1.44cf325091dd6p-1, -0x1.8bc806b151741p-1},
    {-0x1.6a09e667f3bcdp-1, -0x1.6a09e667f3bcdp-1},
    {-0x1.8bc806b151741p-1, -0x1.44cf325091dd6p-1},
    {-0x1.a9b66290ea1a3p-1, -0x1.1c73b39ae68c8p-1},
    {-0x1.c38b2f180bdb1p-1, -0x1.e2b5d3806f63bp-2},
    {-0x1.d906bcf328d46p-1, -0x1.87de2a6aea963p-2},
    {-0x1.e9f4156c62ddap-1, -0x1.294062ed59f06p-2},
    {-0x1.f6297cff75cbp-1, -0x1.8f8b83c69a60bp-3},
    {-0x1.fd88da3d12526p-1, -0x1.917a6bc29b42cp-4},
    {-0x1p+0, 0x0p+0},
    {-0x1.fd88da3d12526p-1, 0x1.917a6bc29b42cp-4},
    {-0x1.f6297cff75cbp-1, 0x1.8f8b83c69a60bp-3},
    {-0x1.e9f4156c62ddap-1, 0x1.294062ed59f06p-2},
    {-0x1.d906bcf328d46p-1, 0x1.87de2a6aea963p-2},
    {-0x1.c38b2f180bdb1p-1, 0x1.e2b5d3806f63bp-2},
    {-0x1.a9b66290ea1a3p-1, 0x1.1c73b39ae68c8p-1},
    {-0x1.8bc806b151741p-1, 0x1.44cf325091dd6p-1},
    {-0x1.6a09e667f3bcdp-1, 0x1.6a09e667f3bcdp-1},
    {-0x1.44cf325091dd6p-1, 0x1.8bc806b151741p-1},
    {-0x1.1c73b39ae68c8p-1, 0x1.a9b66290ea1a3p-1},
    {-0x1.e2b5d3806f63bp-2, 0x1.c38b2f180bdb1p-1},
    {-0x1.87de2a6aea963p-2, 0x1.d906bcf328d46p-1},
    {-0x1.294062ed59f06p-2, 0x1.e9f4156c62ddap-1},
    {-0x1.8f8b83c69a60bp-3, 0x1.f6297cff75cbp-1},
    {-0x1.917a6bc29b42cp-4, 0x1.fd88da3d12526p-1},
};

/// sin(ax) for ax >= 0 (or NaN) off the fast route: huge arguments and the
/// rare results too close to a rounding boundary for the double evaluation.
float SinePositiveRare(float ax);

}  // namespace sine_internal

inline float SineF(float x) {
  using namespace sine_internal;
  // sin is odd and rounding to nearest is symmetric: work on |x| and give
  // the result x's sign bit (so -0 stays -0).
  const uint32_t sign = FloatBits(x) & 0x80000000u;
  const float axf = BitsToFloat(FloatBits(x) ^ sign);
  const double ax = static_cast<double>(axf);
  float result;
  if (ax < kFastLimit) {
    // n < 2^19, so n x part1 and n x part2 are exact, and ax - n x part1 is
    // exact (the two are within a factor of two of each other, or n is 0).
    const int32_t n = static_cast<int32_t>(ax * kThirtyTwoOverPi + 0.5);
    const double nd = static_cast<double>(n);
    double b = ax - nd * kPi32Part1;
    b = b - nd * kPi32Part2;
    b = b - nd * kPi32Part3;
    const double z = b * b;
    const double sinB = b + (b * z) * (kQuickS3 + z * kQuickS5);
    const double cosB = 1.0 + z * (kQuickC2 + z * (kQuickC4 + z * kQuickC6));
    const SinCos& t = kSinCosTable[n & 63];
    const double r = t.sin * cosB + t.cos * sinB;
    // The float nearest to every value within the error bound is the answer.
    // The test is symmetric, so err may carry r's sign.
    const double err = r * kQuickErrorBound;
    const float lower = static_cast<float>(r - err);
    const float upper = static_cast<float>(r + err);
    result = __builtin_expect(lower == upper, 1) ? lower : SinePositiveRare(axf);
  } else {
    result = SinePositiveRare(axf);
  }
  return BitsToFloat(FloatBits(result) ^ sign);
}

#if defined(__SSE2__)
namespace sine_internal {

/// _mm_cvttpd_epi32 for two lanes known to lie within the 32-bit range, where
/// every build truncates alike. WebAssembly has the instruction itself;
/// Emscripten's SSE2 header would emulate it lane by lane through lrint.
inline __m128i TruncLanesInRange(__m128d v) {
#if defined(__wasm_simd128__)
  return wasm_i32x4_trunc_sat_f64x2_zero(v);
#else
  return _mm_cvttpd_epi32(v);
#endif
}

#if defined(__wasm_simd128__)
/// The truncation of two lanes known to lie above 0 and below 2^31, as
/// doubles: their floor. WebAssembly engines convert to integers and back
/// lane by lane, checking each conversion; this takes one instruction.
inline __m128d PositiveWholeLanes(__m128d v) { return (__m128d)wasm_f64x2_floor((v128_t)v); }

/// Whole numbers 0 to 2^31 - 1 in two double lanes as 32-bit integers in
/// lanes 0 and 2: 2^52 added puts each in the low word of its lane, exactly.
inline v128_t LowWords(__m128d whole) {
  return wasm_f64x2_add((v128_t)whole, wasm_f64x2_splat(0x1p52));
}
#endif

/// The quick route of SineF in two lanes for the two floats in the low lanes
/// of x, both known to lie in [0, 2^15) with the sign bit clear: the same
/// IEEE operations in the same order, so each lane gives SineF's bits.
/// Returns the lanes too close to a rounding boundary (bit 0: out[0], bit 1:
/// out[1]); those still need SinePositiveRare of their argument, as in SineF.
inline int SineQuickLanesUnresolved(__m128 x, float* out) {
  const __m128d ax = _mm_cvtps_pd(x);
  const __m128d d = _mm_add_pd(_mm_mul_pd(ax, _mm_set1_pd(kThirtyTwoOverPi)), _mm_set1_pd(0.5));
#if defined(__wasm_simd128__)
  const __m128d nd = PositiveWholeLanes(d);
  const v128_t n = LowWords(nd);
#else
  const __m128i n = TruncLanesInRange(d);
  const __m128d nd = _mm_cvtepi32_pd(n);
#endif
  __m128d b = _mm_sub_pd(ax, _mm_mul_pd(nd, _mm_set1_pd(kPi32Part1)));
  b = _mm_sub_pd(b, _mm_mul_pd(nd, _mm_set1_pd(kPi32Part2)));
  b = _mm_sub_pd(b, _mm_mul_pd(nd, _mm_set1_pd(kPi32Part3)));
  const __m128d z = _mm_mul_pd(b, b);
  const __m128d sinB = _mm_add_pd(
      b, _mm_mul_pd(_mm_mul_pd(b, z),
                    _mm_add_pd(_mm_set1_pd(kQuickS3), _mm_mul_pd(z, _mm_set1_pd(kQuickS5)))));
  const __m128d cosB = _mm_add_pd(
      _mm_set1_pd(1.0),
      _mm_mul_pd(z, _mm_add_pd(_mm_set1_pd(kQuickC2),
                               _mm_mul_pd(z, _mm_add_pd(_mm_set1_pd(kQuickC4),
                                                        _mm_mul_pd(z, _mm_set1_pd(kQuickC6)))))));
#if defined(__wasm_simd128__)
  const SinCos& t0 = kSinCosTable[wasm_i32x4_extract_lane(n, 0) & 63];
  const SinCos& t1 = kSinCosTable[wasm_i32x4_extract_lane(n, 2) & 63];
#else
  const SinCos& t0 = kSinCosTable[_mm_cvtsi128_si32(n) & 63];
  const SinCos& t1 = kSinCosTable[_mm_cvtsi128_si32(_mm_srli_si128(n, 4)) & 63];
#endif
  const __m128d r = _mm_add_pd(_mm_mul_pd(_mm_set_pd(t1.sin, t0.sin), cosB),
                               _mm_mul_pd(_mm_set_pd(t1.cos, t0.cos), sinB));
  const __m128d err = _mm_mul_pd(r, _mm_set1_pd(kQuickErrorBound));
  const __m128 lower = _mm_cvtpd_ps(_mm_sub_pd(r, err));
  const __m128 upper = _mm_cvtpd_ps(_mm_add_pd(r, err));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_castps_si128(lower));
  return ~_mm_movemask_ps(_mm_cmpeq_ps(lower, upper)) & 3;
}

/// SineQuickLanesUnresolved with the unresolved lanes resolved.
inline void SineQuickLanes(__m128 x, float* out) {
  const int unresolved = SineQuickLanesUnresolved(x, out);
  if (__builtin_expect(unresolved == 0, 1)) return;
  float args[4];
  _mm_storeu_ps(args, x);
  if (unresolved & 1) out[0] = SinePositiveRare(args[0]);
  if (unresolved & 2) out[1] = SinePositiveRare(args[1]);
}

}  // namespace sine_internal
#endif

inline void SineFPair(float x0, float x1, float* out) {
#if defined(__SSE2__)
  using namespace sine_internal;
  // Sign bit clear and below the limit (excludes -0, NaN and infinities);
  // other lanes go through SineF itself.
  const uint32_t limit = FloatBits(static_cast<float>(kFastLimit));
  if (FloatBits(x0) < limit && FloatBits(x1) < limit) {
    SineQuickLanes(_mm_set_ps(0.0f, 0.0f, x1, x0), out);
    return;
  }
#endif
  out[0] = SineF(x0);
  out[1] = SineF(x1);
}

}  // namespace zu
