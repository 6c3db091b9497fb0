#pragma once
// The event listing (events.txt) that puts every sound of a set into the
// game's sound bank under its name, written as the event editor shows the
// actions; every action text comes from the object's entry table.
//
// Per sound: "Set random seed to %0", then "Load variables from CSV string
// %0" where the block's CSV text is exact (no file needed) or "Load SFX
// sample file %0" with Apppath$ + "sounds\FILE.sfs", then "Generate sound"
// and "Add generated sound as %0". Sounds are grouped by "Buffer length",
// one object per value, lowest value first; a seed above 2147483647 is
// written as the negative number with the same 32 bits, as the editor takes
// it. The listing ends with the file names that differ from sound names.

#include <string>
#include <vector>

#include "soundset/sound_set.h"

namespace zu {

/// The object's name as the editor shows it.
constexpr char kSetObjectName[] = "Zider Uzazir";
/// The name of the object property that sizes the generator's buffer.
constexpr char kBufferLengthProperty[] = "Buffer length";

/// The listing for sounds whose file names (SetFileNames) are fileNames;
/// setName (the set file's name, shown in the title) may be empty. LF ends.
std::string SetEventListing(const std::vector<SetSound>& sounds,
                            const std::vector<std::string>& fileNames, const std::string& setName);

}  // namespace zu
