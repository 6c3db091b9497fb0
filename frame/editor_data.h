#pragma once
// Edit-time record of one placed object, as the host stores it in the
// application file, and its defaults and conversion from older versions.

#include <cstddef>
#include <cstdint>

namespace zu {

/// 28 bytes, little-endian. Bytes 0..19 are the host's header; the module
/// fills size and version only when it converts an old record.
struct EditData {
  uint32_t size;            ///< 28
  uint32_t hostWord4;       ///< the host's, kept as it is
  uint32_t version;         ///< 2
  uint32_t hostWord12;      ///< the host's, kept as it is
  uint32_t hostWord16;      ///< the host's, kept as it is
  uint8_t reserved;         ///< always 0, read by nobody
  uint8_t enableGenerator;  ///< nonzero: the run time allocates the wave buffer
  uint16_t padding;         ///< zero in converted records
  uint32_t bufferLength;    ///< buffer length in seconds of sound; not range-checked here
};

static_assert(sizeof(EditData) == 28, "the host stores exactly 28 bytes");
static_assert(offsetof(EditData, size) == 0, "EditData layout");
static_assert(offsetof(EditData, hostWord4) == 4, "EditData layout");
static_assert(offsetof(EditData, version) == 8, "EditData layout");
static_assert(offsetof(EditData, hostWord12) == 12, "EditData layout");
static_assert(offsetof(EditData, hostWord16) == 16, "EditData layout");
static_assert(offsetof(EditData, reserved) == 20, "EditData layout");
static_assert(offsetof(EditData, enableGenerator) == 21, "EditData layout");
static_assert(offsetof(EditData, padding) == 22, "EditData layout");
static_assert(offsetof(EditData, bufferLength) == 24, "EditData layout");

constexpr uint32_t kEditDataSize = 28;
constexpr uint32_t kEditDataVersion = 2;
constexpr size_t kEditDataHeaderSize = 20;
constexpr uint8_t kDefaultEnableGenerator = 1;
constexpr uint32_t kDefaultBufferLength = 5;

/// The settings a new object starts with; the header is left to the host.
void SetEditDefaults(EditData* data);

/// True when the record predates the current layout and must be replaced.
bool EditDataNeedsConversion(const EditData& data);

/// Fills `fresh` (28 zeroed bytes) as the current version of an old record:
/// the old 20-byte header, size 28, version 2 and the default settings. Only
/// the header of `old` is read, since older records may be shorter.
void ConvertEditData(const void* old, EditData* fresh);

}  // namespace zu
