#include "sound/channel_monitor.h"

#include "sound/sound_bank.h"

namespace zu {

int32_t RunChannelMonitor(SoundContext& ctx) {
  if (ctx.state.monitorActive == 0) return 0;
  for (int32_t n = 1; n <= kChannelCount; ++n) {
    ChannelSlot& slot = ctx.state.channels[n - 1];
    if (slot.loopsLeft == 0) continue;
    uint32_t position = ctx.host.GetChannelPosition(ctx.app, n);
    uint32_t duration = ctx.host.GetChannelDuration(ctx.app, n);
    if (slot.lastPosition > position) {
      // The channel went back: stopped, rewound or taken by another start.
      slot.loopsLeft = 0;
      continue;
    }
    if (position == 0 || position != duration) {
      slot.lastPosition = position;
      continue;
    }
    // Played to its end: rewind and play on.
    ctx.host.SetChannelPosition(ctx.app, n, 0);
    ctx.host.ResumeChannel(ctx.app, n);
    ctx.state.playedChannel = n;
    ctx.state.playedSample = slot.sample;
    // The record is brought up to date before the push: the host runs the
    // object's rules inside it, and a rule that stops or replays this channel
    // must not have its change undone afterwards. A negative count runs
    // through the whole 32-bit range before it ends.
    if (slot.loopsLeft != -1) {
      slot.loopsLeft = static_cast<int32_t>(static_cast<uint32_t>(slot.loopsLeft) - 1u);
    }
    slot.lastPosition = 0;
    ctx.events.Push(kEventSoundLooped);
  }
  return 0;
}

int32_t PlayedChannel(const SoundContext& ctx) { return ctx.state.playedChannel; }

int32_t PlayedSound(SoundContext& ctx) { return IndexOfHandle(ctx, ctx.state.playedSample); }

uint32_t PlayedSoundName(SoundContext& ctx, char* buffer) {
  return ReadSampleName(ctx, ctx.state.playedSample, buffer);
}

}  // namespace zu
