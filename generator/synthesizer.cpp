// The synthesis engine: StartSynthesis derives the state from the parameters,
// Synthesize advances it sample by sample into 16-bit samples.
//
// Bit exactness: intermediate arithmetic is carried in double and rounded to
// single precision exactly where a float is stored and at the intermediate
// points marked with Round(); constants written with an f suffix are
// single-precision values widened to double. Float-to-integer conversions go
// through TruncToInt32.

#include <cstdint>
#include <limits>

#include "generator/float_truncate.h"
#include "generator/random_source.h"
#include "generator/sine.h"
#include "generator/sound_generator.h"

static_assert(std::numeric_limits<double>::is_iec559, "IEEE double required");
static_assert(std::numeric_limits<float>::is_iec559, "IEEE float required");

namespace zu {
namespace {

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

/// Repeat and arpeggio interval from a speed parameter: q = (1 - speed)^2
/// with both steps rounded to single precision, then q x 20000 + 32.
inline int32_t IntervalFromSpeed(float speed) {
  const float a = Round(1.0 - D(speed));
  const float q = Round(D(a) * D(a));
  return TruncToInt32(D(q) * 20000.0 + 32.0);
}

/// Refills the noise table with 32 draws of RandomUpTo(2.0) - 1.0. The draws
/// are made on a local copy of the runtime-style random state, then stored
/// back, so the hot loop does not call out 32 times per period.
void RefillNoise(float* table) {
  uint32_t state = RandState();
  for (int i = 0; i < 32; ++i) {
    state = state * 214013u + 2531011u;
    const int k = static_cast<int>((state >> 16) & 0x7FFFu) % 10001;
    const float draw = Round(static_cast<double>(k) / 10000.0 * 2.0);
    table[i] = Round(D(draw) - 1.0);
  }
  SeedRand(state);
}

enum Wave { kSquare = 0, kSawtooth = 1, kSine = 2, kNoise = 3, kSilent = 4 };

/// Stores a sample as signed 16-bit little-endian at out[index], byte by byte
/// (the same bytes on every host, no aliasing concerns).
inline void StoreSample(int16_t* out, int32_t index, int32_t value) {
  unsigned char* p = reinterpret_cast<unsigned char*>(out) + 2 * static_cast<int64_t>(index);
  const uint32_t u = static_cast<uint32_t>(value);
  p[0] = static_cast<unsigned char>(u & 0xFFu);
  p[1] = static_cast<unsigned char>((u >> 8) & 0xFFu);
}

/// What one sample's subsamples need from the per-sample work.
struct SampleControl {
  int32_t period;
  float duty;
  double envelopeVolume;
  uint32_t phaserDelay;
  double hpCoef;
};

/// The per-sample work (repeat, arpeggio, slide, vibrato, duty, envelope,
/// phaser delay, high-pass sweep). None of it depends on the signal, so it is
/// run for a batch of samples ahead of their subsamples: the long chains of
/// both then overlap instead of waiting for each other.
inline SampleControl AdvanceControl(SoundGenerator& gen) {
  SynthState& st = gen.state;
  // Repeat: restart the pitch path.
  st.repeatTime = Increment(st.repeatTime);
  if (st.repeatLimit != 0 && st.repeatTime >= st.repeatLimit) {
    st.repeatTime = 0;
    gen.StartSynthesis(true);
  }

  // Arpeggio: one pitch jump per start or repeat.
  st.arpTime = Increment(st.arpTime);
  if (st.arpLimit != 0 && st.arpTime >= st.arpLimit) {
    st.arpLimit = 0;
    st.periodExact = st.periodExact * st.arpFactor;
  }

  // Slide, down to the lowest pitch.
  st.slideFactor = st.slideFactor + st.slideDelta;
  st.periodExact = st.periodExact * st.slideFactor;
  if (st.periodExact > st.periodLimit) {
    st.periodExact = st.periodLimit;
    if (gen.params.minFreq > 0.0f) st.playing = 0;  // this sample is still completed
  }

  // Vibrato.
  float p = Round(st.periodExact);
  if (st.vibAmplitude > 0.0f) {
    st.vibPhase = Round(D(st.vibPhase) + D(st.vibStep));
    p = Round(st.periodExact * (1.0 + D(SineF(st.vibPhase)) * D(st.vibAmplitude)));
  }
  int32_t period = TruncToInt32(D(p));
  if (period < 8) period = 8;
  st.period = period;

  // Duty.
  st.duty = Round(D(st.duty) + D(st.dutyStep));
  if (st.duty < 0.0f) st.duty = 0.0f;
  if (st.duty > 0.5f) st.duty = 0.5f;

  // Envelope.
  st.envelopeTime = Increment(st.envelopeTime);
  if (st.envelopeStage < 3 && st.envelopeTime > st.envelopeLength[st.envelopeStage]) {
    st.envelopeTime = 0;
    st.envelopeStage += 1;
    if (st.envelopeStage == 3) st.playing = 0;
  }
  switch (st.envelopeStage) {
    case 0:
      st.envelopeVolume = Round(Ratio(st.envelopeTime, st.envelopeLength[0]));
      break;
    case 1: {
      const float r = Round(1.0 - Ratio(st.envelopeTime, st.envelopeLength[1]));
      st.envelopeVolume = Round(1.0 + D(r) * 2.0 * D(gen.params.sustainPunch));
      break;
    }
    case 2:
      st.envelopeVolume = Round(1.0 - Ratio(st.envelopeTime, st.envelopeLength[2]));
      break;
    default:
      break;  // finished: the last sample keeps the previous gain
  }

  // Phaser delay.
  st.phaserPosition = Round(D(st.phaserPosition) + D(st.phaserStep));
  int32_t delay = AbsInt(TruncToInt32(D(st.phaserPosition)));
  if (delay > 1023) delay = 1023;
  st.phaserDelay = delay;

  // High-pass coefficient sweep.
  if (st.hpCoefFactor != 0.0f) {
    st.hpCoef = Round(D(st.hpCoef) * D(st.hpCoefFactor));
    if (st.hpCoef < 0.00001f) st.hpCoef = 0.00001f;
    if (st.hpCoef > 0.1f) st.hpCoef = 0.1f;
  }

  return SampleControl{period, st.duty, D(st.envelopeVolume), static_cast<uint32_t>(delay),
                       D(st.hpCoef)};
}

/// The square wave is high while Round(phase / period) < duty. That holds
/// exactly for the phases below a threshold (division and rounding are both
/// monotonic), found here with a few divisions per sample instead of one per
/// subsample. Returns -1 when the threshold is not sure to be found this way
/// (long periods, where 1 / period is below a float ulp of duty); the caller
/// then compares every subsample.
inline int32_t SquareThreshold(float duty, int32_t period) {
  if (period > (1 << 20)) return -1;
  if (!(duty > 0.0f)) return 0;  // duty 0 (or not a number): never high
  // Below start, phase / period < duty - 1/period, which no rounding to
  // float can lift to duty for these periods.
  int32_t p = TruncToInt32(D(duty) * static_cast<double>(period)) - 2;
  if (p < 0) p = 0;
  for (int step = 0; step < 8; ++step) {
    if (!(Round(static_cast<double>(p) / static_cast<double>(period)) < duty)) return p;
    ++p;
  }
  return -1;
}

/// Two of the sine wave's subsamples from their phases: f = phase / period
/// rounded, the argument 2 x f x pi rounded, then the float sine. Both lanes
/// at once where SSE2 is available (same operations, same bits).
inline void SineSubsamplePair(int32_t first, int32_t second, int32_t period, float* out) {
  constexpr double kPi = 3.1415927410125732;  // pi rounded to single precision
#if defined(__SSE2__)
  const __m128d ph = _mm_set_pd(static_cast<double>(second), static_cast<double>(first));
  const __m128 f = _mm_cvtpd_ps(_mm_div_pd(ph, _mm_set1_pd(static_cast<double>(period))));
  const __m128d arg = _mm_mul_pd(_mm_mul_pd(_mm_set1_pd(2.0), _mm_cvtps_pd(f)), _mm_set1_pd(kPi));
  // 0 <= f < 1, so the arguments lie in [0, 2pi]: the quick lanes apply.
  sine_internal::SineQuickLanes(_mm_cvtpd_ps(arg), out);
#else
  const float f0 = Round(static_cast<double>(first) / static_cast<double>(period));
  const float f1 = Round(static_cast<double>(second) / static_cast<double>(period));
  out[0] = SineF(Round(2.0 * D(f0) * kPi));
  out[1] = SineF(Round(2.0 * D(f1) * kPi));
#endif
}

/// The sine wave's phase step: phase stays below the largest period, so the
/// increment cannot overflow.
inline int32_t SineAdvance(int32_t& phase, int32_t period) {
  phase = Increment(phase);
  if (phase >= period) phase = phase % period;
  return phase;
}

/// Samples whose per-sample work is done in one batch.
constexpr int kBatch = 32;

/// The sample loop for one wave type (a template so that the oscillator
/// choice is made once per render, not once per subsample).
template <int kWave>
void RenderLoop(SoundGenerator& gen, int32_t length, int16_t* out) {
  const GeneratorParams& prm = gen.params;
  SynthState& st = gen.state;
  const bool lpBypass = prm.lpCutoff == 1.0f;
  const double masterVolume = D(prm.masterVolume);
  const double volumeTwice = D(prm.soundVolume) + D(prm.soundVolume);

  // Per-subsample state lives in locals: the sample stores go through a
  // character pointer, which could otherwise alias every field.
  int32_t phase = st.phase;
  float lpOutput = st.lpOutput;
  float lpVelocity = st.lpVelocity;
  float lpCoef = st.lpCoef;
  const double lpCoefFactor = D(st.lpCoefFactor);
  const double lpDamping = D(st.lpDamping);
  float hpOutput = st.hpOutput;
  uint32_t phaserIndex = static_cast<uint32_t>(st.phaserIndex);
  float* const phaserBuffer = st.phaserBuffer;
  const float* const noiseTable = st.noiseTable;

  SampleControl batch[kBatch];
  // The sine wave's subsamples are computed one sample ahead, interleaved
  // with the previous sample's filter chain: the chain is a long dependent
  // recurrence, and the sine's independent work fills its idle slots.
  float sineWave[2][8];
  int32_t done = 0;
  while (done < length && st.playing) {
    // The sound stops after the sample in which playing is cleared.
    const int32_t room = length - done;
    const int limit = room < kBatch ? static_cast<int>(room) : kBatch;
    int count = 0;
    while (count < limit && st.playing) batch[count++] = AdvanceControl(gen);
    done += count;

    if (kWave == kSine && count > 0) {
      for (int sub = 0; sub < 8; sub += 2) {
        const int32_t first = SineAdvance(phase, batch[0].period);
        const int32_t second = SineAdvance(phase, batch[0].period);
        SineSubsamplePair(first, second, batch[0].period, &sineWave[0][sub]);
      }
    }

    for (int k = 0; k < count; ++k) {
      const int32_t period = batch[k].period;
      const float duty = batch[k].duty;
      const double envelopeVolume = batch[k].envelopeVolume;
      const uint32_t phaserDelay = batch[k].phaserDelay;
      const double hpCoef = batch[k].hpCoef;

      // The oscillator's eight subsamples first: they do not depend on the
      // filters, so their work overlaps the filter chain below.
      float wave[8];
      // phase stays below the largest period (2^31 - 128, the largest float
      // under 2^31), so the increment cannot overflow.
      auto advancePhase = [&]() {
        phase = Increment(phase);
        if (phase >= period) {
          phase = phase % period;
          if (kWave == kNoise) RefillNoise(st.noiseTable);
        }
        return phase;
      };
      const bool sineAhead = kWave == kSine && k + 1 < count;
      const int32_t nextPeriod = sineAhead ? batch[k + 1].period : 8;
      float* const nextWave = sineWave[(k + 1) & 1];
      if (kWave == kSine) {
        for (int sub = 0; sub < 8; ++sub) wave[sub] = sineWave[k & 1][sub];
      } else {
        const int32_t highBelow = kWave == kSquare ? SquareThreshold(duty, period) : -1;
        for (int sub = 0; sub < 8; ++sub) {
          advancePhase();
          if (kWave == kSquare && highBelow >= 0) {
            wave[sub] = phase < highBelow ? 0.5f : -0.5f;
            continue;
          }
          const float f = Round(static_cast<double>(phase) / static_cast<double>(period));
          if (kWave == kSquare) {
            wave[sub] = f < duty ? 0.5f : -0.5f;
          } else if (kWave == kSawtooth) {
            wave[sub] = Round(1.0 - 2.0 * D(f));
          } else if (kWave == kNoise) {
            // 0 <= phase < period, so the index is 0 to 31.
            const int64_t index = static_cast<int64_t>(phase) * 32 / period;
            wave[sub] = noiseTable[index & 31];
          } else {
            wave[sub] = 0.0f;
          }
        }
      }

      float sum = 0.0f;
      for (int sub = 0; sub < 8; ++sub) {
        float s = wave[sub];
        if (kWave == kSine && sineAhead && (sub & 1) == 0) {
          const int32_t first = SineAdvance(phase, nextPeriod);
          const int32_t second = SineAdvance(phase, nextPeriod);
          SineSubsamplePair(first, second, nextPeriod, &nextWave[sub]);
        }

        // Resonant low-pass.
        const float prev = lpOutput;
        lpCoef = Round(D(lpCoef) * lpCoefFactor);
        if (lpCoef < 0.0f) lpCoef = 0.0f;
        if (lpCoef > 0.1f) lpCoef = 0.1f;
        if (!lpBypass) {
          const float v = Round(D(lpVelocity) + (D(s) - D(lpOutput)) * D(lpCoef));
          lpVelocity = Round(D(v) - D(v) * lpDamping);
        } else {
          lpOutput = s;
          lpVelocity = 0.0f;
        }
        lpOutput = Round(D(lpOutput) + D(lpVelocity));

        // High-pass.
        hpOutput = Round(D(hpOutput) + (D(lpOutput) - D(prev)));
        hpOutput = Round(D(hpOutput) - D(hpOutput) * hpCoef);
        s = hpOutput;

        // Phaser: add the delayed copy (delay 0 reads the entry just written).
        phaserBuffer[phaserIndex] = s;
        s = Round(D(s) + D(phaserBuffer[(phaserIndex - phaserDelay) & 1023u]));
        phaserIndex = (phaserIndex + 1u) & 1023u;

        sum = Round(D(sum) + D(s) * envelopeVolume);
      }

      // Gain.
      float y = Round(D(sum) * 0.125 * masterVolume);
      y = Round(D(y) * volumeTwice);

      if (out != nullptr) {
        if (y > 1.0f) y = 1.0f;
        if (y < -1.0f) y = -1.0f;
        // A NaN passes both clamps and is stored as 0.
        const int32_t sample = y == y ? TruncToInt32(D(y) * 32000.0) : 0;
        StoreSample(out, st.samplesWritten, sample);
        st.samplesWritten += 1;
      }
    }
  }

  st.phase = phase;
  st.lpOutput = lpOutput;
  st.lpVelocity = lpVelocity;
  st.lpCoef = lpCoef;
  st.hpOutput = hpOutput;
  st.phaserIndex = static_cast<int32_t>(phaserIndex);
}

}  // namespace

void SoundGenerator::StartSynthesis(bool repeat) {
  const GeneratorParams& p = params;
  SynthState& s = state;

  if (!repeat) s.phase = 0;

  // Pitch: period in subsamples from the squared frequency parameters.
  const double startFreq = p.startFreq;
  s.periodExact = 100.0 / (startFreq * startFreq + 0.001);
  s.period = TruncToInt32(s.periodExact);
  const double minFreq = p.minFreq;
  s.periodLimit = 100.0 / (minFreq * minFreq + 0.001);

  // Slide: cubes keep the sign of the parameter.
  const double slide = p.slide;
  s.slideFactor = 1.0 - slide * slide * slide * 0.01;
  const double deltaSlide = p.deltaSlide;
  s.slideDelta = -(deltaSlide * deltaSlide * deltaSlide) * 0.000001;

  s.duty = Round(0.5 - D(p.squareDuty) * 0.5);
  s.dutyStep = Round(-D(p.dutySweep) * D(0.00005f));

  // Arpeggio: a positive amount shortens the period (raises the pitch).
  const double change = p.changeAmount;
  if (p.changeAmount >= 0.0f) {
    s.arpFactor = 1.0 - change * change * 0.9;
  } else {
    s.arpFactor = 1.0 + change * change * 10.0;
  }
  s.arpTime = 0;
  s.arpLimit = IntervalFromSpeed(p.changeSpeed);
  if (p.changeSpeed == 1.0f) s.arpLimit = 0;

  if (repeat) return;

  // Low-pass filter.
  s.lpOutput = 0.0f;
  s.lpVelocity = 0.0f;
  const double lpCutoff = p.lpCutoff;
  s.lpCoef = Round(D(Round(lpCutoff * lpCutoff * lpCutoff)) * D(0.1f));
  s.lpCoefFactor = Round(1.0 + D(p.lpCutoffSweep) * D(0.0001f));
  const double resonance = p.lpResonance;
  s.lpDamping =
      Round(5.0 / (1.0 + D(Round(resonance * resonance)) * 20.0) * (D(0.01f) + D(s.lpCoef)));
  if (s.lpDamping > 0.8f) s.lpDamping = 0.8f;

  // High-pass filter.
  s.hpOutput = 0.0f;
  const double hpCutoff = p.hpCutoff;
  s.hpCoef = Round(D(Round(hpCutoff * hpCutoff)) * D(0.1f));
  s.hpCoefFactor = Round(1.0 + D(p.hpCutoffSweep) * D(0.0003f));

  // Vibrato.
  s.vibPhase = 0.0f;
  const double vibSpeed = p.vibSpeed;
  s.vibStep = Round(D(Round(vibSpeed * vibSpeed)) * D(0.01f));
  s.vibAmplitude = Round(D(p.vibDepth) * 0.5);

  // Envelope: stage lengths from the squared times, squares not rounded.
  s.envelopeStage = 0;
  s.envelopeTime = 0;
  s.envelopeVolume = 0.0f;
  const double attack = p.attackTime;
  const double sustain = p.sustainTime;
  const double decay = p.decayTime;
  s.envelopeLength[0] = TruncToInt32(attack * attack * 100000.0);
  s.envelopeLength[1] = TruncToInt32(sustain * sustain * 100000.0);
  s.envelopeLength[2] = TruncToInt32(decay * decay * 100000.0);

  // Phaser: signed squares of offset and sweep.
  const double offset = p.phaserOffset;
  s.phaserPosition = Round(D(Round(offset * offset)) * 1020.0);
  if (p.phaserOffset < 0.0f) s.phaserPosition = -s.phaserPosition;
  const double sweep = p.phaserSweep;
  s.phaserStep = Round(sweep * sweep);
  if (p.phaserSweep < 0.0f) s.phaserStep = -s.phaserStep;
  s.phaserDelay = AbsInt(TruncToInt32(D(s.phaserPosition)));
  s.phaserIndex = 0;
  for (float& v : s.phaserBuffer) v = 0.0f;

  // Noise table: 32 draws on every full start, whatever the wave type.
  for (float& v : s.noiseTable) v = Round(D(RandomUpTo(2.0f)) - 1.0);

  // Repeat.
  s.repeatTime = 0;
  s.repeatLimit = IntervalFromSpeed(p.repeatSpeed);
  if (p.repeatSpeed == 0.0f) s.repeatLimit = 0;
}

void SoundGenerator::Synthesize(int32_t length, int16_t* out) {
  StartSynthesis(false);
  state.playing = 1;
  state.samplesWritten = 0;
  if (length <= 0) return;
  switch (params.waveType) {
    case kSquare:
      RenderLoop<kSquare>(*this, length, out);
      break;
    case kSawtooth:
      RenderLoop<kSawtooth>(*this, length, out);
      break;
    case kSine:
      RenderLoop<kSine>(*this, length, out);
      break;
    case kNoise:
      RenderLoop<kNoise>(*this, length, out);
      break;
    default:
      RenderLoop<kSilent>(*this, length, out);
      break;
  }
}

}  // namespace zu
