#include "sound/channel_monitor.h"

#include "sound/channel_playback.h"
#include "tests/sound/sound_fixture.h"

namespace zu::testing {
namespace {

class MonitorTest : public SoundTest {
 protected:
  void SetUp() override {
    host.PlaceSample(1, "short", MakeWave(100));
    host.PlaceSample(2, "long", MakeWave(300));
    host.PlaceSample(3, "silent", {});  // lasts 0 ms
  }
  // One frame of the host: the mixer advances, then the object's handler runs.
  void Frame(uint32_t ms = 16) {
    host.AdvanceFrame(ms);
    EXPECT_EQ(RunChannelMonitor(ctx), 0);
  }
  // Frames until the channel idles after a monitor pass; returns the frames run.
  int RunUntilIdle(int32_t channel, int limit = 1000) {
    for (int frame = 1; frame <= limit; ++frame) {
      Frame();
      if (host.ChannelIsBusy(kApp, channel) == 0) return frame;
    }
    return -1;
  }
};

TEST_F(MonitorTest, InactiveMonitorMakesNoHostCall) {
  PlaySound(ctx, "short", 1);
  state.channels[0].loopsLeft = 5;  // only a counted play switches the monitor on
  host.ClearCalls();
  Frame(1000);
  EXPECT_TRUE(host.Calls().empty());
}

TEST_F(MonitorTest, RepeatCountThreePlaysThreeTimes) {
  PlaySoundRepeat(ctx, "short", 1, 3);
  // 100 ms heard three times: 7 frames of 16 ms each.
  EXPECT_EQ(RunUntilIdle(1), 21);
  EXPECT_EQ(events.Count(kEventSoundPlayed), 1u);
  EXPECT_EQ(events.Count(kEventSoundLooped), 2u);
  EXPECT_EQ(host.CountCalls("ResumeChannel"), 2u);
  EXPECT_EQ(state.channels[0].loopsLeft, 0);
  for (const PushedEvent& e : events.events) {
    EXPECT_EQ(e.playedChannel, 1);
    EXPECT_EQ(e.playedSample, 1u);
  }
  // Nothing more happens later.
  host.ClearCalls();
  Frame();
  EXPECT_TRUE(host.Calls().empty());
  EXPECT_EQ(events.events.size(), 3u);
}

TEST_F(MonitorTest, ReadsPositionThenDurationAndRewindsThenResumes) {
  PlaySoundRepeat(ctx, "short", 9, 2);
  host.AdvanceFrame(100);
  host.ClearCalls();
  RunChannelMonitor(ctx);
  EXPECT_EQ(Ops(), (std::vector<std::string>{"GetChannelPosition", "GetChannelDuration",
                                             "SetChannelPosition", "ResumeChannel"}));
  EXPECT_EQ(host.Calls()[2].args, (std::vector<int64_t>{kApp, 9, 0}));
  EXPECT_EQ(host.Channel(9).position, 0u);
  EXPECT_TRUE(host.ChannelIsBusy(kApp, 9));
}

TEST_F(MonitorTest, ChannelsFinishingTogetherLoopInChannelOrder) {
  PlaySoundRepeat(ctx, "long", 20, 0);
  PlaySoundRepeat(ctx, "short", 3, 0);
  PlaySoundRepeat(ctx, "short", 11, 2);
  events.events.clear();
  Frame(300);
  ASSERT_EQ(events.events.size(), 3u);
  int32_t expectedChannels[] = {3, 11, 20};
  uint32_t expectedSamples[] = {1, 1, 2};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(events.events[i].code, kEventSoundLooped);
    EXPECT_EQ(events.events[i].playedChannel, expectedChannels[i]);
    EXPECT_EQ(events.events[i].playedSample, expectedSamples[i]);
  }
  EXPECT_EQ(state.channels[2].loopsLeft, -1);
  EXPECT_EQ(state.channels[10].loopsLeft, 0);
  EXPECT_EQ(state.channels[19].loopsLeft, -1);
}

TEST_F(MonitorTest, MovingBackwardsEndsTheWatchForwardsDoesNot) {
  PlaySoundRepeat(ctx, "long", 1, 0);
  PlaySoundRepeat(ctx, "short", 2, 0);
  Frame(50);
  SetSoundPosition(ctx, "long", 10);   // back
  SetSoundPosition(ctx, "short", 90);  // forwards
  Frame(0);
  EXPECT_EQ(state.channels[0].loopsLeft, 0);
  EXPECT_EQ(state.channels[1].loopsLeft, -1);
  EXPECT_EQ(state.channels[0].lastPosition, 50u);  // left as it was
  Frame(10);
  EXPECT_EQ(events.Count(kEventSoundLooped), 1u);
  EXPECT_EQ(events.events.back().playedChannel, 2);
  Frame(300);
  for (const PushedEvent& e : events.events) {
    if (e.code == kEventSoundLooped) {
      EXPECT_NE(e.playedChannel, 1);
    }
  }
  EXPECT_FALSE(host.ChannelIsBusy(kApp, 1));  // ended, unwatched
}

TEST_F(MonitorTest, PositionHeldAtZeroNeverFinishes) {
  PlaySoundRepeat(ctx, "silent", 5, 0);
  for (int i = 0; i < 10; ++i) Frame();
  EXPECT_EQ(events.Count(kEventSoundLooped), 0u);
  EXPECT_EQ(state.channels[4].loopsLeft, -1);
  EXPECT_EQ(host.CountCalls("GetChannelPosition"), 10u);
  EXPECT_EQ(host.CountCalls("GetChannelDuration"), 10u);
}

TEST_F(MonitorTest, PausedSoundStaysWatched) {
  PlaySoundRepeat(ctx, "short", 1, 2);
  Frame(40);
  PauseSound(ctx, "short");
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_EQ(state.channels[0].loopsLeft, 1);
  EXPECT_EQ(state.channels[0].lastPosition, 40u);
  ResumeSound(ctx, "short");
  Frame(60);
  EXPECT_EQ(events.Count(kEventSoundLooped), 1u);
  EXPECT_EQ(state.channels[0].loopsLeft, 0);
}

TEST_F(MonitorTest, StopEndsARepetition) {
  PlaySoundRepeat(ctx, "short", 1, 0);
  Frame(30);
  StopSound(ctx, "short");
  host.ClearCalls();
  Frame(200);
  EXPECT_TRUE(host.Calls().empty());
  EXPECT_EQ(events.Count(kEventSoundLooped), 0u);
}

TEST_F(MonitorTest, NegativeCountsWrapWithoutOverflow) {
  PlaySoundRepeat(ctx, "short", 1, 3);
  state.channels[0].loopsLeft = INT32_MIN;
  Frame(100);
  EXPECT_EQ(state.channels[0].loopsLeft, INT32_MAX);
  state.channels[0].loopsLeft = 1;
  Frame(100);
  EXPECT_EQ(state.channels[0].loopsLeft, 0);
  EXPECT_EQ(events.Count(kEventSoundLooped), 2u);
}

TEST_F(MonitorTest, RuleThatStopsTheSoundInsideTheLoopedEventIsNotUndone) {
  PlaySoundRepeat(ctx, "short", 1, 2);
  events.onPush = [&](int32_t code) {
    if (code == kEventSoundLooped) StopSound(ctx, "short");
  };
  Frame(100);
  EXPECT_EQ(events.Count(kEventSoundLooped), 1u);
  EXPECT_EQ(state.channels[0].loopsLeft, 0);
  // Something else played later on the channel is not restarted.
  events.onPush = nullptr;
  PlaySound(ctx, "long", 1);
  Frame(300);
  EXPECT_EQ(events.Count(kEventSoundLooped), 1u);
}

}  // namespace
}  // namespace zu::testing
