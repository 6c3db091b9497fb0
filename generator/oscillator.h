#pragma once
// The oscillator, one class per wave type: square with variable duty,
// sawtooth, sine, noise from a 32-entry random table, and silence. Prepare
// advances the phase by one sample (eight subsamples) and writes the
// subsamples that come cheaply; the sine leaves its costly part to
// ProcessPair, which gives the subsamples two at a time, so that the render
// can spread them over the previous sample's filter work.

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "generator/random_source.h"
#include "generator/sine.h"
#include "generator/sound_generator.h"
#include "generator/synth_math.h"

namespace zu {
namespace synth {

/// Wave type numbers of the parameter block.
enum WaveType { kSquare = 0, kSawtooth = 1, kSine = 2, kNoise = 3 };

/// The position within the period, in subsamples, common to every wave.
class OscillatorPhase {
 public:
  /// Starts at phase 0.
  void Init(const GeneratorParams&) { phase_ = 0; }
  void Load(const SynthState& s) { phase_ = s.phase; }
  void Store(SynthState& s) const { s.phase = phase_; }
  /// Subsamples first and first + 1 of the prepared sample (first even):
  /// only the sine has work left there.
  void ProcessPair(int, float*) {}
  /// Completes the prepared sample after its pairs (the sine's rare lanes).
  void Finish(float*) {}

 protected:
  /// Advances one sample: phases[k] is the phase of subsample k, 0 to
  /// period - 1. Returns true when the first subsample wrapped; a later
  /// subsample k wrapped when phases[k] is 0.
  bool Advance(int32_t period, int32_t* phases) {
    // The phase stays below the largest period (2^31 - 128, the largest
    // float under 2^31), so neither increment can overflow. A period is at
    // least 8 subsamples, so the other seven wrap at most once, to 0 when
    // the phase reaches the period.
    int32_t first = Increment(phase_);
    const bool wrapped = first >= period;
    if (wrapped) first = first % period;
#if defined(__SSE2__)
    const __m128i start = _mm_set1_epi32(first);
    const __m128i length = _mm_set1_epi32(period);
    const __m128i last = _mm_set1_epi32(period - 1);
    for (int k = 0; k < kSubsamples; k += 4) {
      const __m128i p = _mm_add_epi32(start, _mm_setr_epi32(k, k + 1, k + 2, k + 3));
      const __m128i wrap = _mm_and_si128(_mm_cmpgt_epi32(p, last), length);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(phases + k), _mm_sub_epi32(p, wrap));
    }
#else
    for (int k = 0; k < kSubsamples; ++k) {
      const int32_t p = first + k;
      phases[k] = p >= period ? p - period : p;
    }
#endif
    phase_ = phases[kSubsamples - 1];
    return wrapped;
  }

  int32_t phase_ = 0;
};

/// The square wave: +0.5 while the phase is below duty x period, else -0.5.
class SquareOscillator : public OscillatorPhase {
 public:
  /// Advances the phase by one sample at the given period (8 or more) and
  /// duty, and writes its eight subsamples.
  void Prepare(int32_t period, float duty, float* wave) {
    if (period != period_ || !SameBits(duty, duty_)) {
      threshold_ = HighThreshold(duty, period);
      period_ = period;
      duty_ = duty;
    }
    int32_t phases[kSubsamples];
    Advance(period, phases);
    if (threshold_ < 0) {
      for (int k = 0; k < kSubsamples; ++k) {
        const float f = Round(static_cast<double>(phases[k]) / static_cast<double>(period));
        wave[k] = f < duty ? 0.5f : -0.5f;
      }
      return;
    }
#if defined(__SSE2__)
    // -0.5 with the sign bit flipped where the phase is below the threshold.
    const __m128i threshold = _mm_set1_epi32(threshold_);
    const __m128 sign = _mm_set1_ps(-0.0f);
    for (int k = 0; k < kSubsamples; k += 4) {
      const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(phases + k));
      const __m128 high = _mm_castsi128_ps(_mm_cmplt_epi32(p, threshold));
      _mm_storeu_ps(wave + k, _mm_xor_ps(_mm_set1_ps(-0.5f), _mm_and_ps(high, sign)));
    }
#else
    for (int k = 0; k < kSubsamples; ++k) wave[k] = phases[k] < threshold_ ? 0.5f : -0.5f;
#endif
  }

