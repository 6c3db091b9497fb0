#pragma once
// Playing named sounds on the host's 32 channels and controlling them. Every
// successful play records its channel and raises "Sound played"; a play with
// a repeat count also arms the channel monitor for that channel.

#include <cstdint>

#include "sound/sound_context.h"

namespace zu {

/// Loop count from a user's repeat count: count - 1 in 32-bit wrap-around
/// arithmetic (0 gives -1, without end).
int32_t LoopCountFromRepeat(int32_t repeatCount);

// --- Actions (channel: 0 = lowest free, 1..32; any other value does nothing) --
/// "Play sound %0 on channel %1, %2 times".
void PlaySoundRepeat(SoundContext& ctx, const char* name, uint32_t channel, int32_t repeatCount);
/// "Play sound %0 on channel %1".
void PlaySound(SoundContext& ctx, const char* name, uint32_t channel);
/// "Play sound %0 with (volume, pan, position, frequency) on channel %1".
void PlaySoundWith(SoundContext& ctx, const char* name, uint32_t channel, int32_t volume,
                   int32_t pan, int32_t position, int32_t frequency);
/// As PlaySoundWith, with a repeat count.
void PlaySoundWithRepeat(SoundContext& ctx, const char* name, uint32_t channel, int32_t volume,
                         int32_t pan, int32_t position, int32_t frequency, int32_t repeatCount);

void PauseSound(SoundContext& ctx, const char* name);
void ResumeSound(SoundContext& ctx, const char* name);
/// Also ends a repetition on the sound's channel.
void StopSound(SoundContext& ctx, const char* name);
void SetSoundPosition(SoundContext& ctx, const char* name, int32_t ms);
void SetSoundFrequency(SoundContext& ctx, const char* name, int32_t hz);
void SetSoundVolume(SoundContext& ctx, const char* name, int32_t volume);
void SetSoundPan(SoundContext& ctx, const char* name, int32_t pan);

// --- Conditions ----------------------------------------------------------
bool SoundIsPlaying(SoundContext& ctx, const char* name);
bool SoundIsPaused(SoundContext& ctx, const char* name);

}  // namespace zu
