#pragma once
// The binary parameter file (.sfs) as bytes in memory: versions 100, 101 and
// 102 are read, 102 is written. Little-endian fields in the file's own order,
// no padding. Reading and writing files: param_file_io.h.

#include <cstddef>
#include <cstdint>
#include <string>

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

/// The version-102 image of the parameters.
void EncodeParams(const GeneratorParams& params, uint8_t out[kParamFileBytes102]);

/// Why an image does not load, naming the file as name (already printable):
/// "not a .sfs file: NAME (5 bytes; a version 102 file has 105)" or "unknown
/// .sfs version 103 in NAME"; empty when LoadParamsFromBytes accepts it.
std::string ParamImageError(const uint8_t* data, size_t size, const std::string& name);

}  // namespace zu
