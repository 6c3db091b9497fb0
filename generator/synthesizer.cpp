// The synthesis engine: StartSynthesis derives the state from the parameters,
// Synthesize runs the sound through its stages, sample by sample, into
// 16-bit samples. The stages (generator/pitch.h, duty.h, envelope.h,
// oscillator.h, low_pass.h, high_pass.h, phaser.h, output.h) keep their state
// by value while a sound renders and hand it back to the SynthState at the end.

#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "generator/duty.h"
#include "generator/envelope.h"
#include "generator/high_pass.h"
#include "generator/low_pass.h"
#include "generator/oscillator.h"
#include "generator/output.h"
#include "generator/phaser.h"
#include "generator/pitch.h"
#include "generator/sound_generator.h"

static_assert(std::numeric_limits<double>::is_iec559, "IEEE double required");
static_assert(std::numeric_limits<float>::is_iec559, "IEEE float required");

namespace zu {
namespace {

using namespace synth;

/// The sample loop: runs the stages through at most length samples (at least
/// one) and returns whether the sound would go on.
template <bool kLowPassBypassed, class Oscillator>
bool RenderSamples(int32_t length, Pitch& pitch, Duty& duty, Envelope& envelope,
                   Oscillator& oscillator, LowPass& lowPass, HighPass& highPass, Phaser& phaser,
                   Output& output) {
  // Pitch, duty and oscillator of the next sample: none of them depends on
  // the signal, so the render runs them one sample ahead, and spreads what is
  // left of the oscillator's work over the current sample's filter chain, a
  // long dependent recurrence whose idle slots they fill.
  auto prepareNext = [&](float* next) ZU_ALWAYS_INLINE {
    if (pitch.RepeatDue()) {
      pitch.Restart();
      duty.Restart();
    }
    const int32_t period = pitch.Process();
    oscillator.Prepare(period, duty.Process(), next);
  };
  // One sample's subsamples through the filters and the phaser into the
  // output, at the envelope's gain. With ahead set, the oscillator's next
  // sample is computed two subsamples at a time in between.
  auto filterSample = [&](const float* now, double volume, float* next,
                          auto ahead) ZU_ALWAYS_INLINE {
#pragma GCC unroll 8
    for (int k = 0; k < kSubsamples; ++k) {
      if (decltype(ahead)::value && (k & 1) == 0) oscillator.ProcessPair(k, next + k);
      float s = kLowPassBypassed ? lowPass.Bypass(now[k]) : lowPass.Filter(now[k]);
      s = highPass.Process(s);
      s = phaser.Process(s);
      output.Add(s, volume);
    }
    if (decltype(ahead)::value) oscillator.Finish(next);
    output.Process();
  };

  float wave[2][kSubsamples];
  prepareNext(wave[0]);
  for (int k = 0; k < kSubsamples; k += 2) oscillator.ProcessPair(k, &wave[0][k]);
  oscillator.Finish(wave[0]);
  for (int32_t i = 0;; ++i) {
    const double volume = D(envelope.Process());
    phaser.Sweep();
    highPass.Sweep();
    // The sound ends after the sample in which pitch or envelope ran out.
    const bool playing = !pitch.Ended() && !envelope.Finished();
    const float* const now = wave[i & 1];
    if (!playing || i + 1 >= length) {
      filterSample(now, volume, nullptr, std::false_type());
      return playing;
    }
    float* const next = wave[(i + 1) & 1];
    prepareNext(next);
    filterSample(now, volume, next, std::true_type());
  }
}

/// RenderSamples for WebAssembly. Its engines keep fewer values in registers
/// than a native compiler: with the stages that run ahead in the same loop as
/// the filters, they spill the filter chain's state to memory, lengthening the
/// recurrence that bounds the render. So here the stages run ahead a block of
/// samples at a time (waves and gains into a buffer), and the filters then
/// take the block in a loop of their own. Same stages, same order of their
/// steps, same bits.
template <bool kLowPassBypassed, class Oscillator>
bool RenderSamplesInBlocks(int32_t length, Pitch& pitch, Duty& duty, Envelope& envelope,
                           Oscillator& oscillator, LowPass& lowPass, HighPass& highPass,
                           Phaser& phaser, Output& output) {
  constexpr int kBlock = 64;
  // The sine's arguments wait in the block's waves, and its sines are
  // evaluated for the whole block at once, lanes over subsamples.
  constexpr bool kSinesOfBlock = std::is_same_v<Oscillator, SineOscillator>;
  auto prepare = [&](float* wave) ZU_ALWAYS_INLINE {
    if (pitch.RepeatDue()) {
      pitch.Restart();
      duty.Restart();
    }
    const int32_t period = pitch.Process();
    const float dutyNow = duty.Process();
    if constexpr (kSinesOfBlock) {
      oscillator.PrepareArguments(period, wave);
    } else {
      oscillator.Prepare(period, dutyNow, wave);
      for (int k = 0; k < kSubsamples; k += 2) oscillator.ProcessPair(k, wave + k);
      oscillator.Finish(wave);
    }
  };
  float wave[kBlock + 1][kSubsamples];  // wave[j]: sample j of the block; wave[count]: the next
  float gain[kBlock];
  prepare(wave[0]);
  for (int32_t start = 0;;) {
    // The sound ends after the sample in which pitch or envelope ran out.
    int count = 0;
    bool playing = true;
    bool last = false;
    while (count < kBlock && !last) {
      gain[count] = envelope.Process();
      playing = !pitch.Ended() && !envelope.Finished();
      count += 1;
      last = !playing || start + count >= length;
      if (!last) prepare(wave[count]);
    }
    if constexpr (kSinesOfBlock) Oscillator::SinesInPlace(wave[0], count * kSubsamples);
    for (int j = 0; j < count; ++j) {
      const double volume = D(gain[j]);
      phaser.Sweep();
      highPass.Sweep();
#pragma GCC unroll 8
      for (int k = 0; k < kSubsamples; ++k) {
        float s = kLowPassBypassed ? lowPass.Bypass(wave[j][k]) : lowPass.Filter(wave[j][k]);
        s = highPass.Process(s);
        s = phaser.Process(s);
        output.Add(s, volume);
      }
      output.Process();
    }
    if (last) return playing;
    start += count;
    std::memcpy(wave[0], wave[count], sizeof wave[0]);
  }
}

/// WebAssembly renders in blocks (see RenderSamplesInBlocks).
#if defined(__wasm__)
constexpr bool kRenderInBlocks = true;
#else
constexpr bool kRenderInBlocks = false;
#endif

/// Renders up to length samples with one wave type's oscillator, the
/// low-pass running or bypassed (template arguments, so that these choices
/// are made once per render, not once per subsample). The stages hold their
/// state by value meanwhile.
template <class Oscillator, bool kLowPassBypassed>
void Render(SoundGenerator& gen, int32_t length, int16_t* out) {
  const GeneratorParams& prm = gen.params;
  SynthState& st = gen.state;
  Pitch pitch;
  pitch.Load(prm, st);
  Duty duty;
  duty.Load(prm, st);
  Envelope envelope;
  envelope.Load(prm, st);
  Oscillator oscillator;
  oscillator.Load(st);
  LowPass lowPass;
  lowPass.Load(prm, st);
  HighPass highPass;
  highPass.Load(st);
  Phaser phaser;
  phaser.Load(st);
  Output output;
  output.Init(prm, out);

  bool playing;
  if constexpr (kRenderInBlocks) {
    playing = RenderSamplesInBlocks<kLowPassBypassed>(length, pitch, duty, envelope, oscillator,
                                                      lowPass, highPass, phaser, output);
  } else {
    playing = RenderSamples<kLowPassBypassed>(length, pitch, duty, envelope, oscillator, lowPass,
                                              highPass, phaser, output);
  }

  st.playing = playing ? 1 : 0;
  pitch.Store(st);
  duty.Store(st);
  envelope.Store(st);
  oscillator.Store(st);
  lowPass.Store(st);
  highPass.Store(st);
  phaser.Store(st);
  output.Store(st);
}

template <class Oscillator>
void RenderWave(SoundGenerator& gen, int32_t length, int16_t* out) {
  if (gen.params.lpCutoff == 1.0f) {
    Render<Oscillator, true>(gen, length, out);
  } else {
    Render<Oscillator, false>(gen, length, out);
  }
}

}  // namespace

void SoundGenerator::StartSynthesis(bool repeat) {
  const GeneratorParams& p = params;
  SynthState& s = state;
  if (repeat) {
    // The pitch path and the duty only; everything else keeps running.
    Pitch pitch;
    pitch.Load(p, s);
    pitch.Restart();
    pitch.Store(s);
    Duty duty;
    duty.Load(p, s);
    duty.Restart();
    duty.Store(s);
    return;
  }
  Pitch pitch;
  pitch.Init(p);
  pitch.Store(s);
  Duty duty;
  duty.Init(p);
  duty.Store(s);
  LowPass lowPass;
  lowPass.Init(p);
  lowPass.Store(s);
  HighPass highPass;
  highPass.Init(p);
  highPass.Store(s);
  Envelope envelope;
  envelope.Init(p);
  envelope.Store(s);
  Phaser phaser;
  phaser.Init(p);
  phaser.Store(s);
  // Phase 0 and the noise table's 32 draws, whatever the wave type.
  NoiseOscillator noise;
  noise.Init(p);
  noise.Store(s);
}

void SoundGenerator::Synthesize(int32_t length, int16_t* out) {
  StartSynthesis(false);
  state.playing = 1;
  state.samplesWritten = 0;
  if (length <= 0) return;
  switch (params.waveType) {
    case kSquare:
      RenderWave<SquareOscillator>(*this, length, out);
      break;
    case kSawtooth:
      RenderWave<SawtoothOscillator>(*this, length, out);
      break;
    case kSine:
      RenderWave<SineOscillator>(*this, length, out);
      break;
    case kNoise:
      RenderWave<NoiseOscillator>(*this, length, out);
      break;
    default:
      RenderWave<SilentOscillator>(*this, length, out);
      break;
  }
}

}  // namespace zu
