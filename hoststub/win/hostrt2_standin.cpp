// The stand-in host runtime library: the 27 sample and channel operations at
// their ordinals, served by one in-memory host simulator, plus named control
// entries for the host harness.
#define ZU_HOSTSIM_BUILD
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "hoststub/host_simulator.h"
#include "hoststub/win/hostrt2_api.h"
#include "hoststub/win/hostsim_control.h"

namespace {

std::unique_ptr<zu::HostSimulator>& Instance() {
  static std::unique_ptr<zu::HostSimulator> simulator(new zu::HostSimulator());
  return simulator;
}

zu::HostSimulator& Sim() { return *Instance(); }

void CopyText(const std::string& from, char* to, uint32_t size) {
  if (to == nullptr || size == 0) return;
  const size_t n = std::min<size_t>(from.size(), size - 1);
  std::memcpy(to, from.data(), n);
  to[n] = '\0';
}

}  // namespace

// --- The ordinal operations ----------------------------------------------------------

uint32_t HsFindSample(uint32_t app, uint32_t flag, const char* name) {
  return Sim().FindSample(app, flag, name);
}
int32_t HsGetSampleName(uint32_t app, uint32_t sample, char* buffer, uint32_t size) {
  return Sim().GetSampleName(app, sample, buffer, size);
}
void HsGetSampleInfo(uint32_t app, uint32_t sample, zu::SampleInfo* info) {
  Sim().GetSampleInfo(app, sample, info);
}
const void* HsGetSampleData(uint32_t app, uint32_t sample) {
  return Sim().GetSampleData(app, sample);
}
uint32_t HsAddSample(uint32_t app, uint32_t flag, const char* name, const void* data,
                     uint32_t size) {
  return Sim().AddSample(app, flag, name, data, size);
}
uint32_t HsReplaceSample(uint32_t app, uint32_t flag, uint32_t sample, const char* name,
                         const void* data, uint32_t size) {
  return Sim().ReplaceSample(app, flag, sample, name, data, size);
}
void HsDeleteSample(uint32_t app, uint32_t sample) { Sim().DeleteSample(app, sample); }
int32_t HsSampleIsPlaying(uint32_t app, uint32_t sample) {
  return Sim().SampleIsPlaying(app, sample);
}
int32_t HsSampleIsPaused(uint32_t app, uint32_t sample) {
  return Sim().SampleIsPaused(app, sample);
}
void HsPauseSample(uint32_t app, uint32_t flag, uint32_t sample) {
  Sim().PauseSample(app, flag, sample);
}
void HsResumeSample(uint32_t app, uint32_t flag, uint32_t sample) {
  Sim().ResumeSample(app, flag, sample);
}
void HsStopSample(uint32_t app, uint32_t flag, uint32_t sample) {
  Sim().StopSample(app, flag, sample);
}
int32_t HsChannelOfSample(uint32_t app, uint32_t sample) {
  return Sim().ChannelOfSample(app, sample);
}
void HsSetSamplePosition(uint32_t app, uint32_t flag, uint32_t sample, int32_t ms) {
  Sim().SetSamplePosition(app, flag, sample, ms);
}
void HsSetSampleFrequency(uint32_t app, uint32_t flag, uint32_t sample, int32_t hz) {
  Sim().SetSampleFrequency(app, flag, sample, hz);
}
void HsSetSampleVolume(uint32_t app, uint32_t flag, uint32_t sample, int32_t volume) {
  Sim().SetSampleVolume(app, flag, sample, volume);
}
void HsSetSamplePan(uint32_t app, uint32_t flag, uint32_t sample, int32_t pan) {
  Sim().SetSamplePan(app, flag, sample, pan);
}
int32_t HsGetSampleFrequency(uint32_t app, uint32_t flag, uint32_t sample) {
  return Sim().GetSampleFrequency(app, flag, sample);
}
int32_t HsChannelIsBusy(uint32_t app, int32_t channel) { return Sim().ChannelIsBusy(app, channel); }
uint32_t HsGetChannelPosition(uint32_t app, int32_t channel) {
  return Sim().GetChannelPosition(app, channel);
}
uint32_t HsGetChannelDuration(uint32_t app, int32_t channel) {
  return Sim().GetChannelDuration(app, channel);
}
void HsSetChannelPosition(uint32_t app, int32_t channel, int32_t ms) {
  Sim().SetChannelPosition(app, channel, ms);
}
void HsSetChannelVolume(uint32_t app, int32_t channel, int32_t volume) {
  Sim().SetChannelVolume(app, channel, volume);
}
void HsSetChannelPan(uint32_t app, int32_t channel, int32_t pan) {
  Sim().SetChannelPan(app, channel, pan);
}
void HsSetChannelFrequency(uint32_t app, int32_t channel, int32_t hz) {
  Sim().SetChannelFrequency(app, channel, hz);
}
void HsResumeChannel(uint32_t app, int32_t channel) { Sim().ResumeChannel(app, channel); }
void HsPlaySampleOnChannel(uint32_t playerWord, uint32_t app, uint32_t sample, uint32_t frameWord,
                           uint32_t zero1, uint32_t zero2, int32_t channel) {
  Sim().PlaySampleOnChannel(playerWord, app, sample, frameWord, zero1, zero2, channel);
}

