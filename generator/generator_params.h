#pragma once
// The parameter block of one sound effect: 24 fields reachable as variables
// 0 to 23, plus the header fields and the fields only the parameter file keeps.

#include <cstddef>
#include <cstdint>

namespace zu {

/// Parameter block, in its fixed field order. Variable i (0 to 23) is the
/// (i + 2)-th 32-bit word counted from 0: soundVolume is variable 0, the
/// integer waveType variable 1, and so on up to hpCutoffSweep, variable 23.
struct GeneratorParams {
  int32_t bitsPerSample;  ///< written into the RIFF header; only the reset sets it
  int32_t sampleRate;     ///< written into the RIFF header; only the reset sets it
  float soundVolume;      ///< var 0: the finished sample is scaled by 2 x soundVolume
  int32_t waveType;       ///< var 1: 0 square, 1 sawtooth, 2 sine, 3 noise; else silent
  float attackTime;       ///< var 2
  float sustainTime;      ///< var 3
  float sustainPunch;     ///< var 4
  float decayTime;        ///< var 5
  float startFreq;        ///< var 6
  float minFreq;          ///< var 7
  float slide;            ///< var 8
  float deltaSlide;       ///< var 9
  float vibDepth;         ///< var 10
  float vibSpeed;         ///< var 11
  float changeAmount;     ///< var 12
  float changeSpeed;      ///< var 13
  float squareDuty;       ///< var 14
  float dutySweep;        ///< var 15
  float repeatSpeed;      ///< var 16
  float phaserOffset;     ///< var 17
  float phaserSweep;      ///< var 18
  float lpCutoff;         ///< var 19: exactly 1.0 bypasses the low-pass
  float lpCutoffSweep;    ///< var 20
  float lpResonance;      ///< var 21
  float hpCutoff;         ///< var 22
  float hpCutoffSweep;    ///< var 23
  float masterVolume;     ///< fixed output gain; only the reset sets it
  uint8_t filterFlag;     ///< kept bit for bit by the parameter file; an 8-bit value, never a bool
  float vibDelay;  ///< kept by the parameter file, changed by randomize/mutate; never synthesized

  /// Sets every field to its reset value.
  void Reset();
};

static_assert(offsetof(GeneratorParams, soundVolume) == 2 * 4, "variable 0 is word 2");
static_assert(offsetof(GeneratorParams, hpCutoffSweep) == 25 * 4, "variable 23 is word 25");

/// Number of variables reachable by index.
constexpr int kVariableCount = 24;

}  // namespace zu
