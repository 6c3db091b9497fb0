#include "generator/param_file_io.h"

#include <cstdint>

#include "fileio/safe_file.h"
#include "generator/param_file.h"

namespace zu {

bool LoadParameterFile(GeneratorParams& params, const char* path, std::string* error) {
  uint8_t image[kParamFileBytes102];
  size_t got = 0;
  if (!ReadFileStart(path, image, sizeof image, &got, error)) return false;
  if (LoadParamsFromBytes(params, image, got)) return true;
  if (error != nullptr) *error = ParamImageError(image, got, PrintableName(path));
  return false;
}

bool SaveParameterFile(const GeneratorParams& params, const char* path, std::string* error) {
  uint8_t image[kParamFileBytes102];
  EncodeParams(params, image);
  return WriteFileWhole(path, image, sizeof image, error);
}

}  // namespace zu