// --- Control entries --------------------------------------------------------------

void HsimReset() { Instance().reset(new zu::HostSimulator()); }
void HsimAdvanceFrame(uint32_t ms) { Sim().AdvanceFrame(ms); }
void HsimSetChannelBusy(int32_t channel, int32_t busy) { Sim().SetChannelBusy(channel, busy != 0); }

int32_t HsimChannel(int32_t channel, HsimChannelInfo* info) {
  if (channel < 1 || channel > 32 || info == nullptr) return 0;
  const zu::HostSimulator::ChannelState state = Sim().Channel(channel);
  info->sample = state.sample;
  info->active = state.active;
  info->paused = state.paused;
  info->position = state.position;
  info->duration = state.duration;
  info->volume = state.volume;
  info->pan = state.pan;
  info->frequency = state.frequency;
  return 1;
}

void HsimPlaceSample(uint32_t handle, const char* name, const void* data, uint32_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  Sim().PlaceSample(handle, name ? name : "",
                    bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>());
}

uint32_t HsimSampleCount() { return static_cast<uint32_t>(Sim().SampleCount()); }

const uint8_t* HsimSampleBytes(uint32_t handle, uint32_t* size) {
  const std::vector<uint8_t>* bytes = Sim().SampleBytes(handle);
  if (size) *size = bytes ? static_cast<uint32_t>(bytes->size()) : 0;
  return bytes ? bytes->data() : nullptr;
}

int32_t HsimSampleName(uint32_t handle, char* buffer, uint32_t size) {
  if (!Sim().HasSample(handle)) return 0;
  CopyText(Sim().SampleNameOf(handle), buffer, size);
  return 1;
}

int32_t HsimSampleVolume(uint32_t handle) { return Sim().SampleVolume(handle); }
int32_t HsimSamplePan(uint32_t handle) { return Sim().SamplePan(handle); }

uint32_t HsimCallCount() { return static_cast<uint32_t>(Sim().Calls().size()); }
void HsimClearCalls() { Sim().ClearCalls(); }

int32_t HsimCall(uint32_t index, char* op, uint32_t opSize, int64_t* args, uint32_t maxArgs,
                 char* text, uint32_t textSize) {
  const std::vector<zu::HostCall>& calls = Sim().Calls();
  if (index >= calls.size()) return -1;
  const zu::HostCall& call = calls[index];
  CopyText(call.op, op, opSize);
  CopyText(call.text, text, textSize);
  for (uint32_t i = 0; i < maxArgs && i < call.args.size() && args; ++i) args[i] = call.args[i];
  return static_cast<int32_t>(call.args.size());
}