  /// The wave is high while Round(phase / period) < duty. That holds
  /// exactly for the phases below a threshold (division and rounding are
  /// both monotonic), found here with a few divisions. Returns -1 when the
  /// threshold is not sure to be found this way (long periods, where
  /// 1 / period is below a float ulp of duty): then every subsample compares.
  static int32_t HighThreshold(float duty, int32_t period);

 private:
  int32_t threshold_ = -1;
  int32_t period_ = 0;  ///< no period yet: the first sample finds the threshold
  float duty_ = 0.0f;
};

/// The sawtooth: from 1 at the start of the period down to -1.
class SawtoothOscillator : public OscillatorPhase {
 public:
  void Prepare(int32_t period, float, float* wave) {
    int32_t phases[kSubsamples];
    Advance(period, phases);
    for (int k = 0; k < kSubsamples; ++k) {
      const float f = Round(static_cast<double>(phases[k]) / static_cast<double>(period));
      wave[k] = Round(1.0 - 2.0 * D(f));
    }
  }
};

/// The sine: sin(2 x f x pi) with f = phase / period, argument and sine
/// rounded.
class SineOscillator : public OscillatorPhase {
 public:
  /// Advances the phase and computes the sample's eight sine arguments; the
  /// sines themselves come from ProcessPair and Finish.
  void Prepare(int32_t period, float, float*) {
    int32_t phases[kSubsamples];
    Advance(period, phases);
    constexpr float kPi = 3.14159274f;  // pi rounded to single precision
#if defined(__SSE2__)
    // Phase and period below 2^24 are exact floats. Their quotient rounded
    // to double and then to float is the quotient rounded to float once (53
    // >= 2 x 24 + 2 bits: the double rounding is harmless), and the product
    // of two floats is exact in double, so the float operations give the
    // double formula's bits, four lanes at a time.
    if (period < (1 << 24)) {
      const __m128 divisor = _mm_set1_ps(static_cast<float>(period));
      for (int k = 0; k < kSubsamples; k += 4) {
        const __m128 ph =
            _mm_cvtepi32_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(phases + k)));
        const __m128 f = _mm_div_ps(ph, divisor);
        _mm_storeu_ps(args_ + k, _mm_mul_ps(_mm_add_ps(f, f), _mm_set1_ps(kPi)));
      }
      return;
    }
#endif
    for (int k = 0; k < kSubsamples; ++k) {
      const float f = Round(static_cast<double>(phases[k]) / static_cast<double>(period));
      args_[k] = Round(2.0 * D(f) * D(kPi));
    }
  }
  /// Prepare, with the sample's eight sine arguments (0 to 2pi) copied to
  /// args, for SinesInPlace.
  void PrepareArguments(int32_t period, float* args) {
    Prepare(period, 0.0f, nullptr);
    std::memcpy(args, args_, sizeof args_);
  }
#if defined(__SSE2__)
  /// Replaces count arguments from PrepareArguments (a multiple of four) by
  /// their sines, four at a time: SineF's bits, as ProcessPair and Finish
  /// give them.
  static void SinesInPlace(float* wave, int count) {
    using namespace sine_internal;
#pragma GCC unroll 2
    for (int i = 0; i < count; i += 4) {
      float args[4];
      std::memcpy(args, wave + i, sizeof args);
      const auto pair = [&](int k) {
        return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(args + k)));
      };
      const int unresolved = SineQuickLanesUnresolved(pair(0), wave + i) |
                             SineQuickLanesUnresolved(pair(2), wave + i + 2) << 2;
      if (__builtin_expect(unresolved != 0, 0)) {
        for (int k = 0; k < 4; ++k) {
          if ((unresolved >> k) & 1) wave[i + k] = SinePositiveRare(args[k]);
        }
      }
    }
  }
#endif
  void ProcessPair(int first, float* wave) {
#if defined(__SSE2__)
    // 0 <= f < 1, so the arguments lie in [0, 2pi]: the quick lanes apply.
    // The rare lanes are left to Finish, out of the filters' way.
    const __m128 x =
        _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(args_ + first)));
    const int unresolved = sine_internal::SineQuickLanesUnresolved(x, wave);
    if (__builtin_expect(unresolved != 0, 0))
      unresolved_ |= static_cast<uint32_t>(unresolved) << first;
#else
    wave[0] = SineF(args_[first]);
    wave[1] = SineF(args_[first + 1]);
