#include "hoststub/host_simulator.h"

#include <algorithm>
#include <cstring>

namespace zu {

namespace {

uint32_t ReadLe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Finds the "fmt " and "data" chunks of a RIFF/WAVE image. The data size is
// limited to the bytes actually present.
bool ParseWave(const std::vector<uint8_t>& data, uint32_t* sampleRate, uint32_t* byteRate,
               uint64_t* dataBytes) {
  if (data.size() < 12 || std::memcmp(data.data(), "RIFF", 4) != 0 ||
      std::memcmp(data.data() + 8, "WAVE", 4) != 0) {
    return false;
  }
  bool haveFormat = false, haveData = false;
  size_t at = 12;
  while (at + 8 <= data.size() && !(haveFormat && haveData)) {
    const uint8_t* chunk = data.data() + at;
    uint64_t size = ReadLe32(chunk + 4);
    size_t body = at + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0 && body + 12 <= data.size()) {
      *sampleRate = ReadLe32(data.data() + body + 4);
      *byteRate = ReadLe32(data.data() + body + 8);
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      *dataBytes = std::min<uint64_t>(size, data.size() - body);
      haveData = true;
    }
    uint64_t next = body + size + (size & 1);
    if (next > data.size()) break;
    at = static_cast<size_t>(next);
  }
  return haveFormat && haveData && *byteRate != 0;
}

}  // namespace

uint32_t HostSimulator::DurationOf(const std::vector<uint8_t>& data) {
  uint32_t rate = 0, byteRate = 0;
  uint64_t bytes = 0;
  if (ParseWave(data, &rate, &byteRate, &bytes)) {
    return static_cast<uint32_t>(bytes * 1000 / byteRate);
  }
  return data.empty() ? 0 : kUnknownDurationMs;
}

int32_t HostSimulator::FrequencyOf(const std::vector<uint8_t>& data) {
  uint32_t rate = 0, byteRate = 0;
  uint64_t bytes = 0;
  if (ParseWave(data, &rate, &byteRate, &bytes) && rate != 0 && rate <= INT32_MAX) {
    return static_cast<int32_t>(rate);
  }
  return kUnknownFrequency;
}

// --- Control -------------------------------------------------------------------

void HostSimulator::PlaceSample(uint32_t handle, const std::string& name,
                                const std::vector<uint8_t>& data) {
  Sample& sample = samples_[handle];
  sample = Sample{};
  Store(sample, name.c_str(), data.data(), static_cast<uint32_t>(data.size()));
}

bool HostSimulator::HasSample(uint32_t handle) const { return samples_.count(handle) != 0; }

const std::vector<uint8_t>* HostSimulator::SampleBytes(uint32_t handle) const {
  auto it = samples_.find(handle);
  return it == samples_.end() ? nullptr : &it->second.data;
}

std::string HostSimulator::SampleNameOf(uint32_t handle) const {
  auto it = samples_.find(handle);
  return it == samples_.end() ? std::string() : it->second.name;
}

int32_t HostSimulator::SampleVolume(uint32_t handle) const {
  auto it = samples_.find(handle);
  return it == samples_.end() ? 0 : it->second.volume;
}

int32_t HostSimulator::SamplePan(uint32_t handle) const {
  auto it = samples_.find(handle);
  return it == samples_.end() ? 0 : it->second.pan;
}

void HostSimulator::SetChannelBusy(int32_t channel, bool busy) {
  if (ChannelState* state = ChannelAt(channel)) state->forcedBusy = busy;
}

void HostSimulator::AdvanceFrame(uint32_t ms) {
  for (int32_t n = 1; n <= 32; ++n) {
    ChannelState& channel = channels_[n];
    if (!channel.active || channel.paused || Ended(channel)) continue;
    uint64_t position = static_cast<uint64_t>(channel.position) + ms;
    channel.position = static_cast<uint32_t>(std::min<uint64_t>(position, channel.duration));
  }
}

