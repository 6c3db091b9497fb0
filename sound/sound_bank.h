#pragma once
// Named sounds in the host's sample bank: adding, replacing, deleting,
// saving, and turning names, handles and sound indexes into one another.
// Every routine is a short sequence of host calls; failures are silent.
// A sound index is the 0-based position of a sound among the existing
// samples of handles 1 to 1023, in handle order.

#include <cstdint>

#include "sound/sound_context.h"

namespace zu {

/// Handle of the named sound, 0 when absent.
uint32_t FindSound(SoundContext& ctx, const char* name);

/// True when the handle holds a sample with a non-empty name (1-byte name copy).
bool SampleExists(SoundContext& ctx, uint32_t handle);

/// Sound index of a handle; -1 when the walk over 1..1023 never meets it. A
/// deleted handle yields the index of the nearest existing sound below it.
int32_t IndexOfHandle(SoundContext& ctx, uint32_t handle);

/// Copies at most 127 bytes of the sample's name into a cleared
/// kNameBufferSize buffer (always terminated); returns the name's length.
uint32_t ReadSampleName(SoundContext& ctx, uint32_t handle, char* buffer);

// --- Conditions ----------------------------------------------------------
/// "Sound %0 exists".
bool SoundExists(SoundContext& ctx, const char* name);

// --- Actions -------------------------------------------------------------
/// Adds, or replaces under the same name, the generated RIFF/WAVE image
/// (generatedBytes + 44 bytes at waveBuffer). Stops the old sample before
/// replacing it. Nothing when waveBuffer is null.
void AddGeneratedSound(SoundContext& ctx, const char* name, const uint8_t* waveBuffer,
                       uint32_t generatedBytes);
/// Adds or replaces a sound with the whole content of a regular file, read in
/// binary. Nothing when it is not a regular file (a folder, a device, a pipe),
/// cannot be read whole, or does not fit in memory or in a 32-bit size.
void AddSoundFromFile(SoundContext& ctx, const char* name, const char* fileName);
/// Adds or replaces a sound with `size` bytes at `data`, handed over unchanged.
void AddSoundFromMemory(SoundContext& ctx, const char* name, const void* data, uint32_t size);
/// Deletes the named sound.
void DeleteSound(SoundContext& ctx, const char* name);
/// Deletes by the number given, which is passed to the host as a sample handle.
void DeleteSoundByHandle(SoundContext& ctx, uint32_t handle);
/// Writes the sound's data to a file ("wb"); no file when the sound or its
/// data is missing.
void SaveSound(SoundContext& ctx, const char* name, const char* fileName);

// --- Expressions ---------------------------------------------------------
/// "NewestSound(": index of the last added or replaced sample, -1 if none.
int32_t NewestSound(SoundContext& ctx);
/// "SoundName$(": on true, `buffer` (kNameBufferSize bytes) holds the name of
/// the sound with that index and the caller allocates a host string for it; on
/// false there is no such sound, `buffer` holds "" and the caller returns its
/// constant empty string.
bool SoundName(SoundContext& ctx, int32_t index, char* buffer);
/// "SoundIndex(": -1 if absent.
int32_t SoundIndex(SoundContext& ctx, const char* name);
/// "SoundOriginalFreq(": the sample's own frequency; leaves its current one as
/// it was. 0 if absent.
int32_t SoundOriginalFreq(SoundContext& ctx, const char* name);
/// "CountSounds(": existing sounds among handles 1 to 1023.
int32_t CountSounds(SoundContext& ctx);
/// "SoundAddress(": address of the sample's data in the host, null if absent.
const void* SoundAddress(SoundContext& ctx, const char* name);
/// "SoundSize(": byte length of the sample's data, 0 if absent.
uint32_t SoundSize(SoundContext& ctx, const char* name);

}  // namespace zu
