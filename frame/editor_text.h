#pragma once
// Text copies into the editor's buffers and lookups in the descriptor arrays
// that the editor's menu, string and title entries share.

#include <cstdint>

namespace zu {

/// Copies `text` into a caller's buffer of `size` bytes: at most size - 1
/// characters and a terminator. A size of 0 writes nothing.
void CopyBounded(char* buffer, uint32_t size, const char* text);

/// Descriptor arrays: entries of 5 + 2n 16-bit words (menu id, menu id, code,
/// flags, n, n types, n title ids) back to back.
constexpr int kEntryMenuId = 0;
constexpr int kEntryCode = 2;
constexpr int kEntryParamCount = 4;
constexpr int kEntryTypes = 5;

/// Words from an entry to the next one (parameter count read as signed).
int EntryLength(const uint16_t* entry);

/// Code of the first of at most `count` entries whose menu id is `menuId`, or
/// -1 when none is.
int32_t CodeFromMenuId(const uint16_t* array, int32_t count, int32_t menuId);

/// Title id of parameter `param` of an entry; the caller checks the range.
uint16_t EntryTitleId(const uint16_t* entry, int32_t param);

}  // namespace zu
