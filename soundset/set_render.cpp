#include "soundset/set_render.h"

#include <memory>

#include "generator/random_source.h"
#include "generator/sound_generator.h"
#include "generator/wave_render.h"

namespace zu {

std::vector<uint8_t> RenderSetSound(const SetSound& sound) {
  // The generator is made first: its construction draws from the source,
  // which the seed then sets, as the game's object exists before its rule.
  auto generator = std::make_unique<SoundGenerator>();
  SeedRandom(sound.seed);
  LoadBlock(generator->params, sound.block);
  const uint32_t capacity = WaveCapacityFor(sound.bufferLength);
  std::vector<uint8_t> image(kWaveHeaderBytes + capacity);
  const uint32_t bytes = RenderToWaveBuffer(*generator, image.data(), capacity);
  image.resize(kWaveHeaderBytes + bytes);
  return image;
}

std::vector<uint8_t> SetSoundParamFile(const SetSound& sound) {
  GeneratorParams params{};
  params.Reset();
  LoadBlock(params, sound.block);
  std::vector<uint8_t> image(kParamFileBytes102);
  EncodeParams(params, image.data());
  return image;
}

}  // namespace zu
