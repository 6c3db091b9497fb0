#pragma once
// Correctly rounded single-precision sine, identical on every host and
// compiler: it uses no platform maths library, only IEEE double arithmetic.

namespace zu {

/// sin(x) rounded to the nearest float, for every float x (NaN for NaN and
/// infinities). Fast for moderate arguments; exact reduction for huge ones.
float SineF(float x);

/// Same result as SineF, always taking the slow double-double route (exposed
/// for verification; the fast route must agree with it everywhere).
float SineFSlow(float x);

}  // namespace zu
