#pragma once
// One sound of a set, made as the game makes it: "Set random seed to SEED",
// the block loaded, "Generate sound" in an object with the sound's "Buffer
// length". The random source is the calling thread's, so sounds may be
// rendered on several threads at once with the same result.

#include <cstdint>
#include <vector>

#include "generator/param_file.h"
#include "soundset/sound_set.h"

namespace zu {

/// The RIFF/WAVE image of the sound (44-byte header and its samples).
/// Leaves the calling thread's random source where the render left it.
std::vector<uint8_t> RenderSetSound(const SetSound& sound);

/// The .sfs (version 102) image that loads the sound's block: the reset
/// parameters with the block's 24 variables.
std::vector<uint8_t> SetSoundParamFile(const SetSound& sound);

}  // namespace zu
