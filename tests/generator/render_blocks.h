#pragma once
// A fixed list of parameter blocks for render checks: hand-made sounds of
// every wave type, extreme values, values like the randomizer's and raw
// random bit patterns, all from a fixed generator (never rand(), whose
// state the synthesizer itself uses). Shared by the render digest program
// and the property tests.

#include <cstdint>
#include <cstring>

#include "generator/generator_params.h"

namespace zu {
namespace testblocks {

/// FNV-1a, 64 bits.
inline uint64_t Fnv1a(const uint8_t* data, size_t size) {
  uint64_t h = 14695981039346656037ull;
  for (size_t i = 0; i < size; ++i) {
    h ^= data[i];
    h *= 1099511628211ull;
  }
  return h;
}

/// Small fixed linear congruential generator (not the runtime's rand()).
struct Lcg {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state;
  }
  /// A float in [-1, 1] with 16 bits of resolution.
  float Unit() { return static_cast<float>(static_cast<int>(Next() >> 16) - 32768) / 32768.0f; }
};

/// Stores the raw 32 bits of variable index (0..23) into the block.
inline void SetVariableBits(GeneratorParams& p, int index, uint32_t bits) {
  unsigned char* base = reinterpret_cast<unsigned char*>(&p);
  std::memcpy(base + 4 * (index + 2), &bits, 4);
}

inline void SetVariableFloat(GeneratorParams& p, int index, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  SetVariableBits(p, index, bits);
}

/// Hand-made blocks first, then 40 randomizer-like and 40 raw-bit blocks.
constexpr int kHandMadeBlocks = 14;
constexpr int kBlockCount = kHandMadeBlocks + 80;

/// Fills p with block number index (0 <= index < kBlockCount).
inline void MakeBlock(int index, GeneratorParams& p) {
  p.Reset();
  switch (index) {
    case 0:  // the reset sound
      return;
    case 1:  // coin-like: square, punch, arpeggio up
      p.startFreq = 0.45f;
      p.sustainTime = 0.05f;
      p.decayTime = 0.3f;
      p.sustainPunch = 0.4f;
      p.changeSpeed = 0.6f;
      p.changeAmount = 0.4f;
      return;
    case 2:  // laser-like: sawtooth falling fast, high-pass
      p.waveType = 1;
      p.startFreq = 0.8f;
      p.minFreq = 0.2f;
      p.slide = -0.3f;
      p.squareDuty = 0.3f;
      p.dutySweep = 0.2f;
      p.hpCutoff = 0.2f;
      p.decayTime = 0.25f;
      return;
    case 3:  // explosion-like: noise, low-pass sweep, phaser, repeat
      p.waveType = 3;
      p.startFreq = 0.15f;
      p.slide = -0.1f;
      p.repeatSpeed = 0.5f;
      p.phaserOffset = -0.3f;
      p.phaserSweep = -0.2f;
      p.lpCutoff = 0.5f;
      p.lpCutoffSweep = -0.3f;
      p.lpResonance = 0.5f;
      p.sustainTime = 0.3f;
      p.decayTime = 0.5f;
      p.sustainPunch = 0.6f;
      return;
    case 4:  // powerup-like: sine with vibrato and repeat
      p.waveType = 2;
      p.startFreq = 0.3f;
      p.slide = 0.2f;
      p.vibDepth = 0.4f;
      p.vibSpeed = 0.6f;
      p.repeatSpeed = 0.6f;
      p.decayTime = 0.4f;
      return;
    case 5:  // hit-like: noise falling, high-pass sweep
      p.waveType = 3;
      p.startFreq = 0.5f;
      p.slide = -0.5f;
      p.hpCutoff = 0.3f;
      p.hpCutoffSweep = 0.5f;
      p.sustainTime = 0.02f;
      p.decayTime = 0.2f;
      return;
    case 6:  // jump-like: square rising, delta slide, low-pass
      p.startFreq = 0.35f;
      p.slide = 0.25f;
      p.deltaSlide = -0.4f;
      p.squareDuty = 0.6f;
      p.lpCutoff = 0.7f;
      p.lpCutoffSweep = 0.2f;
      return;
    case 7:  // blip-like: sawtooth, short
      p.waveType = 1;
      p.startFreq = 0.4f;
      p.sustainTime = 0.1f;
      p.decayTime = 0.1f;
      p.hpCutoff = 0.1f;
      return;
    case 8:  // silent wave type, everything else running
      p.waveType = 4;
      p.vibDepth = 0.5f;
      p.vibSpeed = 0.5f;
      p.phaserSweep = 0.3f;
      return;
    case 9:  // every variable at +1
      for (int i = 0; i < kVariableCount; ++i) SetVariableFloat(p, i, 1.0f);
      p.waveType = 0;
      return;
    case 10:  // every variable at -1, sine
      for (int i = 0; i < kVariableCount; ++i) SetVariableFloat(p, i, -1.0f);
      p.waveType = 2;
      return;
    case 11:  // zero-length stages and a zero start frequency
      p.startFreq = 0.0f;
      p.sustainTime = 0.0f;
      p.decayTime = 0.001f;
      p.attackTime = 0.002f;
      return;
    case 12:  // huge values: vibrato far out, phaser and envelope beyond 32 bits
      p.waveType = 2;
      p.vibSpeed = 3000.0f;
      p.vibDepth = 0.9f;
      p.phaserOffset = 1e6f;
      p.sustainTime = 1e6f;
      p.repeatSpeed = 1e20f;
      return;
    case 13:  // the longest plain sound, low-pass resonance at the limit
      p.sustainTime = 2.0f;
      p.lpCutoff = 0.2f;
      p.lpResonance = 1.0f;
      return;
    default:
      break;
  }
  Lcg lcg{static_cast<uint32_t>(index) * 2654435761u + 17u};
  if (index < kHandMadeBlocks + 40) {
    for (int i = 0; i < kVariableCount; ++i) SetVariableFloat(p, i, lcg.Unit());
    p.waveType = static_cast<int32_t>(lcg.Next() % 4);
    // Pitches like the randomizer's: the start above the minimum.
    p.startFreq = 0.2f + 0.8f * (p.startFreq < 0 ? -p.startFreq : p.startFreq);
    p.minFreq = p.minFreq < 0 ? 0.0f : 0.1f * p.minFreq;
    p.attackTime *= 0.5f;  // keep the sounds short on average
    p.sustainTime *= 0.5f;
    p.decayTime *= 0.5f;
    return;
  }
  for (int i = 0; i < kVariableCount; ++i) SetVariableBits(p, i, lcg.Next());
  // Half of the raw blocks play a valid oscillator for a while, so that the
  // raw pitch, filter and phaser values act on many samples.
  if (index % 2 == 0) {
    p.waveType = static_cast<int32_t>(lcg.Next() % 4);
    p.attackTime = 0.0f;
    p.sustainTime = 0.3f * (lcg.Unit() + 1.0f);
    p.decayTime = 0.2f;
  }
}

}  // namespace testblocks
}  // namespace zu