HostSimulator::ChannelState HostSimulator::Channel(int32_t channel) const {
  if (channel < 1 || channel > 32) return ChannelState{};
  return channels_[channel];
}

size_t HostSimulator::CountCalls(const std::string& op) const {
  return static_cast<size_t>(
      std::count_if(calls_.begin(), calls_.end(), [&](const HostCall& c) { return c.op == op; }));
}

// --- Helpers ---------------------------------------------------------------------

void HostSimulator::Log(const char* op, std::vector<int64_t> args, const char* text) {
  calls_.push_back(HostCall{op, std::move(args), text ? std::string(text) : std::string()});
}

HostSimulator::Sample* HostSimulator::Find(uint32_t handle) {
  auto it = samples_.find(handle);
  return it == samples_.end() ? nullptr : &it->second;
}

HostSimulator::ChannelState* HostSimulator::ChannelAt(int32_t channel) {
  if (channel < 1 || channel > 32) return nullptr;
  return &channels_[channel];
}

bool HostSimulator::Ended(const ChannelState& channel) {
  return channel.position >= channel.duration;
}

bool HostSimulator::Busy(const ChannelState& channel) {
  return channel.forcedBusy || (channel.active && !Ended(channel));
}

void HostSimulator::Seek(ChannelState& channel, int32_t ms) {
  uint32_t position = ms < 0 ? 0u : static_cast<uint32_t>(ms);
  channel.position = std::min(position, channel.duration);
}

void HostSimulator::Store(Sample& sample, const char* name, const void* data, uint32_t size) {
  sample.name = name ? name : "";
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  if (bytes != nullptr && size != 0) {
    sample.data.assign(bytes, bytes + size);
  } else {
    sample.data.clear();
  }
  sample.ownFrequency = FrequencyOf(sample.data);
  sample.frequency = sample.ownFrequency;
}

void HostSimulator::ClearChannelsOf(uint32_t handle) {
  for (int32_t n = 1; n <= 32; ++n) {
    ChannelState& channel = channels_[n];
    if (channel.active && channel.sample == handle) {
      bool forced = channel.forcedBusy;
      channel = ChannelState{};
      channel.forcedBusy = forced;
    }
  }
}

// --- Bank --------------------------------------------------------------------------

uint32_t HostSimulator::FindSample(uint32_t app, uint32_t flag, const char* name) {
  Log("FindSample", {app, flag}, name);
  if (name == nullptr) return 0;
  for (const auto& [handle, sample] : samples_) {
    if (sample.name == name) return handle;
  }
  return 0;
}

int32_t HostSimulator::GetSampleName(uint32_t app, uint32_t sample, char* buffer, uint32_t size) {
  Log("GetSampleName", {app, sample, size});
  const Sample* found = Find(sample);
  if (found == nullptr) return 0;
  // Copies the name and its terminator as far as `size` allows, nothing more.
  size_t n = std::min<size_t>(size, found->name.size() + 1);
  if (buffer != nullptr) std::memcpy(buffer, found->name.c_str(), n);
  return 1;
}

void HostSimulator::GetSampleInfo(uint32_t app, uint32_t sample, SampleInfo* info) {
  Log("GetSampleInfo", {app, sample});
  if (info == nullptr) return;
  *info = SampleInfo{};
  const Sample* found = Find(sample);
  if (found == nullptr) return;
  info->word0 = sample;
  info->word4 = static_cast<uint32_t>(found->ownFrequency);
  info->startOffset = kInfoStart;
  info->endOffset = kInfoStart + static_cast<uint32_t>(found->data.size());
}

const void* HostSimulator::GetSampleData(uint32_t app, uint32_t sample) {
  Log("GetSampleData", {app, sample});
  const Sample* found = Find(sample);
  if (found == nullptr || found->data.empty()) return nullptr;
  return found->data.data();
}

