#include "generator/power.h"

#include <cstdint>
#include <cstring>

namespace zu {
namespace {

// Unsigned integer of up to 128 bits as four 32-bit limbs, least significant first.
struct Wide {
  uint32_t limb[4] = {0, 0, 0, 0};
};

Wide MulSmall(const Wide& a, uint32_t m) {
  Wide r;
  uint64_t carry = 0;
  for (int i = 0; i < 4; ++i) {
    const uint64_t t = static_cast<uint64_t>(a.limb[i]) * m + carry;
    r.limb[i] = static_cast<uint32_t>(t);
    carry = t >> 32;
  }
  return r;
}

int BitLength(const Wide& a) {
  for (int i = 3; i >= 0; --i) {
    if (a.limb[i] != 0) {
      int bits = 32;
      while ((a.limb[i] & (1u << (bits - 1))) == 0) --bits;
      return i * 32 + bits;
    }
  }
  return 0;
}

bool Bit(const Wide& a, int n) { return ((a.limb[n / 32] >> (n % 32)) & 1u) != 0; }

bool AnyBitBelow(const Wide& a, int n) {
  for (int i = 0; i < n; ++i) {
    if (Bit(a, i)) return true;
  }
  return false;
}

// Bits [from, from + 64) of a as an integer.
uint64_t Extract(const Wide& a, int from) {
  uint64_t r = 0;
  for (int i = 63; i >= 0; --i) {
    const int n = from + i;
    r = (r << 1) | ((n >= 0 && n < 128 && Bit(a, n)) ? 1u : 0u);
  }
  return r;
}

double FromBits(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

}  // namespace

double PowIntExact(float b, int e) {
  uint32_t fb;
  std::memcpy(&fb, &b, sizeof fb);
  const bool negative = (fb >> 31) != 0;
  const uint32_t biased = (fb >> 23) & 0xFFu;
  const uint32_t fraction = fb & 0x7FFFFFu;
  if (biased == 0xFF || e < 0 || e > 5) {
    // Infinities and NaN behave as repeated multiplication does.
    double r = 1.0;
    for (int i = 0; i < e; ++i) r *= static_cast<double>(b);
    return r;
  }
  const bool resultNegative = negative && (e % 2 == 1);
  if (e == 0) return 1.0;
  if (biased == 0 && fraction == 0) return resultNegative ? -0.0 : 0.0;

  // |b| = m x 2^k with m an integer below 2^24.
  const uint32_t m = biased == 0 ? fraction : (fraction | 0x800000u);
  const int k = (biased == 0 ? 1 : static_cast<int>(biased)) - 127 - 23;

  Wide p;
  p.limb[0] = 1;
  for (int i = 0; i < e; ++i) p = MulSmall(p, m);  // at most 120 bits

  // Round the exact product to 53 significant bits, ties to even.
  const int len = BitLength(p);
  int shift = len - 53;  // bits dropped
  uint64_t sig;
  if (shift <= 0) {
    sig = Extract(p, 0) << (-shift);
  } else {
    sig = Extract(p, shift);
    const bool half = Bit(p, shift - 1);
    const bool sticky = AnyBitBelow(p, shift - 1);
    if (half && (sticky || (sig & 1u))) {
      ++sig;
      if (sig == (uint64_t{1} << 53)) {
        sig >>= 1;
        ++shift;
      }
    }
  }
  // value = sig x 2^(shift + e*k), sig in [2^52, 2^53). The range of float
  // powers up to 5 stays well inside the normal double range.
  const int exponent = shift + e * k + 52;
  const uint64_t bits = (static_cast<uint64_t>(resultNegative) << 63) |
                        (static_cast<uint64_t>(exponent + 1023) << 52) |
                        (sig & ((uint64_t{1} << 52) - 1));
  return FromBits(bits);
}

float PowF(float b, int e) { return static_cast<float>(PowIntExact(b, e)); }

}  // namespace zu
