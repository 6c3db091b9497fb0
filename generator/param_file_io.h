#pragma once
// The parameter file (.sfs) on disk: read with a size limit, written whole or
// not at all.

#include <string>

#include "generator/generator_params.h"

namespace zu {

/// Reads the file at path (8-bit, relative to the current directory) and
/// loads it as LoadParamsFromBytes does, reading no more than a version-102
/// file holds. False when it cannot be read or is no .sfs file; params are
/// then unchanged and *error (when given) says why in one line.
bool LoadParameterFile(GeneratorParams& params, const char* path, std::string* error = nullptr);

/// Writes the version-102 file whole or not at all (WriteFileWhole). False on
/// any failure, with an existing file at path left as it was and *error
/// (when given) saying why in one line.
bool SaveParameterFile(const GeneratorParams& params, const char* path,
                       std::string* error = nullptr);

}  // namespace zu
