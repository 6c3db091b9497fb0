#include "generator/sine.h"

#include <cstdint>
#include <cstring>
#include <limits>

// The sine is computed in IEEE double arithmetic only. Every build of this
// project uses SSE2 doubles without contraction, so the same operations give
// the same bits everywhere; the result is then rounded to the nearest float,
// which does not depend on how the double approximation was obtained as long
// as the error bound below holds.
static_assert(std::numeric_limits<double>::is_iec559, "IEEE double required");
static_assert(std::numeric_limits<float>::is_iec559, "IEEE float required");

namespace zu {
namespace {

// 2^n for -1022 <= n <= 1023, without calling into the maths library.
double Pow2(int n) {
  const uint64_t bits = static_cast<uint64_t>(1023 + n) << 52;
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

// --- Constants -------------------------------------------------------------

using namespace sine_internal;

// pi/2 as a double-double.
constexpr double kPio2Hi = 0x1.921fb54442d18p+0;
constexpr double kPio2Lo = 0x1.1a62633145c07p-54;

// Bits of 2/pi after the binary point, 32 per word, most significant first,
// preceded by one zero word so that windows may start before the point.
constexpr uint32_t kTwoOverPiBits[] = {
    0x00000000u, 0xA2F9836Eu, 0x4E441529u, 0xFC2757D1u, 0xF534DDC0u, 0xDB629599u, 0x3C439041u,
    0xFE5163ABu, 0xDEBBC561u, 0xB7246E3Au, 0x424DD2E0u, 0x06492EEAu, 0x09D1921Cu,
};

// --- Double-double arithmetic ----------------------------------------------

struct DD {
  double hi;
  double lo;
};

DD FastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

void Split(double a, double& hi, double& lo) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  hi = c - (c - a);
  lo = a - hi;
}

DD TwoProd(double a, double b) {
  const double p = a * b;
  double ah, al, bh, bl;
  Split(a, ah, al);
  Split(b, bh, bl);
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

DD Add(DD a, DD b) {
  DD s = TwoSum(a.hi, b.hi);
  s.lo += a.lo + b.lo;
  return FastTwoSum(s.hi, s.lo);
}

DD Mul(DD a, DD b) {
  DD p = TwoProd(a.hi, b.hi);
  p.lo += a.hi * b.lo + a.lo * b.hi;
  return FastTwoSum(p.hi, p.lo);
}

DD DivByDouble(DD a, double b) {
  const double q1 = a.hi / b;
  const DD p = TwoProd(q1, b);
  const double r = ((a.hi - p.hi) - p.lo) + a.lo;
  return FastTwoSum(q1, r / b);
}

double Magnitude(double v) { return v < 0 ? -v : v; }

// sin(y) (even quadrant) or cos(y) (odd quadrant), signed, to about 2^-100.
DD EvalQuadrantDD(DD y, uint32_t quadrant) {
  const DD z = Mul(y, y);
  DD term, sum;
  int n;
  if ((quadrant & 1u) == 0) {
    term = y;
    n = 1;
  } else {
    term = {1.0, 0.0};
    n = 0;
  }
  sum = term;
  for (int i = 0; i < 40; ++i) {
    // term *= -z / ((n + 1)(n + 2))
    term = Mul(term, z);
    term = DivByDouble(term, -static_cast<double>((n + 1) * (n + 2)));
    n += 2;
    sum = Add(sum, term);
    if (Magnitude(term.hi) < Magnitude(sum.hi) * 0x1p-112) break;
  }
  if (quadrant & 2u) {
    sum.hi = -sum.hi;
    sum.lo = -sum.lo;
  }
  return sum;
}

// Neighbouring float of f in the direction of dir's sign (dir != 0).
float NextFloat(float f, double dir) {
  const uint32_t u = FloatBits(f);
  if ((u & 0x7FFFFFFFu) == 0) return BitsToFloat(dir > 0 ? 1u : 0x80000001u);
  const bool away = (f > 0) == (dir > 0);
  return BitsToFloat(away ? u + 1 : u - 1);
}

// hi + lo (|lo| far below ulp(hi)) rounded to the nearest float.
float RoundToFloat(DD v) {
  const float f = static_cast<float>(v.hi);
  // Both differences below are exact: the operands are within a float ulp.
  const double diff = (v.hi - static_cast<double>(f)) + v.lo;
  if (diff == 0) return f;
  const float g = NextFloat(f, diff);
  const double mid = 0.5 * (static_cast<double>(f) + static_cast<double>(g));
  const double beyond = (v.hi - mid) + v.lo;
  return (diff > 0 ? beyond > 0 : beyond < 0) ? g : f;
}

// --- Argument reduction ----------------------------------------------------

// 32 bits of 2/pi starting with bit j (bit 1 is the first after the point;
// bits at j <= 0 are zero). j must be at least -31.
uint32_t TwoOverPiWindow(int j) {
  const int k = j - 1 + 32;  // index into the padded table, in bits
  const int w = k >> 5;
  const int s = k & 31;
  if (s == 0) return kTwoOverPiBits[w];
  return (kTwoOverPiBits[w] << s) | (kTwoOverPiBits[w + 1] >> (32 - s));
}

// r = mant x the 160 bits of 2/pi from bit j0 on, modulo 2^160; r[0] holds
// the most significant 32 bits.
void MultiplyByTwoOverPi(uint32_t mant, int j0, uint32_t r[5]) {
  uint32_t w[5];
  for (int i = 0; i < 5; ++i) w[i] = TwoOverPiWindow(j0 + 32 * i);
  uint64_t carry = 0;
  for (int i = 4; i >= 0; --i) {
    const uint64_t p = static_cast<uint64_t>(mant) * w[i] + carry;
    r[i] = static_cast<uint32_t>(p);
    carry = p >> 32;
  }
}

// The fraction hi x 2^-64 + lo x 2^-128 (not zero) as a double-double.
DD FractionToDD(uint64_t hi, uint64_t lo) {
  int lz = 0;
  if (hi == 0) {
    hi = lo;
    lo = 0;
    lz = 64;
  }
  const int shift = __builtin_clzll(hi);
  if (shift > 0) {
    hi = (hi << shift) | (lo >> (64 - shift));
    lo <<= shift;
  }
  lz += shift;
  // Fraction = (hi x 2^-64 + lo x 2^-128) x 2^-lz, hi's top bit set.
  const double fhi = static_cast<double>(hi >> 11) * Pow2(-53 - lz);
  const double flo = static_cast<double>(((hi & 0x7FFu) << 42) | (lo >> 22)) * Pow2(-106 - lz);
  return FastTwoSum(fhi, flo);
}

// For a finite ax >= pi/4: the quadrant and y with ax = quadrant x pi/2 + y
// (|y| <= pi/4), y to about 2^-100 relative.
DD ReduceExact(float ax, uint32_t& quadrant) {
  const uint32_t bits = FloatBits(ax);
  const uint32_t mant = (bits & 0x7FFFFFu) | 0x800000u;
  const int e = static_cast<int>((bits >> 23) & 0xFFu) - 150;  // ax = mant x 2^e
  // Bits j of 2/pi with weight 2^(e - j) >= 4 only add multiples of 4 to
  // ax x 2/pi, so the window starts at j = e - 1: 160 bits W with
  // ax x 2/pi = mant x W x 2^-158 (mod 4), error below 2^-134.
  uint32_t r[5];
  MultiplyByTwoOverPi(mant, e - 1, r);
  // r[0]'s top two bits: the integer part mod 4; then 158 fraction bits, of
  // which the first 128 are kept.
  quadrant = r[0] >> 30;
  uint64_t hi = (static_cast<uint64_t>(r[0] & 0x3FFFFFFFu) << 34) |
                (static_cast<uint64_t>(r[1]) << 2) | (r[2] >> 30);
  uint64_t lo = (static_cast<uint64_t>(r[2] & 0x3FFFFFFFu) << 34) |
                (static_cast<uint64_t>(r[3]) << 2) | (r[4] >> 30);
  bool negative = false;
  if (hi >> 63) {
    // Fraction at least 1/2: round to the next quadrant, y = fraction - 1.
    quadrant += 1;
    negative = true;
    lo = ~lo + 1;
    hi = ~hi + (lo == 0 ? 1 : 0);
  }
  quadrant &= 3u;
  if (hi == 0 && lo == 0) return {0.0, 0.0};
  DD frac = FractionToDD(hi, lo);
  if (negative) {
    frac.hi = -frac.hi;
    frac.lo = -frac.lo;
  }
  return Mul(frac, DD{kPio2Hi, kPio2Lo});
}

// The double-double route for |x| (ax >= 0, finite): returns sin(ax).
float SlowPositive(float ax) {
  DD y{static_cast<double>(ax), 0.0};
  uint32_t quadrant = 0;
  if (ax > 0.78f) y = ReduceExact(ax, quadrant);
  return RoundToFloat(EvalQuadrantDD(y, quadrant));
}

}  // namespace

float SineFSlow(float x) {
  if (!(x - x == 0)) return x - x;  // NaN for NaN and infinities
  // sin is odd and rounding to nearest is symmetric: work on |x| and give
  // the result x's sign bit (so -0 stays -0).
  const uint32_t sign = FloatBits(x) & 0x80000000u;
  const float r = SlowPositive(BitsToFloat(FloatBits(x) ^ sign));
  return BitsToFloat(FloatBits(r) ^ sign);
}

namespace sine_internal {

float SinePositiveRare(float ax) {
  if (!(ax - ax == 0)) return ax - ax;  // NaN for NaN and infinities
  // The accurate double evaluation (error below 2^-51 relative), then the
  // double-double route for the few results it cannot decide either.
  uint32_t quadrant;
  double y;
  if (ax < kFastLimit) {
    // k < 2^15, so k x part1 and k x part2 are exact and ax - k x part1 is
    // exact (the two are within a factor of two of each other, or k is 0).
    const int32_t k = static_cast<int32_t>(ax * kTwoOverPi + 0.5);
    const double kd = static_cast<double>(k);
    y = ax - kd * kPio2Part1;
    y = y - kd * kPio2Part2;
    y = y - kd * kPio2Part3;
    quadrant = static_cast<uint32_t>(k) & 3u;
  } else {
    y = ReduceExact(ax, quadrant).hi;
  }
  const double r = EvalQuadrant(y, quadrant);
  const double err = (r < 0 ? -r : r) * kFastErrorBound;
  const float lower = static_cast<float>(r - err);
  if (lower == static_cast<float>(r + err)) return lower;
  return SlowPositive(ax);
}

}  // namespace sine_internal
}  // namespace zu
