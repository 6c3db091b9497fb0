#include "generator/pitch.h"

namespace zu {
namespace synth {

namespace {

/// Repeat and arpeggio interval from a speed parameter: q = (1 - speed)^2
/// with both steps rounded to single precision, then q x 20000 + 32.
int32_t IntervalFromSpeed(float speed) {
  const float a = Round(1.0 - D(speed));
  const float q = Round(D(a) * D(a));
  return TruncToInt32(D(q) * 20000.0 + 32.0);
}

}  // namespace

void Pitch::Init(const GeneratorParams& p) {
  start_ = StartOf(p);
  Restart();

  vibrato_.Init(p);

  repeatTime_ = 0;
  repeatLimit_ = p.repeatSpeed == 0.0f ? 0 : IntervalFromSpeed(p.repeatSpeed);
  quiet_ = 0;
  synced_ = 0;
  endAtLimit_ = p.minFreq > 0.0f;
  ended_ = false;
}

Pitch::Start Pitch::StartOf(const GeneratorParams& p) {
  Start s;
  // Period in subsamples from the squared frequency parameters.
  const double startFreq = p.startFreq;
  s.periodExact = 100.0 / (startFreq * startFreq + 0.001);
  s.period = TruncToInt32(s.periodExact);
  const double minFreq = p.minFreq;
  s.periodLimit = 100.0 / (minFreq * minFreq + 0.001);

  // Slide: cubes keep the sign of the parameter.
  const double slide = p.slide;
  s.slideFactor = 1.0 - slide * slide * slide * 0.01;
  const double deltaSlide = p.deltaSlide;
  s.slideDelta = -(deltaSlide * deltaSlide * deltaSlide) * 0.000001;

  // Arpeggio: a positive amount shortens the period (raises the pitch).
  const double change = p.changeAmount;
  s.arpFactor = p.changeAmount >= 0.0f ? 1.0 - change * change * 0.9 : 1.0 + change * change * 10.0;
  s.arpLimit = p.changeSpeed == 1.0f ? 0 : IntervalFromSpeed(p.changeSpeed);
  return s;
}

}  // namespace synth
}  // namespace zu
