#pragma once
// The operations zider-sfx runs: one function each, working on one object's
// generator and wave buffer. The option table (sfx_options.h) names them.

#include <cstdint>
#include <string>

#include "generator/sound_generator.h"

namespace zu::sfx {

/// What the operations work on, and why the last one failed.
struct Session {
  SoundGenerator& generator;  ///< the object's generator
  uint8_t* waveBuffer;        ///< its RIFF/WAVE image; null when the generator is disabled
  uint32_t waveCapacity;      ///< sample bytes the image holds after its header
  std::string error;          ///< the reason the last operation failed, for the message
  std::string renderDir;      ///< --render-dir: the folder --render-set fills
  unsigned jobs = 0;          ///< --jobs: threads for --render-set; 0: one per processor
};

struct Step;

/// Runs one operation: false when it failed, with the reason in session.error.
using RunFn = bool (*)(const Step& step, Session& session);

/// One operation from the command line, checked and ready to run.
struct Step {
  RunFn run = nullptr;  ///< the operation
  uint32_t number = 0;  ///< seed, preset or variable index
  float value = 0.0f;   ///< --set value
  std::string text;     ///< file name or CSV text
};

/// Prints text to standard output and flushes it; false (with the reason in
/// session.error) when any of it could not be written.
bool PrintText(const std::string& text, Session& session);

/// "cannot write standard output: " and the system's reason (errno).
std::string OutputError();

bool RunSeed(const Step& step, Session& session);         ///< --seed N
bool RunReset(const Step& step, Session& session);        ///< --reset
bool RunRender(const Step& step, Session& session);       ///< --render FILE
bool RunPreset(const Step& step, Session& session);       ///< --preset P
bool RunRandomize(const Step& step, Session& session);    ///< --randomize
bool RunMutate(const Step& step, Session& session);       ///< --mutate
bool RunSet(const Step& step, Session& session);          ///< --set I=V
bool RunCsv(const Step& step, Session& session);          ///< --csv TEXT
bool RunLoad(const Step& step, Session& session);         ///< --load FILE
bool RunSave(const Step& step, Session& session);         ///< --save FILE
bool RunPrintCsv(const Step& step, Session& session);     ///< --print-csv
bool RunListPresets(const Step& step, Session& session);  ///< --list-presets

}  // namespace zu::sfx
