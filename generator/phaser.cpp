#include "generator/phaser.h"

namespace zu {
namespace synth {

void Phaser::Init(const GeneratorParams& p) {
  // Signed squares of offset and sweep.
  const double offset = p.phaserOffset;
  position_ = Round(D(Round(offset * offset)) * 1020.0);
  if (p.phaserOffset < 0.0f) position_ = -position_;
  const double sweep = p.phaserSweep;
  step_ = Round(sweep * sweep);
  if (p.phaserSweep < 0.0f) step_ = -step_;
  delay_ = static_cast<uint32_t>(AbsInt(TruncToInt32(D(position_))));
  index_ = 0;
  settled_ = false;
  for (float& v : ring_) v = 0.0f;
}

}  // namespace synth
}  // namespace zu
