#include "tools/sfx_operations.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "fileio/safe_file.h"
#include "generator/csv_text.h"
#include "generator/param_file_io.h"
#include "generator/presets.h"
#include "generator/random_source.h"
#include "generator/wave_render.h"

namespace zu::sfx {

std::string OutputError() {
  return std::string("cannot write standard output: ") + std::strerror(errno);
}

bool PrintText(const std::string& text, Session& session) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  if (std::fflush(stdout) == 0 && written) return true;
  session.error = OutputError();
  return false;
}

bool RunSeed(const Step& step, Session&) {
  SeedRandom(step.number);
  return true;
}

bool RunReset(const Step&, Session& session) {
  session.generator.ResetParameters();
  return true;
}

bool RunRender(const Step& step, Session& session) {
  if (session.waveBuffer == nullptr) {
    session.error = "cannot render: the generator is disabled";
    return false;
  }
  const uint32_t bytes =
      RenderToWaveBuffer(session.generator, session.waveBuffer, session.waveCapacity);
  return WriteFileWhole(step.text.c_str(), session.waveBuffer, kWaveHeaderBytes + bytes,
                        &session.error);
}

bool RunPreset(const Step& step, Session& session) {
  session.generator.LoadPreset(step.number);
  return true;
}

bool RunRandomize(const Step&, Session& session) {
  session.generator.Randomize();
  return true;
}

bool RunMutate(const Step&, Session& session) {
  session.generator.Mutate();
  return true;
}

bool RunSet(const Step& step, Session& session) {
  session.generator.SetVariable(static_cast<int>(step.number), step.value);
  return true;
}

bool RunCsv(const Step& step, Session& session) {
  LoadVariablesFromCsv(session.generator.params, step.text.c_str());
  return true;
}

bool RunLoad(const Step& step, Session& session) {
  return LoadParameterFile(session.generator.params, step.text.c_str(), &session.error);
}

bool RunSave(const Step& step, Session& session) {
  return SaveParameterFile(session.generator.params, step.text.c_str(), &session.error);
}

bool RunPrintCsv(const Step&, Session& session) {
  return PrintText(FormatVariablesAsCsv(session.generator.params) + "\n", session);
}

bool RunListPresets(const Step&, Session& session) {
  std::string list;
  for (uint32_t i = 0; i < kPresetCount; ++i) {
    list += std::to_string(i) + " " + kPresets[i].name + "\n";
  }
  return PrintText(list, session);
}

}  // namespace zu::sfx
