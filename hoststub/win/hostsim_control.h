#pragma once
// Named control entries of the stand-in HOSTRT2.dll, through which the host
// harness drives and inspects the simulated sample bank and mixer that the
// stand-in's ordinal operations serve. Plain C calling convention.

#include <cstdint>

#ifdef ZU_HOSTSIM_BUILD
#define ZU_HOSTSIM_API extern "C" __declspec(dllexport)
#else
#define ZU_HOSTSIM_API extern "C" __declspec(dllimport)
#endif

struct HsimChannelInfo {
  uint32_t sample;
  int32_t active;
  int32_t paused;
  uint32_t position;
  uint32_t duration;
  int32_t volume;
  int32_t pan;
  int32_t frequency;
};

/// Starts over with an empty bank, idle channels and an empty call log.
ZU_HOSTSIM_API void HsimReset();
/// Advances the mixer clock by ms.
ZU_HOSTSIM_API void HsimAdvanceFrame(uint32_t ms);
/// Marks channel 1 to 32 busy (nonzero) or releases the mark.
ZU_HOSTSIM_API void HsimSetChannelBusy(int32_t channel, int32_t busy);
/// Channel 1 to 32; false for other numbers.
ZU_HOSTSIM_API int32_t HsimChannel(int32_t channel, HsimChannelInfo* info);
/// Places a sample at a chosen handle.
ZU_HOSTSIM_API void HsimPlaceSample(uint32_t handle, const char* name, const void* data,
                                    uint32_t size);
ZU_HOSTSIM_API uint32_t HsimSampleCount();
/// The stored copy of a sample's data and its size; null when absent.
ZU_HOSTSIM_API const uint8_t* HsimSampleBytes(uint32_t handle, uint32_t* size);
/// Copies at most size - 1 bytes of the sample's name, terminated; false when absent.
ZU_HOSTSIM_API int32_t HsimSampleName(uint32_t handle, char* buffer, uint32_t size);
ZU_HOSTSIM_API int32_t HsimSampleVolume(uint32_t handle);
ZU_HOSTSIM_API int32_t HsimSamplePan(uint32_t handle);

/// The call log of the ordinal operations.
ZU_HOSTSIM_API uint32_t HsimCallCount();
ZU_HOSTSIM_API void HsimClearCalls();
/// Call index: operation name and text argument into the buffers (terminated,
/// cut to fit), up to maxArgs integer arguments; returns the argument count,
/// -1 when there is no such call.
ZU_HOSTSIM_API int32_t HsimCall(uint32_t index, char* op, uint32_t opSize, int64_t* args,
                                uint32_t maxArgs, char* text, uint32_t textSize);
