#include "generator/duty.h"

namespace zu {
namespace synth {

void Duty::Init(const GeneratorParams& p) {
  startDuty_ = StartDuty(p);
  startStep_ = StartStep(p);
  Restart();
}

float Duty::StartDuty(const GeneratorParams& p) { return Round(0.5 - D(p.squareDuty) * 0.5); }

float Duty::StartStep(const GeneratorParams& p) { return Round(-D(p.dutySweep) * D(0.00005f)); }

}  // namespace synth
}  // namespace zu
