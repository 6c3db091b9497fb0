// Presets, randomize and mutate. Every formula is evaluated in double
// precision from single-precision inputs (stored fields, draws and constants
// rounded to float), and rounded to float when it is stored. Draws are made
// one statement at a time so their order never depends on the compiler.

#include <cstdint>
#include <cstring>

#include "generator/power.h"
#include "generator/presets.h"
#include "generator/random_source.h"
#include "generator/sound_generator.h"

namespace zu {
namespace {

// Non-integral constants are the floats nearest their decimals, widened.
constexpr double C(float v) { return static_cast<double>(v); }

// One rand() reduced modulo n.
int R(int n) { return NextRand() % n; }

bool Odd() { return R(2) == 1; }

// One RandomUpTo draw, widened for the formula it feeds.
double F(float range) { return static_cast<double>(RandomUpTo(range)); }

float Store(double v) { return static_cast<float>(v); }

// A fresh F(2) - 1 rounded to float: the randomizer's base for powers.
float B() { return Store(F(2.0f) - 1.0); }

// field + step rounded to float. A field that is not a number stays that
// number, quieted: x86 arithmetic passes the NaN operand through, while
// WebAssembly leaves a NaN result's sign and payload open, so it is spelled out.
float Nudged(float field, double step) {
  if (field != field) {
    uint32_t bits;
    std::memcpy(&bits, &field, sizeof bits);
    bits |= 0x00400000u;
    std::memcpy(&field, &bits, sizeof bits);
    return field;
  }
  return Store(step + C(field));
}

double P(float base, int e) { return static_cast<double>(PowF(base, e)); }

}  // namespace

void PickupCoin(GeneratorParams& p) {
  p.startFreq = Store(C(0.4f) + F(0.5f));
  p.attackTime = 0.0f;
  p.sustainTime = Store(F(0.1f));
  p.decayTime = Store(C(0.1f) + F(0.4f));
  p.sustainPunch = Store(C(0.3f) + F(0.3f));
  if (Odd()) {
    p.changeSpeed = Store(C(0.5f) + F(0.2f));
    p.changeAmount = Store(C(0.2f) + F(0.4f));
  }
}

void LaserShoot(GeneratorParams& p) {
  p.waveType = R(3);
  if (p.waveType == 2 && Odd()) p.waveType = R(2);
  p.startFreq = Store(C(0.5f) + F(0.5f));
  p.minFreq = Store((C(p.startFreq) - C(0.2f)) - F(0.6f));
  if (p.minFreq < 0.2f) p.minFreq = 0.2f;
  p.slide = Store(C(-0.15f) - F(0.2f));
  if (R(3) == 0) {
    p.startFreq = Store(C(0.3f) + F(0.6f));
    p.minFreq = Store(F(0.1f));
    p.slide = Store(C(-0.35f) - F(0.3f));
  }
  if (Odd()) {
    p.squareDuty = Store(F(0.5f));
    p.dutySweep = Store(F(0.2f));
  } else {
    p.squareDuty = Store(C(0.4f) + F(0.5f));
    p.dutySweep = Store(-F(0.7f));
  }
  p.attackTime = 0.0f;
  p.sustainTime = Store(C(0.1f) + F(0.2f));
  p.decayTime = Store(F(0.4f));
  if (Odd()) p.sustainPunch = Store(F(0.3f));
  if (R(3) == 0) {
    p.phaserOffset = Store(F(0.2f));
    p.phaserSweep = Store(-F(0.2f));
  }
  if (Odd()) p.hpCutoff = Store(F(0.3f));
}

void Explosion(GeneratorParams& p) {
  p.waveType = 3;
  if (Odd()) {
    p.startFreq = Store(C(0.1f) + F(0.4f));
    p.slide = Store(F(0.4f) - C(0.1f));
  } else {
    p.startFreq = Store(C(0.2f) + F(0.7f));
    p.slide = Store(C(-0.2f) - F(0.2f));
  }
  p.startFreq = Store(C(p.startFreq) * C(p.startFreq));
  if (R(5) == 0) p.slide = 0.0f;
  if (R(3) == 0) p.repeatSpeed = Store(C(0.3f) + F(0.5f));
  p.attackTime = 0.0f;
  p.sustainTime = Store(C(0.1f) + F(0.3f));
  p.decayTime = Store(F(0.5f));
  if (R(2) == 0) {
    p.phaserOffset = Store(F(0.9f) - C(0.3f));
    p.phaserSweep = Store(-F(0.3f));
  }
  p.sustainPunch = Store(C(0.2f) + F(0.6f));
  if (Odd()) {
    p.vibDepth = Store(F(0.7f));
    p.vibSpeed = Store(F(0.6f));
  }
  if (R(3) == 0) {
    p.changeSpeed = Store(C(0.6f) + F(0.3f));
    p.changeAmount = Store(C(0.8f) - F(1.6f));
  }
}

void Powerup(GeneratorParams& p) {
  if (Odd()) {
    p.waveType = 1;
  } else {
    p.squareDuty = Store(F(0.6f));
  }
  if (Odd()) {
    p.startFreq = Store(C(0.2f) + F(0.3f));
    p.slide = Store(C(0.1f) + F(0.4f));
    p.repeatSpeed = Store(C(0.4f) + F(0.4f));
  } else {
    p.startFreq = Store(C(0.2f) + F(0.3f));
    p.slide = Store(C(0.05f) + F(0.2f));
    if (Odd()) {
      p.vibDepth = Store(F(0.7f));
      p.vibSpeed = Store(F(0.6f));
    }
  }
  p.attackTime = 0.0f;
  p.sustainTime = Store(F(0.4f));
  p.decayTime = Store(C(0.1f) + F(0.4f));
}

void HitHurt(GeneratorParams& p) {
  p.waveType = R(3);
  if (p.waveType == 2) p.waveType = 3;
  if (p.waveType == 0) p.squareDuty = Store(F(0.6f));
  p.startFreq = Store(C(0.2f) + F(0.6f));
  p.slide = Store(C(-0.3f) - F(0.4f));
  p.attackTime = 0.0f;
  p.sustainTime = Store(F(0.1f));
  p.decayTime = Store(C(0.1f) + F(0.2f));
  if (Odd()) p.hpCutoff = Store(F(0.3f));
}

void Jump(GeneratorParams& p) {
  p.waveType = 0;
  p.squareDuty = Store(F(0.6f));
  p.startFreq = Store(C(0.3f) + F(0.3f));
  p.slide = Store(C(0.1f) + F(0.2f));
  p.attackTime = 0.0f;
  p.sustainTime = Store(C(0.1f) + F(0.3f));
  p.decayTime = Store(C(0.1f) + F(0.2f));
  if (Odd()) p.hpCutoff = Store(F(0.3f));
  if (Odd()) p.lpCutoff = Store(1.0 - F(0.6f));
}

void BlipSelect(GeneratorParams& p) {
  p.waveType = R(2);
  if (p.waveType == 0) p.squareDuty = Store(F(0.6f));
  p.startFreq = Store(C(0.2f) + F(0.4f));
  p.attackTime = 0.0f;
  p.sustainTime = Store(C(0.1f) + F(0.1f));
  p.decayTime = Store(F(0.2f));
  p.hpCutoff = 0.1f;
}

void SoundGenerator::LoadPreset(uint32_t index) {
  if (index >= kPresetCount) return;
  ResetParameters();
  kPresets[index].fill(params);
}

void SoundGenerator::Randomize() {
  ResetParameters();
  GeneratorParams& p = params;
  p.waveType = R(5);
  p.startFreq = Store(P(B(), 2));
  if (Odd()) p.startFreq = Store(P(B(), 3) + C(0.5f));
  p.minFreq = 0.0f;
  p.slide = Store(P(B(), 5));
  if (p.startFreq > 0.7f && p.slide > 0.2f) p.slide = -p.slide;
  if (p.startFreq < 0.2f && p.slide < -0.05f) p.slide = -p.slide;
  p.deltaSlide = Store(P(B(), 3));
  p.squareDuty = Store(F(2.0f) - 1.0);
  p.dutySweep = Store(P(B(), 3));
  p.vibDepth = Store(P(B(), 3));
  p.vibSpeed = Store(F(2.0f) - 1.0);
  p.vibDelay = Store(F(2.0f) - 1.0);
  p.attackTime = Store(P(B(), 3));
  p.sustainTime = Store(P(B(), 2));
  p.decayTime = Store(F(2.0f) - 1.0);
  p.sustainPunch = Store(P(RandomUpTo(0.8f), 2));
  // The sum stays in double and is compared with the float constant widened.
  if (C(p.attackTime) + C(p.sustainTime) + C(p.decayTime) < C(0.2f)) {
    p.sustainTime = Store(F(0.3f) + C(0.2f) + C(p.sustainTime));
    p.decayTime = Store(F(0.3f) + C(0.2f) + C(p.decayTime));
  }
  p.lpResonance = Store(F(2.0f) - 1.0);
  p.lpCutoff = Store(1.0 - P(RandomUpTo(1.0f), 3));
  p.lpCutoffSweep = Store(P(B(), 3));
  if (p.lpCutoff < 0.1f && p.lpCutoffSweep < -0.05f) p.lpCutoffSweep = -p.lpCutoffSweep;
  p.hpCutoff = Store(P(RandomUpTo(1.0f), 5));
  p.hpCutoffSweep = Store(P(B(), 5));
  p.phaserOffset = Store(P(B(), 3));
  p.phaserSweep = Store(P(B(), 3));
  p.repeatSpeed = Store(F(2.0f) - 1.0);
  p.changeSpeed = Store(F(2.0f) - 1.0);
  p.changeAmount = Store(F(2.0f) - 1.0);
}

void SoundGenerator::Mutate() {
  GeneratorParams& p = params;
  float* const fields[] = {
      &p.startFreq,   &p.slide,         &p.deltaSlide,   &p.squareDuty,  &p.dutySweep,
      &p.vibDepth,    &p.vibSpeed,      &p.vibDelay,     &p.attackTime,  &p.sustainTime,
      &p.decayTime,   &p.sustainPunch,  &p.lpResonance,  &p.lpCutoff,    &p.lpCutoffSweep,
      &p.hpCutoff,    &p.hpCutoffSweep, &p.phaserOffset, &p.phaserSweep, &p.repeatSpeed,
      &p.changeSpeed, &p.changeAmount,
  };
  for (float* field : fields) {
    if (Odd()) *field = Nudged(*field, F(0.1f) - C(0.05f));
  }
}

}  // namespace zu
