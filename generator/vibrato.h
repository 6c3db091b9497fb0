#pragma once
// The vibrato: a sine of the sample count that scales the period. Only the
// whole period in subsamples leaves this stage, so the exact single-precision
// sine is needed only when a short evaluation cannot tell which whole number
// the scaled period truncates to.

#include <cstdint>
#include <limits>

#include "generator/sine.h"
#include "generator/sound_generator.h"
#include "generator/synth_math.h"

namespace zu {
namespace synth {

class Vibrato {
 public:
  /// Phase 0; step and depth from the speed and depth parameters.
  void Init(const GeneratorParams& p);
  void Load(const SynthState& s);
  void Store(SynthState& s) const;

  /// True when the vibrato changes the period (a depth above 0).
  bool Active() const { return amplitude_ > 0.0f; }

  /// Advances the phase by one sample and returns the period of a sound
  /// whose unscaled period is periodExact:
  /// TruncToInt32(Round(periodExact x (1 + SineF(phase) x amplitude))),
  /// bit for bit, out-of-range and NaN results (INT32_MIN) included.
  ZU_STAGE_STEP int32_t Period(double periodExact) {
    const int i = next_;
    phase_ = aheadPhase_[i];
    const double sine = aheadSine_[i];
    // The next two samples' short sines do not depend on the period:
    // computed a sample ahead, and two at a time, they are ready before the
    // periods that need them.
    if (i == 0) {
      next_ = 1;
    } else {
      LookAhead();
    }
    const double y = periodExact * (1.0 + sine * D(amplitude_));
    const double margin = AbsDouble(periodExact) * margin_;
    const int32_t low = TruncToInt32(y - margin);
    const int32_t high = TruncToInt32(y + margin);
    if (low == high && low != INT32_MIN) return low;
    return ExactPeriod(phase_, amplitude_, periodExact);
  }

 private:
  /// The two phases after this one, and their short sines: NaN for a phase
  /// outside the short route's range (below 2^20, not negative, not NaN),
  /// which makes the period take the exact route.
  ZU_STAGE_STEP void LookAhead() {
    // A float sum rounds once, as Round(D(phase) + D(step)) does.
    aheadPhase_[0] = phase_ + step_;
    aheadPhase_[1] = aheadPhase_[0] + step_;
    next_ = 0;
#if defined(__SSE2__)
    if (FloatBits(aheadPhase_[0]) < kShortLimitBits &&
        FloatBits(aheadPhase_[1]) < kShortLimitBits) {
      _mm_storeu_pd(aheadSine_, ShortSinePair(_mm_set_pd(D(aheadPhase_[1]), D(aheadPhase_[0]))));
      return;
    }
#endif
    for (int k = 0; k < 2; ++k) {
      aheadSine_[k] = FloatBits(aheadPhase_[k]) < kShortLimitBits
                          ? ShortSine(D(aheadPhase_[k]))
                          : std::numeric_limits<double>::quiet_NaN();
    }
  }

