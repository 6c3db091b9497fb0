#include "frame/editor_data.h"

#include <cstring>

namespace zu {

void SetEditDefaults(EditData* data) {
  data->reserved = 0;
  data->enableGenerator = kDefaultEnableGenerator;
  data->bufferLength = kDefaultBufferLength;
}

bool EditDataNeedsConversion(const EditData& data) { return data.version < kEditDataVersion; }

void ConvertEditData(const void* old, EditData* fresh) {
  std::memcpy(fresh, old, kEditDataHeaderSize);
  fresh->size = kEditDataSize;
  fresh->version = kEditDataVersion;
  fresh->padding = 0;
  SetEditDefaults(fresh);
}

}  // namespace zu
