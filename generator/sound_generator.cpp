#include "generator/sound_generator.h"

namespace zu {

SoundGenerator::SoundGenerator() {
  ResetParameters();
  StartSynthesis(false);
}

void SoundGenerator::ResetParameters() {
  params.Reset();
  state.playing = 0;
}

}  // namespace zu