  /// sin(x) for 0 <= x < 2^20 within 3e-9: x = n pi/32 + b, the table's
  /// sin and cos of n pi/32, and short polynomials in b (|b| <= pi/64, where
  /// the truncation errors are b^5/120 < 2.4e-9 and b^6/720 < 2e-11; the
  /// reduction adds below 3e-10).
  static double ShortSine(double x) {
    using namespace sine_internal;
    const int32_t n = static_cast<int32_t>(x * kThirtyTwoOverPi + 0.5);
    const double b = x - static_cast<double>(n) * kPiOver32;
    const double z = b * b;
    const SinCos& t = kSinCosTable[n & 63];
    const double sinB = b + (b * z) * (-1.0 / 6.0);
    const double cosB = 1.0 + z * (-0.5 + z * (1.0 / 24.0));
    return t.sin * cosB + t.cos * sinB;
  }

#if defined(__SSE2__)
  /// ShortSine of both lanes, the same operations in two-lane SSE2.
  static __m128d ShortSinePair(__m128d x) {
    using namespace sine_internal;
    auto c = [](int i) { return _mm_load_pd(kPairConstants[i]); };
#if defined(__wasm_simd128__)
    // 0 <= x: the lanes lie above 0 (see sine.h).
    const __m128d nd = PositiveWholeLanes(_mm_add_pd(_mm_mul_pd(x, c(kScale)), c(kHalf)));
    const v128_t n = LowWords(nd);
    const __m128d b = _mm_sub_pd(x, _mm_mul_pd(nd, c(kStep)));
#else
    const __m128i n = TruncLanesInRange(_mm_add_pd(_mm_mul_pd(x, c(kScale)), c(kHalf)));
    const __m128d b = _mm_sub_pd(x, _mm_mul_pd(_mm_cvtepi32_pd(n), c(kStep)));
#endif
    const __m128d z = _mm_mul_pd(b, b);
    const __m128d sinB = _mm_add_pd(b, _mm_mul_pd(_mm_mul_pd(b, z), c(kS3)));
    const __m128d cosB =
        _mm_add_pd(c(kOne), _mm_mul_pd(z, _mm_add_pd(c(kC2), _mm_mul_pd(z, c(kC4)))));
#if defined(__wasm_simd128__)
    const SinCos& t0 = kSinCosTable[wasm_i32x4_extract_lane(n, 0) & 63];
    const SinCos& t1 = kSinCosTable[wasm_i32x4_extract_lane(n, 2) & 63];
#else
    const SinCos& t0 = kSinCosTable[_mm_cvtsi128_si32(n) & 63];
    const SinCos& t1 = kSinCosTable[_mm_cvtsi128_si32(_mm_srli_si128(n, 4)) & 63];
#endif
    return _mm_add_pd(_mm_mul_pd(_mm_set_pd(t1.sin, t0.sin), cosB),
                      _mm_mul_pd(_mm_set_pd(t1.cos, t0.cos), sinB));
  }
  /// ShortSine's constants in both lanes, in the order of this list.
  enum PairConstant { kScale, kHalf, kStep, kS3, kOne, kC2, kC4, kPairConstantCount };
  /// Defined in vibrato.cpp, out of the compiler's sight here: each is then
  /// read as one memory operand, where a known value would be rebuilt from a
  /// scalar in two instructions every time.
  alignas(16) static const double kPairConstants[kPairConstantCount][2];
#endif

  /// margin_ for a depth (see there).
  static double MarginFor(float amplitude) { return (1.0 + AbsDouble(D(amplitude))) * 0x1p-21; }

  /// |v| (a sign-bit mask; NaN stays NaN).
  static double AbsDouble(double v) { return __builtin_fabs(v); }

  /// The period through the exact sine (the rare case, and phases the short
  /// route does not take).
  /// (Static, so that the stage's state need not leave registers for it.)
  static int32_t ExactPeriod(float phase, float amplitude, double periodExact);

  static constexpr double kPiOver32 = 0x1.921fb54442d18p-4;  ///< nearest double
  static constexpr uint32_t kShortLimitBits = 0x49800000u;   ///< 2^20 as a float

  float phase_ = 0.0f;        ///< vibrato phase in radians
  float aheadPhase_[2] = {};  ///< the next two samples' phases
  double aheadSine_[2] = {};  ///< their short sines, or NaN
  int next_ = 0;              ///< the entry of aheadPhase_ the next sample takes
  float step_ = 0.0f;         ///< phase step per sample, 0 or more (or NaN)
  float amplitude_ = 0.0f;    ///< depth as a fraction of the period
  /// Bounds the distance between the short evaluation and the exact rounded
  /// period, relative to |periodExact|: (1 + amplitude) x 2^-21. The sine's
  /// float rounding and the short sine's error stay below 2^-24 x amplitude;
  /// the double roundings and the float rounding of the period below
  /// (1 + amplitude) x 2^-23; the rest is reserve.
  double margin_ = 0.0;
};

inline void Vibrato::Load(const SynthState& s) {
  phase_ = s.vibPhase;
  step_ = s.vibStep;
  amplitude_ = s.vibAmplitude;
  margin_ = MarginFor(amplitude_);
  LookAhead();
}

inline void Vibrato::Store(SynthState& s) const {
  s.vibPhase = phase_;
  s.vibStep = step_;
  s.vibAmplitude = amplitude_;
}

}  // namespace synth
}  // namespace zu
