#pragma once
// What creating a run-time object sets up for its sound generator, in the
// order the host's objects do it; the module's CreateRunObject and the
// command-line tool both create their object through it.

#include <cstdint>

#include "generator/sound_generator.h"

namespace zu {

/// The generator of one object and, when the generator is enabled, the wave
/// buffer it renders into.
struct GeneratorObject {
  /// The generator; always created, null only when memory ran out.
  SoundGenerator* generator = nullptr;
  /// The RIFF/WAVE image, waveCapacity + 44 bytes (malloc); null when the
  /// generator is disabled or memory ran out.
  uint8_t* waveBuffer = nullptr;
  /// Sample bytes the buffer holds after its header: 0 to 820000.
  uint32_t waveCapacity = 0;
};

/// With the generator enabled: seeds rand() with the current time and
/// allocates the buffer for WaveCapacityFor(bufferLength) sample bytes.
/// Then constructs the generator (its construction draws 32 random values)
/// and gives a buffer the header of an empty sound. Never throws.
GeneratorObject CreateGeneratorObject(bool enableGenerator, uint32_t bufferLength);

/// Releases the buffer, then the generator; the object is empty afterwards.
void ReleaseGeneratorObject(GeneratorObject& object);

}  // namespace zu
