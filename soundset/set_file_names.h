#pragma once
// File names for the sounds of a set, safe on Windows and everywhere, and
// stable: they depend only on the set's names in order. For each name, in
// set order:
//  1. Each of < > : " / \ | ? * and each control character becomes "_"; so
//     does a leading dot and every trailing dot or space.
//  2. A Windows device name (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1 to
//     COM9, LPT1 to LPT9, also with a superscript 1 to 3), alone or before a
//     dot, in any case and with trailing spaces, gets a "_" in front.
//  3. When the result equals an earlier file name without regard to case
//     (ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters), "~2",
//     "~3", ... is added: the lowest number that makes it unique.
// Other non-ASCII characters stay. The file name has no separator and is
// never "." or "..", so no name places a file outside the folder.

#include <string>
#include <vector>

#include "soundset/sound_set.h"

namespace zu {

/// The file name (without extension) of every sound, in set order.
std::vector<std::string> SetFileNames(const std::vector<SetSound>& sounds);

}  // namespace zu
