#pragma once
// The parameter block of one sound effect: 24 fields reachable as variables
// 0 to 23, plus the header fields and the fields only the parameter file keeps.

#include <cstddef>
#include <cstdint>

namespace zu {

/// Parameter block, in its fixed field order. Variable i (0 to 23) is the
/// (i + 2)-th 32-bit word counted from 0: soundVolume is variable 0, the
/// integer waveType variable 1, and so on up to hpCutoffSweep, variable 23.
/// The ranges are those the presets, randomize and the editor use; any value
/// is stored as given, and synthesis clamps what it derives from them.
struct GeneratorParams {
  int32_t bitsPerSample;  ///< written into the RIFF header; only the reset sets it
  int32_t sampleRate;     ///< written into the RIFF header; only the reset sets it
  float soundVolume;      ///< var 0: output gain, 0 to 1; the finished sample is scaled by 2 x
                          ///< soundVolume
  int32_t waveType;       ///< var 1: oscillator, 0 square, 1 sawtooth, 2 sine, 3 noise; else silent
  float attackTime;       ///< var 2: length of the rising envelope stage, 0 to 1
  float sustainTime;      ///< var 3: length of the flat envelope stage, 0 to 1
  float sustainPunch;     ///< var 4: extra volume at the start of the sustain stage, 0 to 1
  float decayTime;        ///< var 5: length of the falling envelope stage, 0 to 1
  float startFreq;        ///< var 6: initial pitch, 0 to 1
  float minFreq;          ///< var 7: lowest pitch, 0 to 1; above 0 the sound ends on reaching it
  float slide;            ///< var 8: pitch slide per sample, -1 (down) to 1 (up)
  float deltaSlide;       ///< var 9: change of the slide per sample, -1 to 1
  float vibDepth;         ///< var 10: vibrato depth, 0 to 1
  float vibSpeed;         ///< var 11: vibrato speed, 0 to 1
  float changeAmount;     ///< var 12: pitch factor of the one-time jump, -1 (down) to 1 (up)
  float changeSpeed;      ///< var 13: delay of the pitch jump, 0 to 1; 1 switches it off
  float squareDuty;       ///< var 14: duty cycle of the square wave, 0 to 1
  float dutySweep;        ///< var 15: change of the duty cycle per sample, -1 to 1
  float repeatSpeed;   ///< var 16: restart interval of the pitch settings, 0 to 1; 0 never restarts
  float phaserOffset;  ///< var 17: phaser delay at the start, -1 to 1 (sign and square both count)
  float phaserSweep;   ///< var 18: change of the phaser delay per sample, -1 to 1
  float lpCutoff;      ///< var 19: low-pass cutoff, 0 to 1; exactly 1.0 bypasses the low-pass
  float lpCutoffSweep;  ///< var 20: change of the low-pass cutoff per sample, -1 to 1
  float lpResonance;    ///< var 21: low-pass resonance (less damping), 0 to 1
  float hpCutoff;       ///< var 22: high-pass cutoff, 0 to 1
  float hpCutoffSweep;  ///< var 23: change of the high-pass cutoff per sample, -1 to 1
  float masterVolume;   ///< fixed output gain; only the reset sets it
  uint8_t filterFlag;   ///< kept bit for bit by the parameter file; an 8-bit value, never a bool
  float vibDelay;  ///< kept by the parameter file, changed by randomize/mutate; never synthesized

  /// Sets every field to its reset value.
  void Reset();
};

static_assert(offsetof(GeneratorParams, soundVolume) == 2 * 4, "variable 0 is word 2");
static_assert(offsetof(GeneratorParams, hpCutoffSweep) == 25 * 4, "variable 23 is word 25");

/// Number of variables reachable by index.
constexpr int kVariableCount = 24;

}  // namespace zu
