#include "frame/editor_text.h"

namespace zu {

void CopyBounded(char* buffer, uint32_t size, const char* text) {
  if (size == 0 || buffer == nullptr) return;
  uint32_t i = 0;
  if (text != nullptr) {
    for (; i + 1 < size && text[i] != '\0'; ++i) buffer[i] = text[i];
  }
  buffer[i] = '\0';
}

int EntryLength(const uint16_t* entry) {
  return 5 + 2 * static_cast<int16_t>(entry[kEntryParamCount]);
}

int32_t CodeFromMenuId(const uint16_t* array, int32_t count, int32_t menuId) {
  if (array == nullptr) return -1;
  const uint16_t* entry = array;
  for (int32_t i = 0; i < count; ++i) {
    if (entry[kEntryMenuId] == menuId) {
      return static_cast<int16_t>(entry[kEntryCode]);
    }
    entry += EntryLength(entry);
  }
  return -1;
}

uint16_t EntryTitleId(const uint16_t* entry, int32_t param) {
  const int n = static_cast<int16_t>(entry[kEntryParamCount]);
  return entry[kEntryTypes + n + param];
}

}  // namespace zu
