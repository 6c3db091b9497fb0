#include "generator/wave_render.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace zu {
namespace {

uint32_t U32At(const std::vector<uint8_t>& image, size_t at) {
  return static_cast<uint32_t>(image[at]) | (static_cast<uint32_t>(image[at + 1]) << 8) |
         (static_cast<uint32_t>(image[at + 2]) << 16) |
         (static_cast<uint32_t>(image[at + 3]) << 24);
}

uint32_t U16At(const std::vector<uint8_t>& image, size_t at) {
  return static_cast<uint32_t>(image[at]) | (static_cast<uint32_t>(image[at + 1]) << 8);
}

int16_t SampleAt(const std::vector<uint8_t>& image, uint32_t index) {
  return static_cast<int16_t>(U16At(image, kWaveHeaderBytes + 2 * index));
}

bool TextAt(const std::vector<uint8_t>& image, size_t at, const char* text) {
  return std::memcmp(image.data() + at, text, 4) == 0;
}

TEST(WaveCapacity, UnitsOf82000BytesUpToTen) {
  EXPECT_EQ(WaveCapacityFor(0), 0u);
  EXPECT_EQ(WaveCapacityFor(1), 82000u);
  EXPECT_EQ(WaveCapacityFor(5), 410000u);
  EXPECT_EQ(WaveCapacityFor(10), 820000u);
  EXPECT_EQ(WaveCapacityFor(15), 820000u);
  EXPECT_EQ(WaveCapacityFor(0xFFFFFFFFu), 820000u);
}

TEST(RenderToWaveBuffer, ResetSoundInOneUnit) {
  SoundGenerator gen;
  const uint32_t capacity = WaveCapacityFor(1);
  std::vector<uint8_t> image(capacity + kWaveHeaderBytes, 0xEE);
  const uint32_t bytes = RenderToWaveBuffer(gen, image.data(), capacity);
  EXPECT_EQ(bytes, 50006u);
  EXPECT_EQ(bytes / 2, 25003u);
  EXPECT_TRUE(TextAt(image, 0, "RIFF"));
  EXPECT_EQ(U32At(image, 4), 50042u);
  EXPECT_TRUE(TextAt(image, 8, "WAVE"));
  EXPECT_TRUE(TextAt(image, 12, "fmt "));
  EXPECT_EQ(U32At(image, 16), 16u);
  EXPECT_EQ(U16At(image, 20), 1u);
  EXPECT_EQ(U16At(image, 22), 1u);
  EXPECT_EQ(U32At(image, 24), 44100u);
  EXPECT_EQ(U32At(image, 28), 88200u);
  EXPECT_EQ(U16At(image, 32), 2u);
  EXPECT_EQ(U16At(image, 34), 16u);
  EXPECT_TRUE(TextAt(image, 36, "data"));
  EXPECT_EQ(U32At(image, 40), 50006u);
  EXPECT_EQ(SampleAt(image, 0), 3199);
  EXPECT_EQ(static_cast<float>(SampleAt(image, 0) / 32000.0), 0.09996875f);
  EXPECT_EQ(SampleAt(image, 25002), 0);
  // Bytes past the sound are left as they were.
  EXPECT_EQ(image[kWaveHeaderBytes + bytes], 0xEE);
}

TEST(RenderToWaveBuffer, SamplesMatchSynthesize) {
  SoundGenerator gen;
  gen.params.waveType = 1;
  gen.params.lpCutoff = 0.5f;
  const uint32_t capacity = WaveCapacityFor(1);
  std::vector<uint8_t> image(capacity + kWaveHeaderBytes);
  const uint32_t bytes = RenderToWaveBuffer(gen, image.data(), capacity);
  std::vector<int16_t> direct(capacity / 2);
  gen.Synthesize(static_cast<int32_t>(direct.size()), direct.data());
  ASSERT_EQ(bytes, 2u * static_cast<uint32_t>(gen.state.samplesWritten));
  for (uint32_t i = 0; i < bytes / 2; ++i) ASSERT_EQ(SampleAt(image, i), direct[i]) << i;
}

TEST(RenderToWaveBuffer, EmptyBufferWritesHeaderOnly) {
  SoundGenerator gen;
  std::vector<uint8_t> image(kWaveHeaderBytes, 0);
  EXPECT_EQ(RenderToWaveBuffer(gen, image.data(), WaveCapacityFor(0)), 0u);
  EXPECT_EQ(U32At(image, 4), 36u);
  EXPECT_EQ(U32At(image, 40), 0u);
  EXPECT_EQ(gen.state.samplesWritten, 0);
  EXPECT_EQ(RenderToWaveBuffer(gen, nullptr, 82000u), 0u) << "no buffer: nothing rendered";
}

TEST(RenderToWaveBuffer, LongSoundIsCutAtCapacity) {
  SoundGenerator gen;
  gen.params.sustainTime = 1.0f;  // 116003 samples, more than one unit
  const uint32_t capacity = WaveCapacityFor(1);
  std::vector<uint8_t> image(capacity + kWaveHeaderBytes);
  EXPECT_EQ(RenderToWaveBuffer(gen, image.data(), capacity), capacity);
  EXPECT_EQ(U32At(image, 40), capacity);
  // An odd capacity still holds whole samples only.
  EXPECT_EQ(RenderToWaveBuffer(gen, image.data(), 7u), 6u);
}

}  // namespace
}  // namespace zu
