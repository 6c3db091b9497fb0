// HostSound over the host runtime library's ordinal imports.
#include "frame/win/hostrt2_sound.h"

#include <cstring>

#include "frame/win/host_runtime.h"
#include "hoststub/win/hostrt2_api.h"

namespace zu {

namespace {

class Hostrt2Sound final : public HostSound {
 public:
  uint32_t FindSample(uint32_t app, uint32_t flag, const char* name) override {
    return HsFindSample(app, flag, name);
  }
  int32_t GetSampleName(uint32_t app, uint32_t sample, char* buffer, uint32_t size) override {
    return HsGetSampleName(app, sample, buffer, size);
  }
  void GetSampleInfo(uint32_t app, uint32_t sample, SampleInfo* info) override {
    HsGetSampleInfo(app, sample, info);
  }
  const void* GetSampleData(uint32_t app, uint32_t sample) override {
    return HsGetSampleData(app, sample);
  }
  uint32_t AddSample(uint32_t app, uint32_t flag, const char* name, const void* data,
                     uint32_t size) override {
    return HsAddSample(app, flag, name, data, size);
  }
  uint32_t ReplaceSample(uint32_t app, uint32_t flag, uint32_t sample, const char* name,
                         const void* data, uint32_t size) override {
    return HsReplaceSample(app, flag, sample, name, data, size);
  }
  void DeleteSample(uint32_t app, uint32_t sample) override { HsDeleteSample(app, sample); }
  int32_t SampleIsPlaying(uint32_t app, uint32_t sample) override {
    return HsSampleIsPlaying(app, sample);
  }
  int32_t SampleIsPaused(uint32_t app, uint32_t sample) override {
    return HsSampleIsPaused(app, sample);
  }
  void PauseSample(uint32_t app, uint32_t flag, uint32_t sample) override {
    HsPauseSample(app, flag, sample);
  }
  void ResumeSample(uint32_t app, uint32_t flag, uint32_t sample) override {
    HsResumeSample(app, flag, sample);
  }
  void StopSample(uint32_t app, uint32_t flag, uint32_t sample) override {
    HsStopSample(app, flag, sample);
  }
  int32_t ChannelOfSample(uint32_t app, uint32_t sample) override {
    return HsChannelOfSample(app, sample);
  }
  void SetSamplePosition(uint32_t app, uint32_t flag, uint32_t sample, int32_t ms) override {
    HsSetSamplePosition(app, flag, sample, ms);
  }
  void SetSampleFrequency(uint32_t app, uint32_t flag, uint32_t sample, int32_t hz) override {
    HsSetSampleFrequency(app, flag, sample, hz);
  }
  void SetSampleVolume(uint32_t app, uint32_t flag, uint32_t sample, int32_t volume) override {
    HsSetSampleVolume(app, flag, sample, volume);
  }
  void SetSamplePan(uint32_t app, uint32_t flag, uint32_t sample, int32_t pan) override {
    HsSetSamplePan(app, flag, sample, pan);
  }
  int32_t GetSampleFrequency(uint32_t app, uint32_t flag, uint32_t sample) override {
    return HsGetSampleFrequency(app, flag, sample);
  }
  int32_t ChannelIsBusy(uint32_t app, int32_t channel) override {
    return HsChannelIsBusy(app, channel);
  }
  uint32_t GetChannelPosition(uint32_t app, int32_t channel) override {
    return HsGetChannelPosition(app, channel);
  }
  uint32_t GetChannelDuration(uint32_t app, int32_t channel) override {
    return HsGetChannelDuration(app, channel);
  }
  void SetChannelPosition(uint32_t app, int32_t channel, int32_t ms) override {
    HsSetChannelPosition(app, channel, ms);
  }
  void SetChannelVolume(uint32_t app, int32_t channel, int32_t volume) override {
    HsSetChannelVolume(app, channel, volume);
  }
  void SetChannelPan(uint32_t app, int32_t channel, int32_t pan) override {
    HsSetChannelPan(app, channel, pan);
  }
  void SetChannelFrequency(uint32_t app, int32_t channel, int32_t hz) override {
    HsSetChannelFrequency(app, channel, hz);
  }
  void ResumeChannel(uint32_t app, int32_t channel) override { HsResumeChannel(app, channel); }
  void PlaySampleOnChannel(uint32_t playerWord, uint32_t app, uint32_t sample, uint32_t frameWord,
                           uint32_t zero1, uint32_t zero2, int32_t channel) override {
    HsPlaySampleOnChannel(playerWord, app, sample, frameWord, zero1, zero2, channel);
  }
};

// The word at offset 48 of the record the run header points to at 1268.
uint32_t PlayerWord(const RunData* rd) {
  const uint32_t recordAddress = RunHeaderWord(rd, kPlayerRecordOffset);
  if (recordAddress == 0) return 0;
  uint32_t word;
  std::memcpy(&word, reinterpret_cast<const uint8_t*>(recordAddress) + kPlayerWordOffset,
              sizeof(word));
  return word;
}

}  // namespace

HostSound& ImportedHostSound() {
  static Hostrt2Sound host;
  return host;
}

void RunEvents::Push(int32_t code) { PushEvent(rd_, code); }

RunSoundContext::RunSoundContext(RunData* rd)
    : events(rd), ctx{ImportedHostSound(), RunHeaderWord(rd, kAppHandleOffset),
                      PlayerWord(rd),      RunHeaderWord(rd, kFrameWordOffset),
                      rd->sound,           events} {}

}  // namespace zu
