#pragma once
// The object's property sheet ("Enable generator", "Buffer length") and the
// edit-time information the editor shows about the object.

#include <cstddef>
#include <cstdint>

#include "frame/editor_data.h"

namespace zu {

constexpr uint32_t kPropGeneratorGroup = 0x80001;
constexpr uint32_t kPropEnableGenerator = 0x80002;
constexpr uint32_t kPropBufferLength = 0x80003;

/// The host's property type codes and option words, passed as they stand.
constexpr uint32_t kPropTypeGroup = 14;
constexpr uint32_t kPropTypeCheckBox = 10;
constexpr uint32_t kPropTypeNumber = 11;

/// The editor interface record carries a __stdcall callback at this offset,
/// taking (edit data, function code, three 32-bit arguments).
constexpr size_t kEditorCallbackOffset = 0x154;
constexpr uint32_t kEditorInsertProperties = 1;
constexpr uint32_t kEditorPropertyChanged = 18;

/// One row of the table handed to the host: 24 bytes in the 32-bit module.
struct PropEntry {
  uint32_t id;
  const char* name;
  const char* info;
  uint32_t typeCode;
  uint32_t options;
  const void* createParam;
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(PropEntry) == 24, "the host reads 24-byte property entries");
#endif

/// Three properties and an all-zero terminator.
extern const PropEntry kPropertyTable[4];
/// Lower and upper bound of "Buffer length".
extern const uint32_t kBufferLengthBounds[2];

// Property accessors on the edit data, shared by the exported entries.

/// Check box state of `id`: enableGenerator for the generator switch, else 0.
uint32_t PropCheckOf(const EditData& data, uint32_t id);
/// Stores a check box state; true when `id` was the generator switch, which
/// the editor must then be told about.
bool StorePropCheck(EditData* data, uint32_t id, uint32_t check);
/// Whether `id` carries a 32-bit number (only "Buffer length").
bool IsNumberProp(uint32_t id);

/// Object information by info code (0 -> 0x300, 2 -> 0x100, 6 -> 2, 7 -> 248).
uint32_t InfoValue(uint32_t code);

/// Texts of the object's information. Each host buffer is assumed to hold at
/// least kObjInfoBufferSize bytes; every text fits well inside that.
constexpr uint32_t kObjInfoBufferSize = 256;
extern const char kObjName[];
extern const char kObjAuthor[];
extern const char kObjCopyright[];
extern const char kObjDescription[];
extern const char kObjWebAddress[];
extern const char kHelpFileName[];

}  // namespace zu
