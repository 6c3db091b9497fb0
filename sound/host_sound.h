#pragma once
// The host runtime library's sample-bank and channel operations, as one
// abstract interface generated from their list (sound/host_sound_ops.inc).
// The DLL binds each method to the library export of that ordinal; tests and
// the stand-in library implement it with an in-memory simulation.

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

/// The host's sound services, one method per operation of
/// sound/host_sound_ops.inc (see there for each one's meaning and ordinal).
class HostSound {
 public:
  virtual ~HostSound() = default;

#define ZU_HOST_SOUND_OP(ordinal, Name, Result, params, args) virtual Result Name params = 0;
#include "sound/host_sound_ops.inc"
#undef ZU_HOST_SOUND_OP
};

}  // namespace zu
