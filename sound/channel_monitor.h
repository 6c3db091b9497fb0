#pragma once
// The per-frame channel monitor that carries out repeat counts, and the
// expressions that report the last played or looped sound.

#include <cstdint>

#include "sound/sound_context.h"

namespace zu {

/// One pass over the 32 channel records; call once per frame. Returns 0.
int32_t RunChannelMonitor(SoundContext& ctx);

/// "PlayedChannel(".
int32_t PlayedChannel(const SoundContext& ctx);
/// "PlayedSound(": sound index of the last played sample, -1 if none.
int32_t PlayedSound(SoundContext& ctx);
/// "PlayedSound$(": the name of the last played sample into `buffer`
/// (kNameBufferSize bytes, cleared first, always terminated); returns its
/// length. The caller allocates a host string on every call, also for "".
uint32_t PlayedSoundName(SoundContext& ctx, char* buffer);

}  // namespace zu
