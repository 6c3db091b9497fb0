#include "generator/param_file.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "generator/param_file_io.h"
#include "tests/generator/params_compare.h"

namespace zu {
namespace {

namespace fs = std::filesystem;

float FromBits(uint32_t b) {
  float f;
  std::memcpy(&f, &b, 4);
  return f;
}

uint32_t Bits(float f) {
  uint32_t b;
  std::memcpy(&b, &f, 4);
  return b;
}

// A block whose every field has a distinct, awkward bit pattern.
GeneratorParams Hostile() {
  GeneratorParams p;
  p.Reset();
  float* floats[] = {&p.soundVolume,  &p.attackTime,  &p.sustainTime,   &p.sustainPunch,
                     &p.decayTime,    &p.startFreq,   &p.minFreq,       &p.slide,
                     &p.deltaSlide,   &p.vibDepth,    &p.vibSpeed,      &p.changeAmount,
                     &p.changeSpeed,  &p.squareDuty,  &p.dutySweep,     &p.repeatSpeed,
                     &p.phaserOffset, &p.phaserSweep, &p.lpCutoff,      &p.lpCutoffSweep,
                     &p.lpResonance,  &p.hpCutoff,    &p.hpCutoffSweep, &p.vibDelay};
  uint32_t pattern = 0x7FA00001u;  // signalling-style NaN payloads, then others
  for (float* f : floats) {
    *f = FromBits(pattern);
    pattern += 0x01010101u;
  }
  p.slide = -0.0f;
  p.startFreq = 1234.5f;
  p.waveType = 4;
  p.filterFlag = 7;
  return p;
}

class ParamFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zu_param_file_" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string PathOf(const char* name) const { return (dir_ / name).string(); }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_))
      names.push_back(e.path().filename().string());
    return names;
  }
  static std::vector<uint8_t> ReadAll(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return bytes;
  }
  static void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  fs::path dir_;
};

TEST_F(ParamFileTest, SaveAndLoadKeepEveryBit) {
  const GeneratorParams saved = Hostile();
  const std::string path = PathOf("a.sfs");
  ASSERT_TRUE(SaveParameterFile(saved, path.c_str()));
  const std::vector<uint8_t> bytes = ReadAll(path);
  ASSERT_EQ(bytes.size(), 105u);
  EXPECT_EQ(bytes[0], 0x66);
  EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
  EXPECT_EQ(bytes[4], 4);   // waveType
  EXPECT_EQ(bytes[64], 7);  // filterFlag
  const uint32_t lp = Bits(saved.lpResonance);
  EXPECT_EQ(bytes[65], lp & 0xFF);  // little-endian at an odd offset
  EXPECT_EQ(bytes[68], lp >> 24);

  GeneratorParams loaded;
  loaded.Reset();
  ASSERT_TRUE(LoadParameterFile(loaded, path.c_str()));
  EXPECT_TRUE(SameBits(loaded, saved));
  EXPECT_EQ(Entries().size(), 1u);  // no temporary file left

  // Saving again replaces the file.
  GeneratorParams other;
  other.Reset();
  ASSERT_TRUE(SaveParameterFile(other, path.c_str()));
  ASSERT_TRUE(LoadParameterFile(loaded, path.c_str()));
  other.vibDelay = loaded.vibDelay;
  EXPECT_EQ(loaded.filterFlag, 0);
  EXPECT_EQ(loaded.startFreq, 0.3f);
}

