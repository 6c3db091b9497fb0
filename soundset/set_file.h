#pragma once
// Reading a set file from disk: regular files only, the size checked before
// anything is read, never more than kSetMaxFileBytes + 1 bytes read.

#include <string>
#include <vector>

#include "soundset/sound_set.h"

namespace zu {

/// Reads the set file at path (8-bit, relative to the current directory). On
/// failure *sounds is unchanged and *error holds one line naming the file:
/// "cannot read NAME: cause", "NAME: a set file holds at most ..." or
/// "NAME: line L, column C: expected ...".
bool ReadSoundSetFile(const char* path, std::vector<SetSound>* sounds, std::string* error);

}  // namespace zu
