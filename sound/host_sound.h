#pragma once
// The host runtime library's sample-bank and channel operations, as one
// abstract interface. The DLL binds each method to the library export with
// the ordinal noted beside it (every export uses the standard Windows calling
// convention, callee pops, 32-bit arguments and results); tests and the
// stand-in library implement it with an in-memory simulation.
//
// Units: channels 1 to 32; positions and durations in milliseconds;
// frequencies in hertz (0 = the sample's own); volume 0 to 100; pan -100
// (left) to 100 (right). A sample handle of 0 means "no sample".
// `app` is the application handle (word at offset 8 of the run header);
// `flag` is always passed as kHostFlag.

#include <cstddef>
#include <cstdint>

namespace zu {

/// Value passed in every `flag` argument.
constexpr uint32_t kHostFlag = 1;

/// The 24-byte record filled by GetSampleInfo. Only two words are relied on:
/// the byte length of the sample's data is `endOffset - startOffset`.
struct SampleInfo {
  uint32_t word0;
  uint32_t word4;
  uint32_t endOffset;  ///< offset 8
  uint32_t word12;
  uint32_t word16;
  uint32_t startOffset;  ///< offset 20
};
static_assert(sizeof(SampleInfo) == 24, "host sample record is 24 bytes");
static_assert(offsetof(SampleInfo, endOffset) == 8, "end word at offset 8");
static_assert(offsetof(SampleInfo, startOffset) == 20, "start word at offset 20");

/// Byte length of a sample's data from its information record (wraps as the
/// 32-bit subtraction it is).
inline uint32_t SampleDataLength(const SampleInfo& info) {
  return info.endOffset - info.startOffset;
}

class HostSound {
 public:
  virtual ~HostSound() = default;

  // --- Bank ------------------------------------------------------------------
  /// #193: handle of the sample with that name, 0 if none.
  virtual uint32_t FindSample(uint32_t app, uint32_t flag, const char* name) = 0;
  /// #194: nonzero if `sample` holds a sample; copies at most `size` bytes of
  /// its name into `buffer` and writes no terminator beyond them.
  virtual int32_t GetSampleName(uint32_t app, uint32_t sample, char* buffer, uint32_t size) = 0;
  /// #182: fills the 24-byte information record.
  virtual void GetSampleInfo(uint32_t app, uint32_t sample, SampleInfo* info) = 0;
  /// #202: address of the sample's data, null if none.
  virtual const void* GetSampleData(uint32_t app, uint32_t sample) = 0;
  /// #185: adds a copy of `size` bytes at `data` under `name`; new handle.
  virtual uint32_t AddSample(uint32_t app, uint32_t flag, const char* name, const void* data,
                             uint32_t size) = 0;
  /// #197: replaces the sample's name and data by a copy; the sample's handle.
  virtual uint32_t ReplaceSample(uint32_t app, uint32_t flag, uint32_t sample, const char* name,
                                 const void* data, uint32_t size) = 0;
  /// #189: removes the sample.
  virtual void DeleteSample(uint32_t app, uint32_t sample) = 0;

  // --- Samples ---------------------------------------------------------------
  /// #184: nonzero while the sample plays.
  virtual int32_t SampleIsPlaying(uint32_t app, uint32_t sample) = 0;
  /// #205: nonzero while the sample is paused.
  virtual int32_t SampleIsPaused(uint32_t app, uint32_t sample) = 0;
  /// #195
  virtual void PauseSample(uint32_t app, uint32_t flag, uint32_t sample) = 0;
  /// #198
  virtual void ResumeSample(uint32_t app, uint32_t flag, uint32_t sample) = 0;
  /// #191
  virtual void StopSample(uint32_t app, uint32_t flag, uint32_t sample) = 0;
  /// #825: the channel (1 to 32) on which the sample plays.
  virtual int32_t ChannelOfSample(uint32_t app, uint32_t sample) = 0;
  /// #813: position in ms.
  virtual void SetSamplePosition(uint32_t app, uint32_t flag, uint32_t sample, int32_t ms) = 0;
  /// #828: frequency in Hz, 0 = original.
  virtual void SetSampleFrequency(uint32_t app, uint32_t flag, uint32_t sample, int32_t hz) = 0;
  /// #814: volume 0 to 100.
  virtual void SetSampleVolume(uint32_t app, uint32_t flag, uint32_t sample, int32_t volume) = 0;
  /// #812: pan -100 to 100.
  virtual void SetSamplePan(uint32_t app, uint32_t flag, uint32_t sample, int32_t pan) = 0;
  /// #830: current frequency in Hz.
  virtual int32_t GetSampleFrequency(uint32_t app, uint32_t flag, uint32_t sample) = 0;

  // --- Channels --------------------------------------------------------------
  /// #204: nonzero while the channel plays.
  virtual int32_t ChannelIsBusy(uint32_t app, int32_t channel) = 0;
  /// #799: position in ms. A sample played to its end leaves it equal to the
  /// (nonzero) duration until rewound; stopping or restarting lowers it.
  virtual uint32_t GetChannelPosition(uint32_t app, int32_t channel) = 0;
  /// #797: duration in ms of what the channel plays.
  virtual uint32_t GetChannelDuration(uint32_t app, int32_t channel) = 0;
  /// #808
  virtual void SetChannelPosition(uint32_t app, int32_t channel, int32_t ms) = 0;
  /// #809
  virtual void SetChannelVolume(uint32_t app, int32_t channel, int32_t volume) = 0;
  /// #807
  virtual void SetChannelPan(uint32_t app, int32_t channel, int32_t pan) = 0;
  /// #827
  virtual void SetChannelFrequency(uint32_t app, int32_t channel, int32_t hz) = 0;
  /// #199: the channel plays on from its position.
  virtual void ResumeChannel(uint32_t app, int32_t channel) = 0;

  /// #190, the one operation whose first argument is not the application
  /// handle. Arguments in call order: the word at offset 48 of the record whose
  /// address is at run-header offset 1268; the application handle; the sample;
  /// the word at run-header offset 16; 0; 0; the channel. Result unused.
  virtual void PlaySampleOnChannel(uint32_t playerWord, uint32_t app, uint32_t sample,
                                   uint32_t frameWord, uint32_t zero1, uint32_t zero2,
                                   int32_t channel) = 0;
};

}  // namespace zu
