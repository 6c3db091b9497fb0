#pragma once
// One procedural sound effect: its parameter block and the synthesis state
// derived from it. Every run-time object owns exactly one.

#include <cstdint>

#include "generator/generator_params.h"

namespace zu {

/// Synthesis state, derived from the parameters by StartSynthesis and advanced
/// sample by sample by Synthesize. Single precision unless marked double.
struct SynthState {
  uint8_t playing;            ///< synthesis continues while set
  int32_t phase;              ///< position in the oscillator period, in subsamples
  double periodExact;         ///< period in subsamples before vibrato
  double periodLimit;         ///< largest periodExact (lowest pitch)
  double slideFactor;         ///< applied to periodExact once per sample
  double slideDelta;          ///< added to slideFactor once per sample
  int32_t period;             ///< period used for the current sample, at least 8
  float duty;                 ///< high fraction of the square wave, 0 to 0.5
  float dutyStep;             ///< added to duty once per sample
  int32_t envelopeStage;      ///< 0 attack, 1 sustain, 2 decay, 3 finished
  int32_t envelopeTime;       ///< samples into the current stage
  int32_t envelopeLength[3];  ///< samples of the attack, sustain and decay stages
  float envelopeVolume;       ///< current envelope gain
  float phaserPosition;       ///< phaser delay in subsamples, signed
  float phaserStep;           ///< added to phaserPosition once per sample
  int32_t phaserDelay;        ///< delay actually used, 0 to 1023
  float phaserBuffer[1024];   ///< ring of the last 1024 filtered subsamples
  int32_t phaserIndex;        ///< next write position in phaserBuffer, 0 to 1023
  float noiseTable[32];       ///< -1 to 1, one value per 1/32 of the period of the noise wave
  float lpOutput;             ///< low-pass filter output
  float lpVelocity;           ///< low-pass filter rate of change
  float lpCoef;               ///< low-pass coefficient, 0 to 0.1
  float lpCoefFactor;         ///< applied to lpCoef once per subsample
  float lpDamping;            ///< low-pass damping, at most 0.8
  float hpOutput;             ///< high-pass output: the signal after both filters
  float hpCoef;               ///< high-pass coefficient, 0.00001 to 0.1 once running
  float hpCoefFactor;         ///< applied to hpCoef once per sample
  float vibPhase;             ///< vibrato phase in radians
  float vibStep;              ///< vibrato phase step per sample
  float vibAmplitude;         ///< vibrato depth as a fraction of the period
  int32_t repeatTime;         ///< samples since the start or the last repeat
  int32_t repeatLimit;        ///< repeat interval; 0: no repeat
  int32_t arpTime;            ///< samples since the pitch jump was armed
  int32_t arpLimit;           ///< delay of the pitch jump; 0: spent or switched off
  double arpFactor;           ///< applied to periodExact at the pitch jump
  int32_t samplesWritten;     ///< samples stored by the current or last Synthesize
};

class SoundGenerator {
 public:
  /// Resets the parameters, then StartSynthesis(false): draws 32 rand() values.
  SoundGenerator();

  GeneratorParams params{};
  SynthState state{};

  // --- Parameters and reset ----------------------------------------------
  /// Reset values into every parameter; clears the playing flag only.
  void ResetParameters();

  // --- Synthesis ----------------------------------------------------------
  /// Derives the synthesis state from the parameters (repeat: pitch path only).
  void StartSynthesis(bool repeat);
  /// Renders from the start: at most length samples into out (may be null).
  void Synthesize(int32_t length, int16_t* out);

  // --- Sound design -------------------------------------------------------
  /// Reset, then the preset's draws; an index above 6 does nothing.
  void LoadPreset(uint32_t index);
  /// Reset, then a completely new random parameter set.
  void Randomize();
  /// Nudges most parameters of the current set.
  void Mutate();

  // --- Variables ----------------------------------------------------------
  /// Sets variable index (0..23); index 1 takes the value truncated (INT32_MIN when out of range).
  void SetVariable(int index, float value);
};

}  // namespace zu
