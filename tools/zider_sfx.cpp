// zider-sfx: plays the part of one run-time object with its sound generator
// and runs the operations named on the command line in order, as event-rule
// actions would. The options are rows of one table (sfx_options.h); the
// operations are functions in sfx_operations.h.
//
// Exit status: 0 when every operation ran, 1 when an operation failed (the
// run stops there; earlier output stays), 2 when the command line is wrong
// (nothing runs).

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "generator/generator_object.h"
#include "tools/sfx_operations.h"
#include "tools/sfx_options.h"

namespace {

int Usage(const std::string& message) {
  std::fprintf(stderr, "zider-sfx: %s (try --help)\n", message.c_str());
  return 2;
}

int Fail(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "zider-sfx: %s\n", message.c_str());
  return 1;
}

// Releases the object however the run ends.
struct ObjectOwner {
  zu::GeneratorObject object;
  ~ObjectOwner() { zu::ReleaseGeneratorObject(object); }
};

// Everything printed must have reached its file; some errors only show when
// the file is closed (a full disk behind a redirection).
int CloseOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) return Fail(zu::sfx::OutputError());
  if (std::fclose(stdout) != 0) {
    std::fprintf(stderr, "zider-sfx: %s\n", zu::sfx::OutputError().c_str());
    return 1;
  }
  return 0;
}

// Creates the object as the module creates it (seeded from the clock with its
// buffer when the generator is enabled, then the generator) and runs the
// steps in order, stopping at the first that fails.
int Run(const zu::sfx::CommandLine& line) {
  const zu::sfx::Settings& settings = line.settings;
  ObjectOwner owner{zu::CreateGeneratorObject(settings.generatorEnabled, settings.bufferLength)};
  const zu::GeneratorObject& object = owner.object;
  if (object.generator == nullptr || (settings.generatorEnabled && object.waveBuffer == nullptr)) {
    return Fail("out of memory for the generator and its buffer");
  }
  zu::sfx::Session session{*object.generator,  object.waveBuffer, object.waveCapacity, {},
                           settings.renderDir, settings.jobs};
  for (const zu::sfx::Step& step : line.steps) {
    if (!step.run(step, session)) return Fail(session.error);
  }
  return CloseOutput();
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes on every system: no newline translation.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  // The whole line is checked before anything runs.
  zu::sfx::CommandLine line;
  std::string error;
  if (!zu::sfx::ParseCommandLine(argc, argv, &line, &error)) return Usage(error);
  return Run(line);
}
