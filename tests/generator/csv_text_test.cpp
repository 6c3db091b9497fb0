#include "generator/csv_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "generator/random_source.h"
#include "generator/sound_generator.h"
#include "generator/variables.h"

namespace zu {
namespace {

GeneratorParams Filled(float v) {
  GeneratorParams p;
  p.Reset();
  for (float* f :
       {&p.soundVolume, &p.attackTime,   &p.sustainTime,  &p.sustainPunch, &p.decayTime,
        &p.startFreq,   &p.minFreq,      &p.slide,        &p.deltaSlide,   &p.vibDepth,
        &p.vibSpeed,    &p.changeAmount, &p.changeSpeed,  &p.squareDuty,   &p.dutySweep,
        &p.repeatSpeed, &p.phaserOffset, &p.phaserSweep,  &p.lpCutoff,     &p.lpCutoffSweep,
        &p.lpResonance, &p.hpCutoff,     &p.hpCutoffSweep}) {
    *f = v;
  }
  p.waveType = 3;
  return p;
}

TEST(CsvText, ResetAndBlipTexts) {
  GeneratorParams p;
  p.Reset();
  const std::string reset = FormatVariablesAsCsv(p);
  EXPECT_EQ(reset, "1.0000,,,0.3000,,0.4000,0.3000,,,,,,,,,,,,,1.0000,,,,");
  EXPECT_EQ(reset.size(), 53u);

  SoundGenerator g;
  SeedRandom(1);
  g.LoadPreset(6);
  EXPECT_EQ(FormatVariablesAsCsv(g.params),
            "1.0000,1.0000,,0.1633,,0.1300,0.5386,,,,,,,,,,,,,1.0000,,,0.1000,");
}

TEST(CsvText, FixedFormatRoundsTheExactValueHalfToEven) {
  EXPECT_EQ(FormatFixed4(0.03125), "0.0312");  // exact tie, even below
  EXPECT_EQ(FormatFixed4(0.09375), "0.0938");  // exact tie, even above
  EXPECT_EQ(FormatFixed4(-0.03125), "-0.0312");
  EXPECT_EQ(FormatFixed4(0.00005), "0.0001");  // double slightly above the tie
  EXPECT_EQ(FormatFixed4(static_cast<double>(0.00005f)), "0.0000");  // float slightly below
  EXPECT_EQ(FormatFixed4(-0.00001), "-0.0000");
  EXPECT_EQ(FormatFixed4(-0.0), "-0.0000");
  EXPECT_EQ(FormatFixed4(0.99995), "1.0000");   // 0.9999500000000000055...
  EXPECT_EQ(FormatFixed4(0.99995f), "0.9999");  // 0.99994999170303...
  EXPECT_EQ(FormatFixed4(9.99995), "10.0000");  // 9.99995000000000046...
  EXPECT_EQ(FormatFixed4(0.3f), "0.3000");
  EXPECT_EQ(FormatFixed4(7.0), "7.0000");
  EXPECT_EQ(FormatFixed4(-123456.78125), "-123456.7812");
  EXPECT_EQ(FormatFixed4(4.9e-324), "0.0000");
  EXPECT_EQ(FormatFixed4(FLT_MAX), "340282346638528859811704183484516925440.0000");
  EXPECT_EQ(FormatFixed4(DBL_MAX).size(), 309u + 5u);
  EXPECT_EQ(FormatFixed4(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(FormatFixed4(-std::numeric_limits<double>::infinity()), "-inf");
  EXPECT_EQ(FormatFixed4(std::numeric_limits<double>::quiet_NaN()), "nan");
  EXPECT_EQ(FormatFixed4(-std::numeric_limits<double>::quiet_NaN()), "-nan");
}

TEST(CsvText, LongTextsAreNotCutAndReadBack) {
  GeneratorParams big = Filled(-FLT_MAX);
  const std::string text = FormatVariablesAsCsv(big);
  EXPECT_EQ(text.size(), 23u * 45u + 23u + 6u);
  GeneratorParams back = Filled(1.0f);
  LoadVariablesFromCsv(back, text.c_str());
  EXPECT_EQ(back.soundVolume, -FLT_MAX);
  EXPECT_EQ(back.hpCutoffSweep, -FLT_MAX);
  EXPECT_EQ(back.waveType, 3);

  GeneratorParams odd = Filled(std::numeric_limits<float>::infinity());
  odd.slide = -0.0f;
  odd.lpCutoff = -std::numeric_limits<float>::quiet_NaN();
  const std::string t = FormatVariablesAsCsv(odd);
  EXPECT_EQ(t.substr(0, 9), "inf,3.000");
  EXPECT_NE(t.find(",,"), std::string::npos);  // -0 gives an empty field
  EXPECT_NE(t.find(",-nan,"), std::string::npos);
}

TEST(CsvText, LoadingFieldCounts) {
  GeneratorParams p = Filled(0.75f);
  LoadVariablesFromCsv(p, "0.5,2");
  EXPECT_EQ(p.soundVolume, 0.5f);
  EXPECT_EQ(p.waveType, 2);
  EXPECT_EQ(p.attackTime, 0.75f);
  EXPECT_EQ(p.hpCutoffSweep, 0.75f);

  p = Filled(0.75f);
  LoadVariablesFromCsv(p, ",,,,,,,,,,,,,,,,,,,,,,,");
  for (int i = 0; i < kVariableCount; ++i) EXPECT_EQ(GetParamVariable(p, i), 0.0f) << i;

  p = Filled(0.75f);
  LoadVariablesFromCsv(p, "");
  EXPECT_EQ(p.soundVolume, 0.0f);
  EXPECT_EQ(p.waveType, 3);
  EXPECT_EQ(p.attackTime, 0.75f);

  p = Filled(0.75f);
  std::string thirty;
  for (int i = 0; i < 30; ++i) thirty += std::to_string(i) + ",";
  LoadVariablesFromCsv(p, thirty.c_str());
  for (int i = 0; i < kVariableCount; ++i) EXPECT_EQ(GetParamVariable(p, i), i) << i;
  EXPECT_EQ(p.masterVolume, 0.05f);  // nothing beyond the 24 variables
  EXPECT_EQ(p.vibDelay, 0.0f);
}

TEST(CsvText, WaveTypeTruncatesTheDouble) {
  GeneratorParams p = Filled(0.0f);
  LoadVariablesFromCsv(p, "0.5,2.9");
  EXPECT_EQ(p.waveType, 2);
  LoadVariablesFromCsv(p, "0.5,-2.9");
  EXPECT_EQ(p.waveType, -2);
  LoadVariablesFromCsv(p, "0.5,2147483647.9");
  EXPECT_EQ(p.waveType, 2147483647);  // a float would have rounded this up
  LoadVariablesFromCsv(p, "0.5,1e10");
  EXPECT_EQ(p.waveType, INT32_MIN);
  LoadVariablesFromCsv(p, "0.5,x7,3");
  EXPECT_EQ(p.waveType, 0);
  EXPECT_EQ(p.attackTime, 3.0f);
}

struct ParseCase {
  const char* text;
  double value;
  int used;
};

TEST(CsvText, NumberGrammar) {
  const double inf = std::numeric_limits<double>::infinity();
  const ParseCase cases[] = {
      {".5", 0.5, 2},
      {"5.", 5.0, 2},
      {".", 0.0, 0},
      {"-", 0.0, 0},
      {"+.", 0.0, 0},
      {"-.25x", -0.25, 4},
      {"1e", 1.0, 1},
      {"1e+", 1.0, 1},
      {"2E-x", 2.0, 1},
      {"1d2", 100.0, 3},
      {"1D-2", 0.01, 4},
      {"3e+02", 300.0, 5},
      {" \t\n\v\f\r+3", 3.0, 8},
      {"0x10", 0.0, 1},
      {"inf", 0.0, 0},
      {"nan", 0.0, 0},
      {"1,5", 1.0, 1},
      {"1e400", inf, 5},
      {"-1e400", -inf, 6},
      {"1e-400", 0.0, 6},
      {"4e-320", 4e-320, 6},
      {"2.4703282292062328e-324", 4.9406564584124654e-324, 23},
      {"2.4703282292062327e-324", 0.0, 23},
      {"1e99999999999999999999", inf, 22},
      {"0.1", 0.1, 3},
      {"123456789012345678901234567890", 1.2345678901234568e29, 30},
      {"9007199254740993", 9007199254740992.0, 16},
  };
  for (const ParseCase& c : cases) {
    const char* end = nullptr;
    const double v = ParseDecimal(c.text, &end);
    EXPECT_EQ(v, c.value) << c.text;
    EXPECT_EQ(end - c.text, c.used) << c.text;
  }
  const char* end = nullptr;
  EXPECT_TRUE(std::signbit(ParseDecimal("-1e-400", &end)));
  EXPECT_TRUE(std::signbit(ParseDecimal("-0.000", &end)));
}

TEST(CsvText, VeryLongNumbersRoundCorrectly) {
  // A digit far beyond the first 800 still breaks the tie upwards.
  std::string tie = "9007199254740993" + std::string(1000, '0') + "1e-1001";
  const char* end = nullptr;
  EXPECT_EQ(ParseDecimal(tie.c_str(), &end), 9007199254740994.0);
  EXPECT_EQ(end, tie.c_str() + tie.size());
  std::string small = "0." + std::string(1000, '0') + "15e1001";
  EXPECT_EQ(ParseDecimal(small.c_str(), &end), 1.5);
  std::string huge = "1" + std::string(2000, '0') + "e-2000";
  EXPECT_EQ(ParseDecimal(huge.c_str(), &end), 1.0);
}

}  // namespace
}  // namespace zu
