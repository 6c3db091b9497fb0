#pragma once
// The binary parameter file (.sfs): versions 100, 101 and 102 are read, 102 is
// written. Little-endian fields in the file's own order, no padding.

#include <cstddef>
#include <cstdint>

#include "generator/generator_params.h"

namespace zu {

/// Bytes of a file of each version.
constexpr size_t kParamFileBytes100 = 89;
constexpr size_t kParamFileBytes101 = 101;
constexpr size_t kParamFileBytes102 = 105;

/// Loads a file image. An unknown version or an image shorter than its
/// version's size changes nothing and returns false. Bytes after the last
/// field are ignored.
bool LoadParamsFromBytes(GeneratorParams& params, const uint8_t* data, size_t size);

/// Reads the file at path (8-bit path, relative to the current directory) and
/// loads it as LoadParamsFromBytes does. False when it cannot be read.
bool LoadParameterFile(GeneratorParams& params, const char* path);

/// The version-102 image of the parameters.
void EncodeParams(const GeneratorParams& params, uint8_t out[kParamFileBytes102]);

/// Writes the version-102 file whole or not at all; false on any failure, in
/// which case an existing file at path is left as it was.
bool SaveParameterFile(const GeneratorParams& params, const char* path);

/// Writes data to a temporary file in path's folder, then moves it onto path.
/// On failure nothing is left behind and an existing file stays intact.
bool WriteFileWhole(const char* path, const void* data, size_t size);

/// Moves the file from onto to, replacing to when it exists. The default uses
/// the runtime's rename (and, where that refuses to replace, moves the old
/// file aside first); a platform layer may install an atomic one.
using ReplaceFileFunction = bool (*)(const char* from, const char* to);
void SetReplaceFileFunction(ReplaceFileFunction function);

}  // namespace zu
