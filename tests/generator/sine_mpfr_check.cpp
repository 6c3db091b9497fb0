// Checks the float sine against MPFR's correctly rounded sine.
//
// As a CI test it covers many millions of arguments in a few seconds: whole
// binades of the sine wave's range, windows around multiples of pi/2, powers
// of two, random bit patterns, tiny and huge values. Run with
// "--exhaustive [first last]" it checks every float bit pattern in the range
// (default: all 2^32) and prints the number of mismatches; that run is far
// too long for CI.

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "generator/sine.h"

namespace zu {
namespace {

// The sine's own bit conversions.
constexpr auto FromBits = &sine_internal::BitsToFloat;
constexpr auto ToBits = &sine_internal::FloatBits;

// Correctly rounded reference, with float's exponent range and subnormals.
class Reference {
 public:
  Reference() {
    mpfr_set_emin(-148);
    mpfr_set_emax(128);
    mpfr_init2(value_, 24);
  }
  ~Reference() { mpfr_clear(value_); }
  Reference(const Reference&) = delete;
  Reference& operator=(const Reference&) = delete;

  float Sin(float x) {
    mpfr_set_flt(value_, x, MPFR_RNDN);
    int t = mpfr_sin(value_, value_, MPFR_RNDN);
    t = mpfr_subnormalize(value_, t, MPFR_RNDN);
    (void)t;
    return mpfr_get_flt(value_, MPFR_RNDN);
  }

 private:
  mpfr_t value_;
};

// Compares one argument; NaN results must both be NaN.
bool Matches(Reference& ref, float x) {
  const float got = SineF(x);
  const float want = ref.Sin(x);
  if (want != want) return got != got;
  return ToBits(got) == ToBits(want);
}

struct Checker {
  Reference ref;
  uint64_t checked = 0;
  uint64_t failures = 0;

  void Check(float x) {
    ++checked;
    if (!Matches(ref, x)) {
      if (failures < 10) ADD_FAILURE() << "sin(" << x << ") bits " << std::hex << ToBits(x);
      ++failures;
    }
  }
  void CheckBits(uint32_t first, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) Check(FromBits(first + i));
  }
};

uint32_t Lcg(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state;
}

TEST(SineMpfr, SineWaveRange) {
  Checker c;
  // Every float in [4, 2pi], every fourth in [1, 2), a slice of negatives.
  c.CheckBits(ToBits(4.0f), ToBits(6.2831855f) - ToBits(4.0f) + 1);
  for (uint32_t u = ToBits(1.0f); u < ToBits(2.0f); u += 4) c.CheckBits(u, 1);
  c.CheckBits(ToBits(-2.0f), 1u << 19);
  // Random floats over [0, 2pi].
  uint32_t s = 1;
  for (int i = 0; i < 1000000; ++i) c.CheckBits(Lcg(s) % (ToBits(6.2831855f) + 1), 1);
  EXPECT_EQ(c.failures, 0u) << "of " << c.checked;
}

TEST(SineMpfr, NearMultiplesOfHalfPi) {
  Checker c;
  // Windows of 64 floats around k x pi/2 for every k up to the fast route's
  // limit and a little beyond, then sparser ones up to 2^24.
  for (uint32_t k = 1; k < 22000; ++k) {
    const float center = static_cast<float>(k * 1.5707963267948966);
    c.CheckBits(ToBits(center) - 32, 64);
  }
  for (uint32_t k = 22000; k < (1u << 24); k = k + k / 64 + 1) {
    const float center = static_cast<float>(k * 1.5707963267948966);
    c.CheckBits(ToBits(center) - 16, 32);
  }
  EXPECT_EQ(c.failures, 0u) << "of " << c.checked;
}

TEST(SineMpfr, PowersOfTwoAndSpecialValues) {
  Checker c;
  for (uint32_t e = 1; e < 255; ++e) {
    const uint32_t bits = e << 23;
    c.CheckBits(bits - 8, 17);
    c.CheckBits((bits - 8) | 0x80000000u, 17);
  }
  c.CheckBits(0, 4096);  // zero and the smallest subnormals
  c.CheckBits(0x80000000u, 4096);
  c.CheckBits(0x7F800000u - 4096, 4096 + 8);  // largest floats, infinity, NaNs
  c.CheckBits(0xFF800000u - 4096, 4096 + 8);
  EXPECT_EQ(c.failures, 0u) << "of " << c.checked;
  const float inf = FromBits(0x7F800000u);
  EXPECT_TRUE(SineF(inf) != SineF(inf));
  EXPECT_EQ(ToBits(SineF(-0.0f)), 0x80000000u);
}

TEST(SineMpfr, RandomBitPatternsAndHugeValues) {
  Checker c;
  uint32_t s = 12345;
  for (int i = 0; i < 3000000; ++i) c.CheckBits(Lcg(s), 1);
  // Huge: exponents from 2^15 up, where the exact reduction takes over.
  for (int i = 0; i < 1000000; ++i) {
    const uint32_t r = Lcg(s);
    const uint32_t exponent = 142 + (r >> 8) % 112;
    c.CheckBits((exponent << 23) | (Lcg(s) & 0x807FFFFFu), 1);
  }
  // Tiny: below 2^-10, including subnormals.
  for (int i = 0; i < 500000; ++i) c.CheckBits(Lcg(s) % ToBits(0x1p-10f), 1);
  EXPECT_EQ(c.failures, 0u) << "of " << c.checked;
}

TEST(SineMpfr, SlowRouteAgrees) {
  uint32_t s = 99;
  uint64_t differences = 0;
  for (int i = 0; i < 300000; ++i) {
    const float x = FromBits(Lcg(s));
    const float a = SineF(x);
    const float b = SineFSlow(x);
    if (ToBits(a) != ToBits(b) && !(a != a && b != b)) ++differences;
  }
  EXPECT_EQ(differences, 0u);
}

int Exhaustive(uint64_t first, uint64_t last) {
  Reference ref;
  uint64_t failures = 0;
  for (uint64_t u = first; u <= last; ++u) {
    const float x = FromBits(static_cast<uint32_t>(u));
    if (!Matches(ref, x)) {
      if (failures < 50) std::printf("mismatch at %08" PRIx64 "\n", u);
      ++failures;
    }
    if ((u & 0x0FFFFFFFu) == 0x0FFFFFFFu) {
      std::printf("done to %08" PRIx64 ", %" PRIu64 " mismatches\n", u, failures);
      std::fflush(stdout);
    }
  }
  std::printf("checked %08" PRIx64 "..%08" PRIx64 ": %" PRIu64 " mismatches\n", first, last,
              failures);
  return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace zu

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--exhaustive") == 0) {
    uint64_t first = 0;
    uint64_t last = 0xFFFFFFFFu;
    if (argc >= 4) {
      first = std::strtoull(argv[2], nullptr, 0);
      last = std::strtoull(argv[3], nullptr, 0);
    }
    return zu::Exhaustive(first, last);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