#endif
  }
  /// Completes the subsamples whose sine the pairs left unresolved.
  void Finish(float* wave) {
    if (__builtin_expect(unresolved_ == 0, 1)) return;
    for (int k = 0; k < kSubsamples; ++k) {
      if ((unresolved_ >> k) & 1u) wave[k] = sine_internal::SinePositiveRare(args_[k]);
    }
    unresolved_ = 0;
  }

 private:
  uint32_t unresolved_ = 0;       ///< bit k: subsample k needs the rare route
  float args_[kSubsamples] = {};  ///< the prepared sample's sine arguments
};

/// Noise: the table entry for the current 1/32 of the period; the table is
/// refilled with new draws at every wrap of the phase.
class NoiseOscillator : public OscillatorPhase {
 public:
  /// Phase 0 and a new table: 32 draws from the random source.
  void Init(const GeneratorParams& p) {
    OscillatorPhase::Init(p);
    Refill();
  }
  void Load(const SynthState& s) {
    OscillatorPhase::Load(s);
    for (int i = 0; i < 32; ++i) table_[i] = s.noiseTable[i];
  }
  void Store(SynthState& s) const {
    OscillatorPhase::Store(s);
    for (int i = 0; i < 32; ++i) s.noiseTable[i] = table_[i];
  }

  /// Advances the phase by one sample and reads the table for its
  /// subsamples, refilling it at each wrap before the wrapped subsample.
  void Prepare(int32_t period, float, float* wave) {
    int32_t phases[kSubsamples];
    if (Advance(period, phases)) Refill();
    const double part = static_cast<double>(period) / 32.0;
    const int32_t index = Index(phases[0], part);
    // Without a later wrap, subsample k is at phase + k, and 32 x (phase + k)
    // lies rest + 32 x k past index x period. From a period of 32 x 8
    // subsamples on, that is less than two periods: the index is the first
    // one or the next, and no division is needed for the others.
    if (phases[kSubsamples - 1] >= phases[0] && period >= 32 * kSubsamples) {
      const int64_t rest = 32 * static_cast<int64_t>(phases[0]) -
                           static_cast<int64_t>(index) * static_cast<int64_t>(period);
      const int32_t edge = static_cast<int32_t>(period - rest);  // 32 x k from here: next index
      const float now = table_[index];
      const float later = table_[(index + 1) & 31];
#if defined(__SSE2__)
      const __m128i beforeEdge = _mm_set1_epi32(edge - 1);
      for (int k = 0; k < kSubsamples; k += 4) {
        const __m128i at = _mm_setr_epi32(32 * k, 32 * (k + 1), 32 * (k + 2), 32 * (k + 3));
        const __m128 past = _mm_castsi128_ps(_mm_cmpgt_epi32(at, beforeEdge));
        _mm_storeu_ps(wave + k, _mm_or_ps(_mm_and_ps(past, _mm_set1_ps(later)),
                                          _mm_andnot_ps(past, _mm_set1_ps(now))));
      }
#else
      for (int k = 0; k < kSubsamples; ++k) wave[k] = 32 * k >= edge ? later : now;
#endif
      return;
    }
    for (int k = 0; k < kSubsamples; ++k) {
      if (k > 0 && phases[k] == 0) Refill();
      wave[k] = table_[Index(phases[k], part)];
    }
  }

 private:
  /// (phase x 32) / period in integer division, as phase / (period / 32) in
  /// double (part = period / 32): both operands are exact, and a quotient
  /// below 32 that is not an integer lies at least 1 / period (> 2^-31) from
  /// the next one, far more than its rounding error, so truncating it gives
  /// the same.
  static int32_t Index(int32_t phase, double part) {
    return static_cast<int32_t>(static_cast<double>(phase) / part) & 31;
  }

  /// 32 draws of RandomUpTo(2.0) - 1.0, made on a local copy of the
  /// random state and stored back (out of line: once a period at most; and
  /// static, so that only the table need be in memory).
  void Refill() { RefillTable(table_); }
  static void RefillTable(float* table);

  float table_[32] = {};
};

/// Any other wave type: silence, the phase still running.
class SilentOscillator : public OscillatorPhase {
 public:
  void Prepare(int32_t period, float, float* wave) {
    int32_t phases[kSubsamples];
    Advance(period, phases);
    for (int k = 0; k < kSubsamples; ++k) wave[k] = 0.0f;
  }
};

}  // namespace synth
}  // namespace zu