TEST_F(ParamFileTest, OlderVersionsKeepTheFieldsTheyLack) {
  GeneratorParams source = Hostile();
  uint8_t image[kParamFileBytes102];
  EncodeParams(source, image);
  // Version 100: drop soundVolume (8..11), deltaSlide (24..27) and the last two.
  std::vector<uint8_t> v100 = {100, 0, 0, 0};
  v100.insert(v100.end(), image + 4, image + 8);
  v100.insert(v100.end(), image + 12, image + 24);
  v100.insert(v100.end(), image + 28, image + 97);
  ASSERT_EQ(v100.size(), 89u);
  std::vector<uint8_t> v101 = {101, 0, 0, 0};
  v101.insert(v101.end(), image + 4, image + 8);
  v101.insert(v101.end(), image + 12, image + 105);
  ASSERT_EQ(v101.size(), 101u);

  GeneratorParams p;
  p.Reset();
  p.deltaSlide = 0.25f;
  ASSERT_TRUE(LoadParamsFromBytes(p, v100.data(), v100.size()));
  EXPECT_EQ(p.deltaSlide, 0.25f);
  EXPECT_EQ(p.soundVolume, 1.0f);
  EXPECT_EQ(p.changeSpeed, 0.0f);
  EXPECT_EQ(p.changeAmount, 0.0f);
  EXPECT_EQ(Bits(p.repeatSpeed), Bits(source.repeatSpeed));
  EXPECT_EQ(p.filterFlag, 7);

  p.Reset();
  ASSERT_TRUE(LoadParamsFromBytes(p, v101.data(), v101.size()));
  EXPECT_EQ(p.soundVolume, 1.0f);
  EXPECT_EQ(Bits(p.deltaSlide), Bits(source.deltaSlide));
  EXPECT_EQ(Bits(p.changeAmount), Bits(source.changeAmount));

  // Trailing bytes are ignored.
  v101.push_back(0xEE);
  p.Reset();
  EXPECT_TRUE(LoadParamsFromBytes(p, v101.data(), v101.size()));
}

TEST_F(ParamFileTest, RejectedImagesChangeNothing) {
  uint8_t image[kParamFileBytes102];
  EncodeParams(Hostile(), image);
  GeneratorParams p;
  p.Reset();
  const GeneratorParams before = p;
  EXPECT_FALSE(LoadParamsFromBytes(p, image, 104));  // short 102
  EXPECT_FALSE(LoadParamsFromBytes(p, image, 0));
  EXPECT_FALSE(LoadParamsFromBytes(p, nullptr, 0));
  image[0] = 100;
  EXPECT_FALSE(LoadParamsFromBytes(p, image, 88));  // short 100
  image[0] = 103;
  EXPECT_FALSE(LoadParamsFromBytes(p, image, sizeof image));
  image[0] = 102;
  image[3] = 0x80;  // a negative version
  EXPECT_FALSE(LoadParamsFromBytes(p, image, sizeof image));
  EXPECT_TRUE(SameBits(p, before));

  WriteAll(PathOf("empty.sfs"), {});
  EXPECT_FALSE(LoadParameterFile(p, PathOf("empty.sfs").c_str()));
  WriteAll(PathOf("cut.sfs"), std::vector<uint8_t>(image, image + 60));
  EXPECT_FALSE(LoadParameterFile(p, PathOf("cut.sfs").c_str()));
  EXPECT_FALSE(LoadParameterFile(p, PathOf("missing.sfs").c_str()));
  EXPECT_FALSE(LoadParameterFile(p, dir_.string().c_str()));  // a folder
  EXPECT_TRUE(SameBits(p, before));
}

TEST_F(ParamFileTest, FailuresSayWhy) {
  GeneratorParams p = Hostile();
  std::string error;
  EXPECT_FALSE(SaveParameterFile(p, PathOf("no/such/folder/x.sfs").c_str(), &error));
  EXPECT_EQ(error.rfind("cannot write " + PathOf("no/such/folder/x.sfs") + ": ", 0), 0u) << error;
  EXPECT_FALSE(SaveParameterFile(p, "", &error));
  EXPECT_TRUE(Entries().empty());

  uint8_t image[kParamFileBytes102];
  EncodeParams(p, image);
  EXPECT_EQ(ParamImageError(image, 5, "x.sfs"),
            "not a .sfs file: x.sfs (5 bytes; a version 102 file has 105)");
  EXPECT_EQ(ParamImageError(image, 3, "x.sfs"),
            "not a .sfs file: x.sfs (3 bytes; the shortest, version 100, has 89)");
  EXPECT_EQ(ParamImageError(image, sizeof image, "x.sfs"), "");
  image[0] = 103;
  EXPECT_EQ(ParamImageError(image, sizeof image, "x.sfs"), "unknown .sfs version 103 in x.sfs");
  WriteAll(PathOf("v103.sfs"), std::vector<uint8_t>(image, image + sizeof image));
  EXPECT_FALSE(LoadParameterFile(p, PathOf("v103.sfs").c_str(), &error));
  EXPECT_EQ(error, "unknown .sfs version 103 in " + PathOf("v103.sfs"));
}

}  // namespace
}  // namespace zu
