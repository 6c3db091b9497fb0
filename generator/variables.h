#pragma once
// Variables 0 to 23 of the parameter block, addressed by index. Index 1 is the
// integer wave type; every other index is a float field.
//
// Values cross as bit patterns: on 32-bit x86 a float returned by a function
// comes back through the x87 unit, which turns a signalling NaN into a quiet
// one, so every path that must keep a variable's bits (the host's setters and
// getters) uses the *Bits functions.

#include <cstdint>
#include <cstring>

#include "generator/generator_params.h"

namespace zu {

/// The bit pattern of a float, and the float of a bit pattern.
inline uint32_t FloatBits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}
inline float BitsFloat(uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

/// Variable index as the bit pattern of its float, unchanged (index 1: the
/// wave type converted to float); 0 (+0.0) for an index outside 0 to 23.
uint32_t GetVariableBits(const GeneratorParams& params, int index);

/// Stores the float whose bit pattern is `bits` into variable index, bit for
/// bit; index 1 takes it truncated toward zero (INT32_MIN for NaN or out of
/// range). An index outside 0 to 23 does nothing.
void SetVariableBits(GeneratorParams& params, int index, uint32_t bits);

/// GetVariableBits as a float. Where a float result passes through the x87
/// unit a signalling NaN comes back quiet; use the bits to keep it.
inline float GetParamVariable(const GeneratorParams& params, int index) {
  return BitsFloat(GetVariableBits(params, index));
}

/// SetVariableBits with the bits of value.
inline void SetParamVariable(GeneratorParams& params, int index, float value) {
  SetVariableBits(params, index, FloatBits(value));
}

/// The float field behind a variable index, or null for index 1 and for
/// indices outside 0 to 23.
float* FloatVariable(GeneratorParams& params, int index);

}  // namespace zu
