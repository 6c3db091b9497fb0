// From a generated effect to the bank and back out of a channel three times.

#include <vector>

#include "generator/random_source.h"
#include "generator/sound_generator.h"
#include "generator/wave_render.h"
#include "sound/channel_monitor.h"
#include "sound/channel_playback.h"
#include "sound/sound_bank.h"
#include "tests/sound/sound_fixture.h"

namespace zu::testing {
namespace {

using GeneratedSoundTest = SoundTest;

TEST_F(GeneratedSoundTest, ExplosionAddedAndPlayedThreeTimes) {
  SeedRandom(20240611);
  SoundGenerator gen;
  gen.LoadPreset(2);
  uint32_t capacity = WaveCapacityFor(5);
  std::vector<uint8_t> image(capacity + kWaveHeaderBytes);
  uint32_t generated = RenderToWaveBuffer(gen, image.data(), capacity);
  ASSERT_GT(generated, 0u);
  image.resize(generated + kWaveHeaderBytes);

  AddGeneratedSound(ctx, "explosion", image.data(), generated);
  ASSERT_EQ(state.newestSample, 1u);
  EXPECT_EQ(*host.SampleBytes(1), image);
  EXPECT_EQ(SoundSize(ctx, "explosion"), image.size());

  PlaySoundRepeat(ctx, "explosion", 0, 3);
  ASSERT_EQ(state.playedChannel, 1);
  uint32_t duration = host.GetChannelDuration(kApp, 1);
  EXPECT_EQ(duration, static_cast<uint64_t>(generated) * 1000 / 88200);
  ASSERT_GT(duration, 0u);

  int frames = 0;
  do {
    host.AdvanceFrame(16);
    RunChannelMonitor(ctx);
    ++frames;
  } while (host.ChannelIsBusy(kApp, 1) != 0 && frames < 100000);

  EXPECT_EQ(events.Count(kEventSoundPlayed), 1u);
  EXPECT_EQ(events.Count(kEventSoundLooped), 2u);
  EXPECT_EQ(events.events.size(), 3u);
  // Three playings of the whole sound, each ending on a 16 ms frame.
  int perPlay = static_cast<int>((duration + 15) / 16);
  EXPECT_EQ(frames, 3 * perPlay);
  EXPECT_EQ(state.channels[0].loopsLeft, 0);
  EXPECT_EQ(*host.SampleBytes(1), image);
}

}  // namespace
}  // namespace zu::testing
