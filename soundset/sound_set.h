#pragma once
// A set of named sounds as the .zus text file holds it, one sound per line:
//
//   zider-uzazir-set 1
//   # comment
//   NAME<TAB>BUFFER LENGTH<TAB>SEED<TAB>BLOCK
//
// A sound of a set is what the game gets from "Set random seed to SEED", then
// loading the block, then "Generate sound" in an object whose "Buffer length"
// is BUFFER LENGTH. The block is the 24 variables: the CSV text as CSV$(
// gives it when that text loads back to the same bits, otherwise "bits:" and
// 24 eight-digit hexadecimal words (the float bits; the wave type as its
// 32-bit integer) in variable order.
//
// Names compare byte for byte, as the sound bank finds them: "Jump" and
// "jump" are two sounds.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "generator/generator_params.h"

namespace zu {

/// The first line of every set file.
constexpr char kSetHeader[] = "zider-uzazir-set 1";
/// Longest sound name, in bytes (the bank reads names back up to this length).
constexpr size_t kSetNameMaxBytes = 127;
/// Largest buffer length; the property counts any larger value as this.
constexpr uint32_t kSetMaxBufferLength = 10;
/// Most sounds a set holds.
constexpr size_t kSetMaxSounds = 10000;
/// Longest line, in bytes without its line end. A sound line written by
/// WriteSoundSet is at most 1245 bytes (127-byte name, 10-digit seed, 24
/// fields of the widest CSV numbers).
constexpr size_t kSetMaxLineBytes = 2048;
/// Largest set file: 10,000 sound lines of the longest length with CR LF
/// ends, plus room for the header and comments (24 MiB).
constexpr size_t kSetMaxFileBytes = 24u * 1024u * 1024u;

/// The 24 variables as bit patterns in variable order; variable 1, the wave
/// type, as its 32-bit integer.
using SetBlock = std::array<uint32_t, kVariableCount>;

/// One sound of a set.
struct SetSound {
  std::string name;           ///< 1 to 127 bytes of UTF-8; see SoundNameProblem
  uint32_t bufferLength = 5;  ///< the object's "Buffer length", 0 to 10
  uint32_t seed = 1;          ///< "Set random seed to %0" value, 1 to 4294967295
  SetBlock block{};           ///< the parameter block
};

/// The block of a parameter set.
SetBlock BlockOf(const GeneratorParams& params);

/// Stores the block into the 24 variables of params, bit for bit.
void LoadBlock(GeneratorParams& params, const SetBlock& block);

/// True when the block's CSV text loads back to the same 24 bit patterns.
bool IsCsvExact(const SetBlock& block);

/// The block as the set file writes it: the CSV text when IsCsvExact, else
/// "bits:" and 24 lowercase hexadecimal words.
std::string BlockText(const SetBlock& block);

/// Why name cannot name a sound of a set, or "" when it can: it must be 1 to
/// 127 bytes of valid UTF-8 without control characters (U+0000 to U+001F,
/// U+007F) and must not start with "#" (a comment line).
std::string SoundNameProblem(const std::string& name);

/// Why sounds cannot be written as a set (the first problem found, naming
/// the sound by position), or "" when they can: names as SoundNameProblem
/// wants and unique, buffer lengths 0 to 10, seeds not 0, at most 10,000.
std::string SoundSetProblem(const std::vector<SetSound>& sounds);

/// Reads a whole set file image. On success *sounds holds the sounds in file
/// order. On failure *sounds is left as it was and *error holds one line
/// "line L, column C: expected ..." (or a line-less one for a file too large).
/// Columns count characters from 1.
bool ReadSoundSet(const char* data, size_t size, std::vector<SetSound>* sounds, std::string* error);

/// The set file image of sounds (which SoundSetProblem accepts): the header,
/// a comment naming the columns, one line per sound, LF line ends.
std::string WriteSoundSet(const std::vector<SetSound>& sounds);

}  // namespace zu
