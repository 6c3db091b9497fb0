#include "generator/generator_params.h"

namespace zu {

void GeneratorParams::Reset() {
  bitsPerSample = 16;
  sampleRate = 44100;
  soundVolume = 1.0f;
  waveType = 0;
  attackTime = 0.0f;
  sustainTime = 0.3f;
  sustainPunch = 0.0f;
  decayTime = 0.4f;
  startFreq = 0.3f;
  minFreq = 0.0f;
  slide = 0.0f;
  deltaSlide = 0.0f;
  vibDepth = 0.0f;
  vibSpeed = 0.0f;
  changeAmount = 0.0f;
  changeSpeed = 0.0f;
  squareDuty = 0.0f;
  dutySweep = 0.0f;
  repeatSpeed = 0.0f;
  phaserOffset = 0.0f;
  phaserSweep = 0.0f;
  lpCutoff = 1.0f;
  lpCutoffSweep = 0.0f;
  lpResonance = 0.0f;
  hpCutoff = 0.0f;
  hpCutoffSweep = 0.0f;
  masterVolume = 0.05f;
  filterFlag = 0;
  vibDelay = 0.0f;
}

}  // namespace zu