uint32_t HostSimulator::AddSample(uint32_t app, uint32_t flag, const char* name, const void* data,
                                  uint32_t size) {
  Log("AddSample", {app, flag, size}, name);
  uint32_t handle = 1;
  while (samples_.count(handle) != 0) ++handle;
  Store(samples_[handle], name, data, size);
  return handle;
}

uint32_t HostSimulator::ReplaceSample(uint32_t app, uint32_t flag, uint32_t sample,
                                      const char* name, const void* data, uint32_t size) {
  Log("ReplaceSample", {app, flag, sample, size}, name);
  Sample* found = Find(sample);
  if (found == nullptr) return 0;
  // Channels that play it keep the duration they started with.
  Store(*found, name, data, size);
  return sample;
}

void HostSimulator::DeleteSample(uint32_t app, uint32_t sample) {
  Log("DeleteSample", {app, sample});
  if (samples_.erase(sample) != 0) ClearChannelsOf(sample);
}

// --- Samples ------------------------------------------------------------------------

int32_t HostSimulator::SampleIsPlaying(uint32_t app, uint32_t sample) {
  Log("SampleIsPlaying", {app, sample});
  for (int32_t n = 1; n <= 32; ++n) {
    const ChannelState& c = channels_[n];
    if (c.active && c.sample == sample && !c.paused && !Ended(c)) return 1;
  }
  return 0;
}

int32_t HostSimulator::SampleIsPaused(uint32_t app, uint32_t sample) {
  Log("SampleIsPaused", {app, sample});
  for (int32_t n = 1; n <= 32; ++n) {
    const ChannelState& c = channels_[n];
    if (c.active && c.sample == sample && c.paused) return 1;
  }
  return 0;
}

void HostSimulator::PauseSample(uint32_t app, uint32_t flag, uint32_t sample) {
  Log("PauseSample", {app, flag, sample});
  for (int32_t n = 1; n <= 32; ++n) {
    if (channels_[n].active && channels_[n].sample == sample) channels_[n].paused = true;
  }
}

void HostSimulator::ResumeSample(uint32_t app, uint32_t flag, uint32_t sample) {
  Log("ResumeSample", {app, flag, sample});
  for (int32_t n = 1; n <= 32; ++n) {
    if (channels_[n].active && channels_[n].sample == sample) channels_[n].paused = false;
  }
}

void HostSimulator::StopSample(uint32_t app, uint32_t flag, uint32_t sample) {
  Log("StopSample", {app, flag, sample});
  ClearChannelsOf(sample);
}

int32_t HostSimulator::ChannelOfSample(uint32_t app, uint32_t sample) {
  Log("ChannelOfSample", {app, sample});
  for (int32_t n = 1; n <= 32; ++n) {
    if (channels_[n].active && channels_[n].sample == sample) return n;
  }
  return 0;
}

void HostSimulator::SetSamplePosition(uint32_t app, uint32_t flag, uint32_t sample, int32_t ms) {
  Log("SetSamplePosition", {app, flag, sample, ms});
  for (int32_t n = 1; n <= 32; ++n) {
    if (channels_[n].active && channels_[n].sample == sample) Seek(channels_[n], ms);
  }
}

void HostSimulator::SetSampleFrequency(uint32_t app, uint32_t flag, uint32_t sample, int32_t hz) {
  Log("SetSampleFrequency", {app, flag, sample, hz});
  Sample* found = Find(sample);
  if (found == nullptr) return;
  found->frequency = hz == 0 ? found->ownFrequency : hz;
  for (int32_t n = 1; n <= 32; ++n) {
    if (channels_[n].active && channels_[n].sample == sample) {
      channels_[n].frequency = found->frequency;
    }
  }
}

void HostSimulator::SetSampleVolume(uint32_t app, uint32_t flag, uint32_t sample, int32_t volume) {
  Log("SetSampleVolume", {app, flag, sample, volume});
  Sample* found = Find(sample);
  if (found == nullptr) return;
  found->volume = volume;
  for (int32_t n = 1; n <= 32; ++n) {
    if (channels_[n].active && channels_[n].sample == sample) channels_[n].volume = volume;
  }
}

