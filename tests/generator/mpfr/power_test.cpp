// Checks the exact small powers against MPFR: the double result must be the
// correctly rounded power, and the float result that double rounded again.
#include "generator/power.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace zu {
namespace {

float FloatFromBits(uint32_t b) {
  float f;
  std::memcpy(&f, &b, 4);
  return f;
}

class Reference {
 public:
  Reference() {
    mpfr_init2(exact_, 200);
    mpfr_init2(rounded_, 53);
  }
  ~Reference() {
    mpfr_clear(exact_);
    mpfr_clear(rounded_);
  }
  double Pow(float b, int e) {
    mpfr_set_flt(exact_, b, MPFR_RNDN);
    mpfr_pow_ui(rounded_, exact_, static_cast<unsigned long>(e), MPFR_RNDN);
    return mpfr_get_d(rounded_, MPFR_RNDN);
  }

 private:
  mpfr_t exact_;
  mpfr_t rounded_;
};

void ExpectSame(Reference& ref, float b, int e) {
  const double want = ref.Pow(b, e);
  const double got = PowIntExact(b, e);
  ASSERT_EQ(std::memcmp(&want, &got, sizeof want), 0)
      << b << "^" << e << " got " << got << " want " << want;
  ASSERT_EQ(PowF(b, e), static_cast<float>(want));
}

TEST(PowerAgainstMpfr, EveryValueTheRandomizerCanDraw) {
  Reference ref;
  for (int k = 0; k <= 10000; ++k) {
    const float b =
        static_cast<float>(static_cast<double>(static_cast<float>(k / 10000.0 * 2.0)) - 1.0);
    const float u = static_cast<float>(k / 10000.0);
    const float v = static_cast<float>(k / 10000.0 * static_cast<double>(0.8f));
    for (int e : {2, 3, 5}) {
      ExpectSame(ref, b, e);
      ExpectSame(ref, u, e);
      ExpectSame(ref, v, e);
    }
  }
}

TEST(PowerAgainstMpfr, SpreadOverAllFiniteFloats) {
  Reference ref;
  for (uint64_t bits = 0; bits < 0x100000000ull; bits += 3001) {
    const float b = FloatFromBits(static_cast<uint32_t>(bits));
    if (b != b || b - b != 0.0f) continue;  // NaN and infinities
    for (int e : {2, 3, 5}) ExpectSame(ref, b, e);
  }
}

TEST(PowerAgainstMpfr, EdgeValues) {
  Reference ref;
  for (uint32_t bits :
       {0x00000000u, 0x80000000u, 0x00000001u, 0x80000001u, 0x007FFFFFu, 0x00800000u, 0x7F7FFFFFu,
        0xFF7FFFFFu, 0x3F800000u, 0xBF800000u, 0x3F7FFFFFu, 0x3F800001u}) {
    for (int e : {2, 3, 5}) ExpectSame(ref, FloatFromBits(bits), e);
  }
  EXPECT_TRUE(std::signbit(PowIntExact(-0.0f, 3)));
  EXPECT_FALSE(std::signbit(PowIntExact(-0.0f, 2)));
}

}  // namespace
}  // namespace zu
