// The synthesis engine: StartSynthesis derives the state from the parameters,
// Synthesize runs the sound through its stages, sample by sample, into
// 16-bit samples. The stages (generator/pitch.h, duty.h, envelope.h,
// oscillator.h, low_pass.h, high_pass.h, phaser.h, output.h) keep their state
// by value while a sound renders and hand it back to the SynthState at the end.

#include <cstdint>
#include <limits>

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

/// Renders up to length samples with one wave type's oscillator (a template,
/// so that the choice is made once per render, not once per subsample).
template <class Oscillator>
void Render(SoundGenerator& gen, int32_t length, int16_t* out) {
  const GeneratorParams& prm = gen.params;
  SynthState& st = gen.state;
  Pitch pitch;
  pitch.Load(prm, st);
  Duty duty;
  duty.Load(st);
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

  bool playing = true;
  for (int32_t i = 0; i < length && playing; ++i) {
    if (pitch.RepeatDue()) {
      pitch.Restart(prm);
      duty.Init(prm);
    }
    const int32_t period = pitch.Process();
    const float high = duty.Process();
    const double volume = D(envelope.Process());
    phaser.Sweep();
    highPass.Sweep();
    // The sound ends after the sample in which pitch or envelope ran out.
    playing = !pitch.Ended() && !envelope.Finished();

    float wave[kSubsamples];
    oscillator.Process(period, high, wave);
    for (int k = 0; k < kSubsamples; ++k) {
      float s = lowPass.Process(wave[k]);
      s = highPass.Process(s);
      s = phaser.Process(s);
      output.Add(s, volume);
    }
    output.Process();
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

}  // namespace

void SoundGenerator::StartSynthesis(bool repeat) {
  const GeneratorParams& p = params;
  SynthState& s = state;
  if (repeat) {
    // The pitch path and the duty only; everything else keeps running.
    Pitch pitch;
    pitch.Load(p, s);
    pitch.Restart(p);
    pitch.Store(s);
    Duty duty;
    duty.Init(p);
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
      Render<SquareOscillator>(*this, length, out);
      break;
    case kSawtooth:
      Render<SawtoothOscillator>(*this, length, out);
      break;
    case kSine:
      Render<SineOscillator>(*this, length, out);
      break;
    case kNoise:
      Render<NoiseOscillator>(*this, length, out);
      break;
    default:
      Render<SilentOscillator>(*this, length, out);
      break;
  }
}

}  // namespace zu
