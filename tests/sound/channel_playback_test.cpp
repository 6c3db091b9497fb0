#include "sound/channel_playback.h"

#include "sound/channel_monitor.h"
#include "tests/sound/sound_fixture.h"

namespace zu::testing {
namespace {

class PlaybackTest : public SoundTest {
 protected:
  void SetUp() override {
    host.PlaceSample(1, "a", MakeWave(100));
    host.PlaceSample(2, "b", MakeWave(200));
  }
};

TEST_F(PlaybackTest, ZeroTakesTheLowestFreeChannel) {
  host.SetChannelBusy(1, true);
  host.SetChannelBusy(2, true);
  PlaySound(ctx, "b", 0);
  EXPECT_EQ(PlayedChannel(ctx), 3);
  EXPECT_EQ(host.Channel(3).sample, 2u);
  EXPECT_EQ(host.CountCalls("ChannelIsBusy"), 3u);
  const HostCall& play = host.Calls().back();
  EXPECT_EQ(play.op, "PlaySampleOnChannel");
  EXPECT_EQ(play.args, (std::vector<int64_t>{kPlayerWord, kApp, 2, kFrameWord, 0, 0, 3}));
  ASSERT_EQ(events.events.size(), 1u);
  EXPECT_EQ(events.events[0].code, kEventSoundPlayed);
  EXPECT_EQ(events.events[0].playedChannel, 3);
  EXPECT_EQ(events.events[0].playedSample, 2u);
}

TEST_F(PlaybackTest, NoFreeChannelStillPlaysOnZeroAndRaisesTheEvent) {
  for (int32_t n = 1; n <= 32; ++n) host.SetChannelBusy(n, true);
  state.playedChannel = 9;
  PlaySoundRepeat(ctx, "a", 0, 3);
  EXPECT_EQ(PlayedChannel(ctx), 0);
  EXPECT_EQ(host.Calls().back().args.back(), 0);
  EXPECT_EQ(events.Count(kEventSoundPlayed), 1u);
  EXPECT_EQ(state.monitorActive, 1);
  for (const ChannelSlot& slot : state.channels) EXPECT_EQ(slot.loopsLeft, 0);
}

TEST_F(PlaybackTest, BadChannelOrUnknownNameDoNothing) {
  for (uint32_t channel : {33u, 0xFFFFFFFFu, 0x80000000u}) {
    PlaySoundWithRepeat(ctx, "a", channel, 50, 0, 0, 0, 3);
    PlaySound(ctx, "a", channel);
  }
  EXPECT_TRUE(host.Calls().empty());

  PlaySoundRepeat(ctx, "missing", 1, 3);
  PlaySoundWith(ctx, "missing", 0, 1, 2, 3, 4);
  EXPECT_EQ(Ops(), (std::vector<std::string>{"FindSample", "FindSample"}));
  EXPECT_TRUE(events.events.empty());
  EXPECT_EQ(state.monitorActive, 0);
  EXPECT_EQ(state.playedSample, 0u);
}

TEST_F(PlaybackTest, RepeatCountsBecomeLoopCounts) {
  struct Case {
    int32_t count;
    int32_t loops;
  };
  for (Case c : {Case{0, -1}, Case{1, 0}, Case{3, 2}, Case{-5, -6}, Case{INT32_MIN, INT32_MAX}}) {
    state.channels[4] = ChannelSlot{77, 77, 77};
    PlaySoundRepeat(ctx, "b", 5, c.count);
    EXPECT_EQ(state.channels[4].loopsLeft, c.loops) << c.count;
    EXPECT_EQ(state.channels[4].sample, 2u);
    EXPECT_EQ(state.channels[4].lastPosition, 0u);
  }
  EXPECT_EQ(state.monitorActive, 1);
}

TEST_F(PlaybackTest, SettingsFollowTheStartInOrder) {
  PlaySoundWithRepeat(ctx, "a", 7, 40, -30, 25, 22050, 2);
  std::vector<std::string> ops = Ops();
  ASSERT_EQ(ops.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(ops.begin() + 1, ops.end()),
            (std::vector<std::string>{"PlaySampleOnChannel", "SetChannelVolume", "SetChannelPan",
                                      "SetChannelPosition", "SetChannelFrequency"}));
  EXPECT_EQ(host.Calls()[2].args, (std::vector<int64_t>{kApp, 7, 40}));
  EXPECT_EQ(host.Calls()[3].args, (std::vector<int64_t>{kApp, 7, -30}));
  EXPECT_EQ(host.Calls()[4].args, (std::vector<int64_t>{kApp, 7, 25}));
  EXPECT_EQ(host.Calls()[5].args, (std::vector<int64_t>{kApp, 7, 22050}));
  EXPECT_EQ(host.Channel(7).position, 25u);
  EXPECT_EQ(state.channels[6].loopsLeft, 1);
  EXPECT_EQ(events.Count(kEventSoundPlayed), 1u);
}

TEST_F(PlaybackTest, PlainPlayEndsARepetitionButKeepsTheRecord) {
  PlaySoundRepeat(ctx, "a", 4, 0);
  ASSERT_EQ(state.channels[3].loopsLeft, -1);
  state.channels[3].lastPosition = 55;
  PlaySound(ctx, "b", 4);
  EXPECT_EQ(state.channels[3].loopsLeft, 0);
  EXPECT_EQ(state.channels[3].sample, 1u);
  EXPECT_EQ(state.channels[3].lastPosition, 55u);
  EXPECT_EQ(state.playedSample, 2u);
}

TEST_F(PlaybackTest, StopEndsTheRepetitionAsWellAsTheSound) {
  PlaySoundRepeat(ctx, "b", 6, 0);
  host.AdvanceFrame(50);
  StopSound(ctx, "b");
  EXPECT_EQ(state.channels[5].loopsLeft, 0);
  EXPECT_FALSE(host.Channel(6).active);
  // A sound on no channel is stopped without touching any record.
  state.channels[0].loopsLeft = 4;
  StopSound(ctx, "a");
  EXPECT_EQ(state.channels[0].loopsLeft, 4);
  EXPECT_EQ(host.CountCalls("StopSample"), 2u);
}

TEST_F(PlaybackTest, ControlsAndConditionsActOnTheNamedSample) {
  EXPECT_FALSE(SoundIsPlaying(ctx, "a"));
  PlaySound(ctx, "a", 2);
  EXPECT_TRUE(SoundIsPlaying(ctx, "a"));
  PauseSound(ctx, "a");
  EXPECT_TRUE(SoundIsPaused(ctx, "a"));
  EXPECT_FALSE(SoundIsPlaying(ctx, "a"));
  ResumeSound(ctx, "a");
  EXPECT_FALSE(SoundIsPaused(ctx, "a"));

  SetSoundPosition(ctx, "a", 60);
  SetSoundVolume(ctx, "a", 33);
  SetSoundPan(ctx, "a", -100);
  SetSoundFrequency(ctx, "a", 11025);
  HostSimulator::ChannelState channel = host.Channel(2);
  EXPECT_EQ(channel.position, 60u);
  EXPECT_EQ(channel.volume, 33);
  EXPECT_EQ(channel.pan, -100);
  EXPECT_EQ(channel.frequency, 11025);
  EXPECT_EQ(host.Calls().back().args, (std::vector<int64_t>{kApp, 1, 1, 11025}));

  host.ClearCalls();
  PauseSound(ctx, "x");
  ResumeSound(ctx, "x");
  SetSoundVolume(ctx, "x", 1);
  EXPECT_FALSE(SoundIsPlaying(ctx, "x"));
  EXPECT_FALSE(SoundIsPaused(ctx, "x"));
  EXPECT_EQ(host.CountCalls("FindSample"), host.Calls().size());
}

TEST_F(PlaybackTest, PlayedExpressionsBeforeAndAfterAPlay) {
  char name[kNameBufferSize];
  EXPECT_EQ(PlayedChannel(ctx), 0);
  EXPECT_EQ(PlayedSound(ctx), -1);
  EXPECT_EQ(PlayedSoundName(ctx, name), 0u);
  EXPECT_STREQ(name, "");

  PlaySound(ctx, "b", 12);
  EXPECT_EQ(PlayedChannel(ctx), 12);
  EXPECT_EQ(PlayedSound(ctx), 1);
  EXPECT_EQ(PlayedSoundName(ctx, name), 1u);
  EXPECT_STREQ(name, "b");

  host.DeleteSample(kApp, 2);
  EXPECT_EQ(PlayedSoundName(ctx, name), 0u);
  EXPECT_STREQ(name, "");
  EXPECT_EQ(PlayedSound(ctx), 0);  // nearest existing sound below
}

}  // namespace
}  // namespace zu::testing
