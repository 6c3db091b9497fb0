#include "generator/generator_object.h"

#include <cstdlib>
#include <new>

#include "generator/random_source.h"
#include "generator/wave_render.h"

namespace zu {

GeneratorObject CreateGeneratorObject(bool enableGenerator, uint32_t bufferLength) {
  GeneratorObject object;
  if (enableGenerator) {
    SeedRand(CurrentTimeSeed());
    const uint32_t capacity = WaveCapacityFor(bufferLength);
    object.waveBuffer = static_cast<uint8_t*>(std::malloc(capacity + kWaveHeaderBytes));
    // Without its buffer the generator stays disabled rather than failing later.
    if (object.waveBuffer != nullptr) object.waveCapacity = capacity;
  }
  object.generator = new (std::nothrow) SoundGenerator();
  if (object.waveBuffer != nullptr) {
    // Before the first render the image is a valid empty sound, not stale bytes.
    GeneratorParams params;
    params.Reset();
    WriteWaveHeader(object.generator ? object.generator->params : params, 0, object.waveBuffer);
  }
  return object;
}

void ReleaseGeneratorObject(GeneratorObject& object) {
  std::free(object.waveBuffer);
  delete object.generator;
  object = GeneratorObject();
}

}  // namespace zu
