#include "generator/variables.h"

#include <cstring>

#include "generator/float_truncate.h"
#include "generator/sound_generator.h"

namespace zu {
namespace {

// Field of each variable index, in index order; index 1 is the integer wave
// type and has no float field.
float GeneratorParams::*const kFloatFields[kVariableCount] = {
    &GeneratorParams::soundVolume,   nullptr,
    &GeneratorParams::attackTime,    &GeneratorParams::sustainTime,
    &GeneratorParams::sustainPunch,  &GeneratorParams::decayTime,
    &GeneratorParams::startFreq,     &GeneratorParams::minFreq,
    &GeneratorParams::slide,         &GeneratorParams::deltaSlide,
    &GeneratorParams::vibDepth,      &GeneratorParams::vibSpeed,
    &GeneratorParams::changeAmount,  &GeneratorParams::changeSpeed,
    &GeneratorParams::squareDuty,    &GeneratorParams::dutySweep,
    &GeneratorParams::repeatSpeed,   &GeneratorParams::phaserOffset,
    &GeneratorParams::phaserSweep,   &GeneratorParams::lpCutoff,
    &GeneratorParams::lpCutoffSweep, &GeneratorParams::lpResonance,
    &GeneratorParams::hpCutoff,      &GeneratorParams::hpCutoffSweep,
};

bool InRange(int index) { return index >= 0 && index < kVariableCount; }

}  // namespace

float* FloatVariable(GeneratorParams& params, int index) {
  if (!InRange(index) || index == 1) return nullptr;
  return &(params.*kFloatFields[index]);
}

uint32_t GetVariableBits(const GeneratorParams& params, int index) {
  if (!InRange(index)) return 0;
  if (index == 1) return FloatBits(static_cast<float>(params.waveType));
  uint32_t bits;
  std::memcpy(&bits, &(params.*kFloatFields[index]), sizeof bits);
  return bits;
}

void SetVariableBits(GeneratorParams& params, int index, uint32_t bits) {
  if (!InRange(index)) return;
  if (index == 1) {
    params.waveType = TruncToInt32(static_cast<double>(BitsFloat(bits)));
  } else {
    std::memcpy(&(params.*kFloatFields[index]), &bits, sizeof bits);
  }
}

void SoundGenerator::SetVariable(int index, float value) { SetParamVariable(params, index, value); }

}  // namespace zu
