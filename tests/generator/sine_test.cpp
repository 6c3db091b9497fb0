#include "generator/sine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace zu {
namespace {

// The sine's own bit conversions.
constexpr auto Bits = &sine_internal::FloatBits;
constexpr auto FromBits = &sine_internal::BitsToFloat;

// Correctly rounded values, taken from MPFR (the native-only verification
// compares many millions more).
TEST(SineF, CorrectlyRoundedValues) {
  const float cases[][2] = {
      {0x1p+0f, 0x1.aed548p-1f},          {0x1p-1f, 0x1.eaee88p-2f},
      {0x1.921fb6p+0f, 0x1p+0f},          {0x1.921fb6p+1f, -0x1.777a5cp-24f},
      {0x1.921fb6p+2f, 0x1.777a5cp-23f},  {0x1.9p+6f, -0x1.03425cp-1f},
      {0x1.2a05f2p+33f, -0x1.f334c8p-2f}, {0x1.fffffep+127f, -0x1.0b3366p-1f},
      {0x1.4484cp-100f, 0x1.4484cp-100f}, {0x1p-140f, 0x1p-140f},
      {0x1.8f5c28p-1f, 0x1.68143cp-1f},   {0x1.921fb6p+14f, 0x1.777a5ap-11f},
      {0x1.81cd6cp+13f, -0x1.68961p-1f},  {0x1.388p+15f, 0x1.e4a0d8p-1f},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Bits(SineF(c[0])), Bits(c[1])) << c[0];
    EXPECT_EQ(Bits(SineF(-c[0])), Bits(-c[1])) << -c[0];
    EXPECT_EQ(Bits(SineFSlow(c[0])), Bits(c[1])) << c[0];
  }
}

TEST(SineF, ZerosInfinitiesAndNotANumber) {
  EXPECT_EQ(Bits(SineF(0.0f)), 0u);
  EXPECT_EQ(Bits(SineF(-0.0f)), 0x80000000u);
  const float inf = std::numeric_limits<float>::infinity();
  for (float x : {inf, -inf, std::numeric_limits<float>::quiet_NaN()}) {
    const float r = SineF(x);
    EXPECT_NE(r, r);
  }
}

// The fast route and the double-double route are independent computations;
// on this build they must agree bit for bit over the sine wave's range, the
// vibrato's range and arbitrary bit patterns.
TEST(SineF, FastAndSlowRoutesAgree) {
  uint32_t s = 2024;
  int differences = 0;
  auto check = [&](float x) {
    const float a = SineF(x);
    const float b = SineFSlow(x);
    if (Bits(a) != Bits(b) && !(a != a && b != b)) {
      if (++differences < 5) ADD_FAILURE() << "x bits " << std::hex << Bits(x);
    }
  };
  for (int i = 0; i < 100000; ++i) {
    s = s * 1664525u + 1013904223u;
    check(FromBits(s % (Bits(6.2831855f) + 1)));
    check(FromBits((s >> 9) % (Bits(65536.0f) - Bits(6.0f)) + Bits(6.0f)));
    check(FromBits(s * 2654435761u));
  }
  EXPECT_EQ(differences, 0);
}

// The two-lane route must give SineF's bits in each lane, including the
// lanes it hands back to SineF (negative, huge, NaN).
TEST(SineF, PairMatchesSingle) {
  uint32_t s = 7;
  int differences = 0;
  auto check = [&](float x0, float x1) {
    float pair[2];
    SineFPair(x0, x1, pair);
    const float a = SineF(x0);
    const float b = SineF(x1);
    const bool same0 = Bits(pair[0]) == Bits(a) || (a != a && pair[0] != pair[0]);
    const bool same1 = Bits(pair[1]) == Bits(b) || (b != b && pair[1] != pair[1]);
    if (!(same0 && same1) && ++differences < 5) {
      ADD_FAILURE() << std::hex << Bits(x0) << " " << Bits(x1);
    }
  };
  for (int i = 0; i < 200000; ++i) {
    s = s * 1664525u + 1013904223u;
    const uint32_t t = s * 2654435761u;
    check(FromBits(s % (Bits(6.2831855f) + 1)), FromBits(t % (Bits(6.2831855f) + 1)));
    if (i % 8 == 0) check(FromBits(s), FromBits(t));
  }
  check(0.0f, -0.0f);
  check(-0.0f, 1.0f);
  check(std::numeric_limits<float>::infinity(), 32768.0f);
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace zu