void HostSimulator::SetSamplePan(uint32_t app, uint32_t flag, uint32_t sample, int32_t pan) {
  Log("SetSamplePan", {app, flag, sample, pan});
  Sample* found = Find(sample);
  if (found == nullptr) return;
  found->pan = pan;
  for (int32_t n = 1; n <= 32; ++n) {
    if (channels_[n].active && channels_[n].sample == sample) channels_[n].pan = pan;
  }
}

int32_t HostSimulator::GetSampleFrequency(uint32_t app, uint32_t flag, uint32_t sample) {
  Log("GetSampleFrequency", {app, flag, sample});
  const Sample* found = Find(sample);
  return found == nullptr ? 0 : found->frequency;
}

// --- Channels -------------------------------------------------------------------------

int32_t HostSimulator::ChannelIsBusy(uint32_t app, int32_t channel) {
  Log("ChannelIsBusy", {app, channel});
  const ChannelState* state = ChannelAt(channel);
  return state != nullptr && Busy(*state) ? 1 : 0;
}

uint32_t HostSimulator::GetChannelPosition(uint32_t app, int32_t channel) {
  Log("GetChannelPosition", {app, channel});
  const ChannelState* state = ChannelAt(channel);
  return state == nullptr ? 0 : state->position;
}

uint32_t HostSimulator::GetChannelDuration(uint32_t app, int32_t channel) {
  Log("GetChannelDuration", {app, channel});
  const ChannelState* state = ChannelAt(channel);
  return state == nullptr ? 0 : state->duration;
}

void HostSimulator::SetChannelPosition(uint32_t app, int32_t channel, int32_t ms) {
  Log("SetChannelPosition", {app, channel, ms});
  ChannelState* state = ChannelAt(channel);
  if (state != nullptr && state->active) Seek(*state, ms);
}

void HostSimulator::SetChannelVolume(uint32_t app, int32_t channel, int32_t volume) {
  Log("SetChannelVolume", {app, channel, volume});
  if (ChannelState* state = ChannelAt(channel)) state->volume = volume;
}

void HostSimulator::SetChannelPan(uint32_t app, int32_t channel, int32_t pan) {
  Log("SetChannelPan", {app, channel, pan});
  if (ChannelState* state = ChannelAt(channel)) state->pan = pan;
}

void HostSimulator::SetChannelFrequency(uint32_t app, int32_t channel, int32_t hz) {
  Log("SetChannelFrequency", {app, channel, hz});
  ChannelState* state = ChannelAt(channel);
  if (state == nullptr) return;
  const Sample* found = state->active ? Find(state->sample) : nullptr;
  state->frequency = (hz == 0 && found != nullptr) ? found->ownFrequency : hz;
}

void HostSimulator::ResumeChannel(uint32_t app, int32_t channel) {
  Log("ResumeChannel", {app, channel});
  if (ChannelState* state = ChannelAt(channel)) state->paused = false;
}

void HostSimulator::PlaySampleOnChannel(uint32_t playerWord, uint32_t app, uint32_t sample,
                                        uint32_t frameWord, uint32_t zero1, uint32_t zero2,
                                        int32_t channel) {
  Log("PlaySampleOnChannel", {playerWord, app, sample, frameWord, zero1, zero2, channel});
  ChannelState* state = ChannelAt(channel);
  const Sample* found = Find(sample);
  if (state == nullptr || found == nullptr) return;
  bool forced = state->forcedBusy;
  *state = ChannelState{};
  state->forcedBusy = forced;
  state->sample = sample;
  state->active = true;
  state->duration = DurationOf(found->data);
  state->volume = found->volume;
  state->pan = found->pan;
  state->frequency = found->frequency;
}

}  // namespace zu
