#pragma once
// A sound context over the simulated host, with an event sink that records
// each event together with the played channel and sample at push time.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hoststub/host_simulator.h"
#include "sound/sound_context.h"

namespace zu::testing {

struct PushedEvent {
  int32_t code;
  int32_t playedChannel;
  uint32_t playedSample;
};

class RecordingSink : public EventSink {
 public:
  explicit RecordingSink(const SoundState& state) : state_(state) {}
  void Push(int32_t code) override {
    events.push_back({code, state_.playedChannel, state_.playedSample});
    if (onPush) onPush(code);
  }
  size_t Count(int32_t code) const {
    size_t n = 0;
    for (const auto& e : events) n += e.code == code;
    return n;
  }
  std::vector<PushedEvent> events;
  std::function<void(int32_t)> onPush;

 private:
  const SoundState& state_;
};

/// A 44-byte RIFF/WAVE header for 44.1 kHz 16-bit mono, followed by
/// `milliseconds` worth of samples (88.2 bytes per ms, rounded down to even).
inline std::vector<uint8_t> MakeWave(uint32_t milliseconds, uint8_t fill = 0x11) {
  uint32_t dataBytes = (milliseconds * 882u / 10u) & ~1u;
  std::vector<uint8_t> image(44 + dataBytes, fill);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) image[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  auto put16 = [&](size_t at, uint16_t v) {
    image[at] = static_cast<uint8_t>(v);
    image[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  std::copy_n("RIFF", 4, image.begin());
  put32(4, 36 + dataBytes);
  std::copy_n("WAVEfmt ", 8, image.begin() + 8);
  put32(16, 16);
  put16(20, 1);
  put16(22, 1);
  put32(24, 44100);
  put32(28, 88200);
  put16(32, 2);
  put16(34, 16);
  std::copy_n("data", 4, image.begin() + 36);
  put32(40, dataBytes);
  return image;
}

class SoundTest : public ::testing::Test {
 protected:
  static constexpr uint32_t kApp = 0x5150;
  static constexpr uint32_t kPlayerWord = 0xA11;
  static constexpr uint32_t kFrameWord = 0xF16;

  HostSimulator host;
  SoundState state{};
  RecordingSink events{state};
  SoundContext ctx{host, kApp, kPlayerWord, kFrameWord, state, events};

  /// Ops of the call log, in order.
  std::vector<std::string> Ops() const {
    std::vector<std::string> ops;
    for (const auto& c : host.Calls()) ops.push_back(c.op);
    return ops;
  }
};

}  // namespace zu::testing
