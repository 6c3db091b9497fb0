#pragma once
// The 27 operations of the host runtime library, as the module imports them
// (by ordinal, see hostrt2.def) and as the stand-in library defines them.
// Standard Windows calling convention, 32-bit arguments and results.

#include <cstdint>

#include "sound/host_sound.h"

#define ZU_HS_API extern "C" __stdcall

ZU_HS_API uint32_t HsFindSample(uint32_t app, uint32_t flag, const char* name);
ZU_HS_API int32_t HsGetSampleName(uint32_t app, uint32_t sample, char* buffer, uint32_t size);
ZU_HS_API void HsGetSampleInfo(uint32_t app, uint32_t sample, zu::SampleInfo* info);
ZU_HS_API const void* HsGetSampleData(uint32_t app, uint32_t sample);
ZU_HS_API uint32_t HsAddSample(uint32_t app, uint32_t flag, const char* name, const void* data,
                               uint32_t size);
ZU_HS_API uint32_t HsReplaceSample(uint32_t app, uint32_t flag, uint32_t sample, const char* name,
                                   const void* data, uint32_t size);
ZU_HS_API void HsDeleteSample(uint32_t app, uint32_t sample);
ZU_HS_API int32_t HsSampleIsPlaying(uint32_t app, uint32_t sample);
ZU_HS_API int32_t HsSampleIsPaused(uint32_t app, uint32_t sample);
ZU_HS_API void HsPauseSample(uint32_t app, uint32_t flag, uint32_t sample);
ZU_HS_API void HsResumeSample(uint32_t app, uint32_t flag, uint32_t sample);
ZU_HS_API void HsStopSample(uint32_t app, uint32_t flag, uint32_t sample);
ZU_HS_API int32_t HsChannelOfSample(uint32_t app, uint32_t sample);
ZU_HS_API void HsSetSamplePosition(uint32_t app, uint32_t flag, uint32_t sample, int32_t ms);
ZU_HS_API void HsSetSampleFrequency(uint32_t app, uint32_t flag, uint32_t sample, int32_t hz);
ZU_HS_API void HsSetSampleVolume(uint32_t app, uint32_t flag, uint32_t sample, int32_t volume);
ZU_HS_API void HsSetSamplePan(uint32_t app, uint32_t flag, uint32_t sample, int32_t pan);
ZU_HS_API int32_t HsGetSampleFrequency(uint32_t app, uint32_t flag, uint32_t sample);
ZU_HS_API int32_t HsChannelIsBusy(uint32_t app, int32_t channel);
ZU_HS_API uint32_t HsGetChannelPosition(uint32_t app, int32_t channel);
ZU_HS_API uint32_t HsGetChannelDuration(uint32_t app, int32_t channel);
ZU_HS_API void HsSetChannelPosition(uint32_t app, int32_t channel, int32_t ms);
ZU_HS_API void HsSetChannelVolume(uint32_t app, int32_t channel, int32_t volume);
ZU_HS_API void HsSetChannelPan(uint32_t app, int32_t channel, int32_t pan);
ZU_HS_API void HsSetChannelFrequency(uint32_t app, int32_t channel, int32_t hz);
ZU_HS_API void HsResumeChannel(uint32_t app, int32_t channel);
ZU_HS_API void HsPlaySampleOnChannel(uint32_t playerWord, uint32_t app, uint32_t sample,
                                     uint32_t frameWord, uint32_t zero1, uint32_t zero2,
                                     int32_t channel);
