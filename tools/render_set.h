#pragma once
// zider-sfx --render-set: every sound of a set file rendered into a folder,
// with its .sfs file, the event listing (events.txt) and the set itself.

#include <string>

#include "tools/sfx_operations.h"

namespace zu {

/// What --render-set needs.
struct RenderSetJob {
  std::string setPath;    ///< the .zus file
  std::string dir;        ///< the folder to fill; made when missing (one level)
  unsigned jobs = 0;      ///< threads; 0 means one per processor
  bool progress = false;  ///< a progress line on standard error
};

/// Renders the set into job.dir: FILE.wav and FILE.sfs per sound (file names
/// from SetFileNames), events.txt, and the set as STEM.zus (written by
/// WriteSoundSet). Everything is written whole into a new hidden folder
/// inside job.dir first and moved into place only when all of it is written;
/// on failure that folder is removed, job.dir keeps what it held, and *error
/// holds one line (what, which file, why). (Should a move itself fail, the
/// files moved before it stay, each of them whole.) The result is the same
/// bytes whatever the number of threads. Each thread renders with its own
/// random source, so the calling thread's is left as it was.
bool RenderSetToDir(const RenderSetJob& job, std::string* error);

namespace sfx {
/// --render-set FILE: RenderSetToDir into session.renderDir with
/// session.jobs threads, with a progress line when standard error is a
/// terminal.
bool RunRenderSet(const Step& step, Session& session);
}  // namespace sfx

}  // namespace zu
