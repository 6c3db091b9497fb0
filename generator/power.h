#pragma once
// Small integer powers computed without the platform maths library, so that
// every build gets the same bits.

namespace zu {

/// b raised to e (2, 3 or 5; any e from 0 to 5 works), correctly rounded to
/// double precision. Exact integer arithmetic on the float's significand.
double PowIntExact(float b, int e);

/// PowIntExact rounded to single precision: the randomizer's power.
float PowF(float b, int e);

}  // namespace zu
