#include "sound/channel_playback.h"

#include "sound/sound_bank.h"

namespace zu {

namespace {

struct PlayRequest {
  const char* name;
  uint32_t channel;
  bool counted;       // a play with a repeat count
  int32_t loops;      // loop count when counted
  bool withSettings;  // volume, pan, position and frequency follow the start
  int32_t volume;
  int32_t pan;
  int32_t position;
  int32_t frequency;
};

void Play(SoundContext& ctx, const PlayRequest& request) {
  if (request.channel > static_cast<uint32_t>(kChannelCount)) return;
  uint32_t handle = FindSound(ctx, request.name);
  if (handle == 0) return;

  int32_t channel = static_cast<int32_t>(request.channel);
  if (channel == 0) {
    for (int32_t n = 1; n <= kChannelCount; ++n) {
      if (ctx.host.ChannelIsBusy(ctx.app, n) == 0) {
        channel = n;
        break;
      }
    }
  }

  if (request.counted) ctx.state.monitorActive = 1;
  if (channel != 0) {
    ChannelSlot& slot = ctx.state.channels[channel - 1];
    if (request.counted) {
      slot.loopsLeft = request.loops;
      slot.sample = handle;
      slot.lastPosition = 0;
    } else {
      // Whatever the monitor restarted here before is not restarted again.
      slot.loopsLeft = 0;
    }
  }

  ctx.host.PlaySampleOnChannel(ctx.playerWord, ctx.app, handle, ctx.frameWord, 0, 0, channel);
  if (request.withSettings) {
    ctx.host.SetChannelVolume(ctx.app, channel, request.volume);
    ctx.host.SetChannelPan(ctx.app, channel, request.pan);
    ctx.host.SetChannelPosition(ctx.app, channel, request.position);
    ctx.host.SetChannelFrequency(ctx.app, channel, request.frequency);
  }

  ctx.state.playedChannel = channel;
  ctx.state.playedSample = handle;
  ctx.events.Push(kEventSoundPlayed);
}

}  // namespace

int32_t LoopCountFromRepeat(int32_t repeatCount) {
  return static_cast<int32_t>(static_cast<uint32_t>(repeatCount) - 1u);
}

void PlaySoundRepeat(SoundContext& ctx, const char* name, uint32_t channel, int32_t repeatCount) {
  Play(ctx, {name, channel, true, LoopCountFromRepeat(repeatCount), false, 0, 0, 0, 0});
}

void PlaySound(SoundContext& ctx, const char* name, uint32_t channel) {
  Play(ctx, {name, channel, false, 0, false, 0, 0, 0, 0});
}

void PlaySoundWith(SoundContext& ctx, const char* name, uint32_t channel, int32_t volume,
                   int32_t pan, int32_t position, int32_t frequency) {
  Play(ctx, {name, channel, false, 0, true, volume, pan, position, frequency});
}

void PlaySoundWithRepeat(SoundContext& ctx, const char* name, uint32_t channel, int32_t volume,
                         int32_t pan, int32_t position, int32_t frequency, int32_t repeatCount) {
  Play(ctx, {name, channel, true, LoopCountFromRepeat(repeatCount), true, volume, pan, position,
             frequency});
}

void PauseSound(SoundContext& ctx, const char* name) {
  uint32_t handle = FindSound(ctx, name);
  if (handle != 0) ctx.host.PauseSample(ctx.app, kHostFlag, handle);
}

void ResumeSound(SoundContext& ctx, const char* name) {
  uint32_t handle = FindSound(ctx, name);
  if (handle != 0) ctx.host.ResumeSample(ctx.app, kHostFlag, handle);
}

void StopSound(SoundContext& ctx, const char* name) {
  uint32_t handle = FindSound(ctx, name);
  if (handle == 0) return;
  uint32_t channel = static_cast<uint32_t>(ctx.host.ChannelOfSample(ctx.app, handle));
  if (channel >= 1 && channel <= static_cast<uint32_t>(kChannelCount)) {
    ctx.state.channels[channel - 1].loopsLeft = 0;
  }
  ctx.host.StopSample(ctx.app, kHostFlag, handle);
}

void SetSoundPosition(SoundContext& ctx, const char* name, int32_t ms) {
  uint32_t handle = FindSound(ctx, name);
  if (handle != 0) ctx.host.SetSamplePosition(ctx.app, kHostFlag, handle, ms);
}

void SetSoundFrequency(SoundContext& ctx, const char* name, int32_t hz) {
  uint32_t handle = FindSound(ctx, name);
  if (handle != 0) ctx.host.SetSampleFrequency(ctx.app, kHostFlag, handle, hz);
}

void SetSoundVolume(SoundContext& ctx, const char* name, int32_t volume) {
  uint32_t handle = FindSound(ctx, name);
  if (handle != 0) ctx.host.SetSampleVolume(ctx.app, kHostFlag, handle, volume);
}

void SetSoundPan(SoundContext& ctx, const char* name, int32_t pan) {
  uint32_t handle = FindSound(ctx, name);
  if (handle != 0) ctx.host.SetSamplePan(ctx.app, kHostFlag, handle, pan);
}

bool SoundIsPlaying(SoundContext& ctx, const char* name) {
  uint32_t handle = FindSound(ctx, name);
  return handle != 0 && ctx.host.SampleIsPlaying(ctx.app, handle) != 0;
}

bool SoundIsPaused(SoundContext& ctx, const char* name) {
  uint32_t handle = FindSound(ctx, name);
  return handle != 0 && ctx.host.SampleIsPaused(ctx.app, handle) != 0;
}

}  // namespace zu
