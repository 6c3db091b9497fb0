#include "generator/duty.h"

namespace zu {
namespace synth {

void Duty::Init(const GeneratorParams& p) {
  duty_ = Round(0.5 - D(p.squareDuty) * 0.5);
  step_ = Round(-D(p.dutySweep) * D(0.00005f));
  settled_ = false;
}

}  // namespace synth
}  // namespace zu
