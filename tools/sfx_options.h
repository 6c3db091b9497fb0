#pragma once
// zider-sfx's command line: one table of options that the parser, the help
// text and the runner all read. An option is a row of kOptions: its name,
// its argument, the function that checks the argument and the operation
// that runs it; the help text is made from the same rows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/sfx_operations.h"

namespace zu::sfx {

/// How the object is created, set before any operation runs.
struct Settings {
  uint32_t bufferLength = 5;     ///< --buffer-length: N x 41000 samples (above 10 counts as 10)
  bool generatorEnabled = true;  ///< false after --no-generator: no wave buffer
  std::string renderDir;         ///< --render-dir: the folder --render-set fills
  unsigned jobs = 0;             ///< --jobs: threads for --render-set; 0: one per processor
};

/// A checked command line: the settings and the operations in the order given.
struct CommandLine {
  Settings settings;        ///< how to create the object
  std::vector<Step> steps;  ///< what to run on it, in order
};

/// Checks an option's argument and stores it in the step or the settings;
/// false when the argument is refused.
using ReadFn = bool (*)(const std::string& argument, Step* step, Settings* settings);

/// Builds an option's help text when it comes from another table.
using HelpFn = std::string (*)();

/// One command-line option. Rows leave out the trailing fields they do not need.
struct Option {
  const char* name;             ///< as typed, e.g. "--seed"
  const char* argument;         ///< its argument in the help, e.g. "N"; nullptr when it takes none
  const char* help;             ///< help text, lines broken with '\n'; nullptr: built by makeHelp,
                                ///< or not listed when that is null too
  RunFn run = nullptr;          ///< the operation; nullptr for a setting (listed under "Options:")
  ReadFn read = nullptr;        ///< checks and stores the argument; nullptr: nothing to read
  const char* needs = nullptr;  ///< what the argument must be: "--seed needs a number"
  const char* refused = nullptr;  ///< start of the message for a refused argument ("bad seed:
                                  ///< 1x"); nullptr: a refused argument counts as missing
  HelpFn makeHelp = nullptr;      ///< builds the help text when it comes from another table
};

/// Every option, in the order the help lists them (operations, then settings).
extern const Option kOptions[];
/// How many rows kOptions has.
extern const size_t kOptionCount;

/// Reads argv[1..argc-1] whole: true with every step when the line is right,
/// else false with the message (without the program name) in *error.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error);

/// The --help text.
std::string HelpText();

/// --help: prints HelpText().
bool RunHelp(const Step& step, Session& session);

}  // namespace zu::sfx
