#include "frame/editor_properties.h"

namespace zu {

const uint32_t kBufferLengthBounds[2] = {0, 10};

const PropEntry kPropertyTable[4] = {
    {kPropGeneratorGroup, "Generator", "Settings related to the sound generator.", kPropTypeGroup,
     0, nullptr},
    {kPropEnableGenerator, "Enable generator",
     "Whether or not to enable the sound generator. If disabled, your application will use less "
     "resouces.",
     kPropTypeCheckBox, 1, nullptr},
    {kPropBufferLength, "Buffer length",
     "The length in seconds of the buffer that is used for the sound generation.", kPropTypeNumber,
     4, kBufferLengthBounds},
    {0, nullptr, nullptr, 0, 0, nullptr},
};

uint32_t PropCheckOf(const EditData& data, uint32_t id) {
  return id == kPropEnableGenerator ? data.enableGenerator : 0;
}

bool StorePropCheck(EditData* data, uint32_t id, uint32_t check) {
  if (id != kPropEnableGenerator) return false;
  data->enableGenerator = check != 0 ? 1 : 0;
  return true;
}

bool IsNumberProp(uint32_t id) { return id == kPropBufferLength; }

uint32_t InfoValue(uint32_t code) {
  switch (code) {
    case 0:
      return 0x300;
    case 2:
      return 0x100;
    case 6:
      return 2;
    case 7:
      return 248;
    default:
      return 0;
  }
}

const char kObjName[] = "Zider Uzazir";
const char kObjAuthor[] = "The Zider Uzazir team";
const char kObjCopyright[] = "Copyright (C) 2026 The Zider Uzazir team";
const char kObjDescription[] =
    "This extension allows you to load and play sounds dynamically (by specifying their name in "
    "expressions). Also, you can generate cool sound effects at runtime with a built-in "
    "synthesizer.";
const char kObjWebAddress[] = "https://zider-uzazir.example.org";
const char kHelpFileName[] = "Help\\EmptyObject.chm";

}  // namespace zu
