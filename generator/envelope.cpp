#include "generator/envelope.h"

namespace zu {
namespace synth {

void Envelope::Init(const GeneratorParams& p) {
  stage_ = 0;
  time_ = 0;
  volume_ = 0.0f;
  // The squares are taken in double and not rounded.
  const double attack = p.attackTime;
  const double sustain = p.sustainTime;
  const double decay = p.decayTime;
  length_[0] = TruncToInt32(attack * attack * 100000.0);
  length_[1] = TruncToInt32(sustain * sustain * 100000.0);
  length_[2] = TruncToInt32(decay * decay * 100000.0);
  punch_ = p.sustainPunch;
  Enter();
}

}  // namespace synth
}  // namespace zu
