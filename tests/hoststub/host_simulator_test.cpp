#include "hoststub/host_simulator.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/sound/sound_fixture.h"

namespace zu::testing {
namespace {

TEST(HostSimulatorTest, DurationAndFrequencyFromTheWaveHeader) {
  EXPECT_EQ(HostSimulator::DurationOf(MakeWave(250)), 250u);
  EXPECT_EQ(HostSimulator::FrequencyOf(MakeWave(250)), 44100);
  // A data chunk that claims more than is present counts what is there.
  std::vector<uint8_t> cut = MakeWave(1000);
  cut.resize(44 + 8820);
  EXPECT_EQ(HostSimulator::DurationOf(cut), 100u);
  // Anything else lasts the fixed fallback, or nothing when empty.
  EXPECT_EQ(HostSimulator::DurationOf({1, 2, 3}), HostSimulator::kUnknownDurationMs);
  EXPECT_EQ(HostSimulator::FrequencyOf({1, 2, 3}), HostSimulator::kUnknownFrequency);
  EXPECT_EQ(HostSimulator::DurationOf({}), 0u);
  std::vector<uint8_t> noRate = MakeWave(10);
  noRate[28] = noRate[29] = noRate[30] = noRate[31] = 0;
  EXPECT_EQ(HostSimulator::DurationOf(noRate), HostSimulator::kUnknownDurationMs);
}

TEST(HostSimulatorTest, BankHandlesNamesAndCopies) {
  HostSimulator host;
  host.PlaceSample(2, "two", {9});
  std::vector<uint8_t> data{1, 2, 3, 4};
  EXPECT_EQ(host.AddSample(0, 1, "one", data.data(), 4), 1u);
  EXPECT_EQ(host.AddSample(0, 1, "three", data.data(), 4), 3u);
  data[0] = 99;  // the bank keeps its own copy
  EXPECT_EQ((*host.SampleBytes(1))[0], 1);
  EXPECT_EQ(host.FindSample(0, 1, "three"), 3u);
  EXPECT_EQ(host.FindSample(0, 1, "Three"), 0u);
  EXPECT_EQ(host.FindSample(0, 1, nullptr), 0u);

  char name[8];
  std::memset(name, '#', sizeof name);
  EXPECT_NE(host.GetSampleName(0, 3, name, 1), 0);
  EXPECT_EQ(std::string(name, 2), "t#");  // one byte, no terminator beyond it
  EXPECT_NE(host.GetSampleName(0, 3, name, 8), 0);
  EXPECT_STREQ(name, "three");
  EXPECT_EQ(host.GetSampleName(0, 4, name, 8), 0);

  SampleInfo info{};
  host.GetSampleInfo(0, 1, &info);
  EXPECT_EQ(SampleDataLength(info), 4u);
  EXPECT_EQ(host.ReplaceSample(0, 1, 1, "uno", data.data(), 2), 1u);
  EXPECT_EQ(host.SampleNameOf(1), "uno");
  EXPECT_EQ(host.ReplaceSample(0, 1, 40, "none", data.data(), 2), 0u);
  host.DeleteSample(0, 1);
  EXPECT_EQ(host.AddSample(0, 1, "again", nullptr, 0), 1u);
  EXPECT_EQ(host.GetSampleData(0, 1), nullptr);
}

TEST(HostSimulatorTest, ChannelsRunToTheirEndAndRewind) {
  HostSimulator host;
  host.PlaceSample(1, "s", MakeWave(100));
  host.PlaySampleOnChannel(0, 0, 1, 0, 0, 0, 0);  // channel 0: nothing
  host.PlaySampleOnChannel(0, 0, 1, 0, 0, 0, 4);
  EXPECT_EQ(host.ChannelOfSample(0, 1), 4);
  EXPECT_EQ(host.GetChannelDuration(0, 4), 100u);
  host.AdvanceFrame(60);
  EXPECT_EQ(host.GetChannelPosition(0, 4), 60u);
  host.AdvanceFrame(60);
  EXPECT_EQ(host.GetChannelPosition(0, 4), 100u);
  EXPECT_EQ(host.ChannelIsBusy(0, 4), 0);
  EXPECT_EQ(host.SampleIsPlaying(0, 1), 0);
  EXPECT_EQ(host.ChannelOfSample(0, 1), 4);  // ended, still on its channel

  host.SetChannelPosition(0, 4, 0);
  host.ResumeChannel(0, 4);
  EXPECT_NE(host.ChannelIsBusy(0, 4), 0);
  host.PauseSample(0, 1, 1);
  host.AdvanceFrame(50);
  EXPECT_EQ(host.GetChannelPosition(0, 4), 0u);
  EXPECT_NE(host.ChannelIsBusy(0, 4), 0);
  host.StopSample(0, 1, 1);
  EXPECT_EQ(host.ChannelIsBusy(0, 4), 0);
  EXPECT_EQ(host.ChannelOfSample(0, 1), 0);
  EXPECT_EQ(host.GetChannelPosition(0, 4), 0u);

  host.SetChannelBusy(7, true);
  EXPECT_NE(host.ChannelIsBusy(0, 7), 0);
  EXPECT_EQ(host.ChannelIsBusy(0, 33), 0);
}

TEST(HostSimulatorTest, FrequencyZeroMeansTheSamplesOwn) {
  HostSimulator host;
  host.PlaceSample(1, "s", MakeWave(10));
  host.SetSampleFrequency(0, 1, 1, 8000);
  EXPECT_EQ(host.GetSampleFrequency(0, 1, 1), 8000);
  host.SetSampleFrequency(0, 1, 1, 0);
  EXPECT_EQ(host.GetSampleFrequency(0, 1, 1), 44100);
  EXPECT_EQ(host.GetSampleFrequency(0, 1, 2), 0);
  EXPECT_EQ(host.CountCalls("GetSampleFrequency"), 3u);
  EXPECT_EQ(host.Calls()[0].args, (std::vector<int64_t>{0, 1, 1, 8000}));
}

}  // namespace
}  // namespace zu::testing
