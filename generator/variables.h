#pragma once
// Variables 0 to 23 of the parameter block, addressed by index. Index 1 is the
// integer wave type; every other index is a float field.

#include <cstdint>

#include "generator/generator_params.h"

namespace zu {

/// Variable index as a float (index 1: the wave type converted); 0.0 for an
/// index outside 0 to 23.
float GetParamVariable(const GeneratorParams& params, int index);

/// Stores value into variable index; index 1 takes it truncated toward zero
/// (INT32_MIN for NaN or out of range). An index outside 0 to 23 does nothing.
void SetParamVariable(GeneratorParams& params, int index, float value);

/// The float field behind a variable index, or null for index 1 and for
/// indices outside 0 to 23.
float* FloatVariable(GeneratorParams& params, int index);

}  // namespace zu
