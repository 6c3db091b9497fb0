// The stand-in host runtime library: the 27 sample and channel operations at
// their ordinals, served by one in-memory host simulator, plus named control
// entries for the host harness.
#define ZU_HOSTSIM_BUILD
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "frame/win/hostrt2_imports.h"
#include "hoststub/host_simulator.h"
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

namespace zu {
#define ZU_HOST_SOUND_OP(ordinal, Name, Result, params, args) \
  Result __stdcall Hs##Name params { return Sim().Name args; }
#include "sound/host_sound_ops.inc"
#undef ZU_HOST_SOUND_OP
}  // namespace zu

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
