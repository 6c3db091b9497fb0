#include "tools/render_set.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <random>
#include <system_error>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "fileio/safe_file.h"
#include "generator/wave_render.h"
#include "soundset/set_events.h"
#include "soundset/set_file.h"
#include "soundset/set_file_names.h"
#include "soundset/set_render.h"
#include "soundset/sound_set.h"

namespace zu {
namespace {

namespace fs = std::filesystem;

// Paths stay 8-bit strings from end to end: the file functions get them as
// they stand, and std::filesystem only ever converts them one way.
std::string Join(const std::string& dir, const std::string& name) {
  const char last = dir.empty() ? '/' : dir.back();
  return last == '/' || last == '\\' ? dir + name : dir + "/" + name;
}

std::string Shown(const std::string& path) { return PrintableName(path.c_str()); }

bool FailPath(std::string* error, const char* verb, const std::string& path,
              const std::error_code& code) {
  *error = std::string("cannot ") + verb + " " + Shown(path) + ": " + code.message();
  return false;
}

#ifdef _WIN32
// The UTF-8 name in the system's 8-bit code page, which the file functions
// take and in which the game's "Load SFX sample file %0" names the file;
// false when a character has no exact place in it.
bool SystemFileName(const std::string& utf8, std::string* out) {
  const int size = static_cast<int>(utf8.size());
  const int wide =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (wide <= 0) return false;
  std::wstring text(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, &text[0], wide);
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wide, nullptr, 0,
                                    nullptr, &lossy);
  if (n <= 0 || lossy) return false;
  out->assign(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wide, &(*out)[0], n, nullptr,
                      &lossy);
  return !lossy;
}
#else
// File names are UTF-8 bytes as they stand.
bool SystemFileName(const std::string& utf8, std::string* out) {
  *out = utf8;
  return true;
}
#endif

// The last part of a path.
std::string FileNameOf(const std::string& path) {
#ifdef _WIN32
  const size_t slash = path.find_last_of("/\\:");
#else
  const size_t slash = path.rfind('/');
#endif
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new folder inside dir under a name nobody else uses.
bool MakeStaging(const std::string& dir, std::string* staging, std::string* error) {
  std::random_device device;
  std::error_code code;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, ".zu-render-%08x", static_cast<unsigned>(device()));
    *staging = Join(dir, name);
    if (fs::create_directory(*staging, code)) return true;
    if (code) return FailPath(error, "write in", dir, code);
  }
  *error = "cannot write in " + Shown(dir) + ": no free temporary folder name";
  return false;
}

// Writes name whole into staging; a failure names the file as it would be
// named in dir.
bool WriteStaged(const std::string& staging, const std::string& dir, const std::string& name,
                 const void* data, size_t size, std::string* error) {
  const std::string path = Join(staging, name);
  if (WriteFileWhole(path.c_str(), data, size, error)) return true;
  const std::string staged = Shown(path);
  const size_t at = error->find(staged);
  if (at != std::string::npos) error->replace(at, staged.size(), Shown(Join(dir, name)));
  return false;
}

// The files of the render, in the order they are written.
struct Output {
  std::vector<SetSound> sounds;
  std::vector<std::string> fileNames;  // per sound, without extension
  std::vector<std::string> extras;     // events.txt and the set's own file
};

// About how many samples a sound takes: its envelope, cut by its buffer.
// Only the order of the work depends on it, never a byte of the output.
double RenderCost(const SetSound& sound) {
  double samples = 0.0;
  for (int variable : {2, 3, 5}) {  // attack, sustain, decay
    float t;
    std::memcpy(&t, &sound.block[variable], sizeof t);
    const double stage = static_cast<double>(t) * t * 100000.0;
    samples += stage == stage ? stage : 0.0;  // NaN counts as nothing
  }
  return std::min(samples, WaveCapacityFor(sound.bufferLength) / 2.0);
}

// The sounds longest first, so that no thread is left alone with a long one
// at the end.
std::vector<size_t> WorkOrder(const std::vector<SetSound>& sounds) {
  std::vector<double> cost;
  for (const SetSound& sound : sounds) cost.push_back(RenderCost(sound));
  std::vector<size_t> order(sounds.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return cost[a] > cost[b]; });
  return order;
}

// Renders and writes the sounds on threads, each taking the next sound.
class SoundWriter {
 public:
  SoundWriter(const Output& out, const std::string& staging, const std::string& dir, bool progress)
      : out_(out),
        order_(WorkOrder(out.sounds)),
        staging_(staging),
        dir_(dir),
        progress_(progress) {}

  bool Run(unsigned jobs, std::string* error) {
    std::vector<std::thread> threads;
    try {
      for (unsigned t = 0; t < jobs; ++t) threads.emplace_back([this] { Work(); });
    } catch (const std::system_error& e) {
      // Fewer threads do the same work; none at all is a failure.
      if (threads.empty()) {
        *error = std::string("cannot start a thread: ") + e.what();
        return false;
      }
    }
    for (std::thread& thread : threads) thread.join();
    if (progress_) std::fputc('\n', stderr);
    if (failed_) *error = firstError_;
    return !failed_;
  }

 private:
  void Work() {
    for (size_t k = next_++; k < order_.size() && !failed_; k = next_++) {
      const size_t i = order_[k];
      const std::vector<uint8_t> wave = RenderSetSound(out_.sounds[i]);
      const std::vector<uint8_t> sfs = SetSoundParamFile(out_.sounds[i]);
      if (!Write(out_.fileNames[i] + ".wav", wave) || !Write(out_.fileNames[i] + ".sfs", sfs)) {
        return;
      }
      const size_t done = ++done_;
      if (progress_) {
        std::fprintf(stderr, "\rzider-sfx: rendered %zu of %zu sounds", done, out_.sounds.size());
      }
    }
  }

  bool Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string error;
    if (WriteStaged(staging_, dir_, name, bytes.data(), bytes.size(), &error)) return true;
    std::lock_guard<std::mutex> lock(mutex_);
    if (!failed_) firstError_ = error;
    failed_ = true;
    return false;
  }

  const Output& out_;
  const std::vector<size_t> order_;
  const std::string staging_;
  const std::string dir_;
  const bool progress_;
  std::atomic<size_t> next_{0};
  std::atomic<size_t> done_{0};
  std::atomic<bool> failed_{false};
  std::mutex mutex_;
  std::string firstError_;
};

// Every file name of the render, in writing order.
std::vector<std::string> AllFiles(const Output& out) {
  std::vector<std::string> files;
  for (const std::string& name : out.fileNames) {
    files.push_back(name + ".wav");
    files.push_back(name + ".sfs");
  }
  files.insert(files.end(), out.extras.begin(), out.extras.end());
  return files;
}

// The folder exists (made when missing) and no target is a folder.
bool PrepareDir(const std::string& dir, const std::vector<std::string>& files, std::string* error) {
  std::error_code code;
  if (!fs::is_directory(dir, code)) {
    if (fs::exists(fs::symlink_status(dir, code))) {
      *error = "cannot write in " + Shown(dir) + ": not a folder";
      return false;
    }
    if (!fs::create_directory(dir, code) && code)
      return FailPath(error, "make the folder", dir, code);
  }
  for (const std::string& file : files) {
    if (fs::is_directory(Join(dir, file), code)) {
      *error = "cannot write " + Shown(Join(dir, file)) + ": a folder is in the way";
      return false;
    }
  }
  return true;
}

bool WriteExtras(const Output& out, const std::string& staging, const std::string& dir,
                 const std::string& events, const std::string& set, std::string* error) {
  const std::string* texts[] = {&events, &set};
  for (size_t i = 0; i < out.extras.size(); ++i) {
    if (!WriteStaged(staging, dir, out.extras[i], texts[i]->data(), texts[i]->size(), error)) {
      return false;
    }
  }
  return true;
}

// Moves every file from staging into dir, then removes staging.
bool MoveIntoPlace(const std::vector<std::string>& files, const std::string& staging,
                   const std::string& dir, std::string* error) {
  std::error_code code;
  for (const std::string& file : files) {
    fs::rename(Join(staging, file), Join(dir, file), code);
    if (code) return FailPath(error, "write", Join(dir, file), code);
  }
  fs::remove(staging, code);
  return true;
}

}  // namespace

bool RenderSetToDir(const RenderSetJob& job, std::string* error) {
  Output out;
  if (!ReadSoundSetFile(job.setPath.c_str(), &out.sounds, error)) return false;
  const std::vector<std::string> names = SetFileNames(out.sounds);
  for (const std::string& name : names) {
    out.fileNames.emplace_back();
    if (!SystemFileName(name, &out.fileNames.back())) {
      *error = "cannot write " + Shown(Join(job.dir, name)) +
               ".wav: the name has characters this system's code page lacks";
      return false;
    }
  }
  const std::string setName = FileNameOf(job.setPath);
  const size_t dot = setName.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? setName : setName.substr(0, dot);
  out.extras = {"events.txt", (stem.empty() ? "set" : stem) + ".zus"};
  const std::string events = SetEventListing(out.sounds, names, setName);
  const std::string set = WriteSoundSet(out.sounds);

  const std::string& dir = job.dir;
  const std::vector<std::string> files = AllFiles(out);
  std::string staging;
  if (!PrepareDir(dir, files, error) || !MakeStaging(dir, &staging, error)) return false;
  unsigned jobs = job.jobs != 0 ? job.jobs : std::thread::hardware_concurrency();
  if (jobs == 0) jobs = 1;
  if (jobs > out.sounds.size())
    jobs = std::max<unsigned>(1, static_cast<unsigned>(out.sounds.size()));
  SoundWriter writer(out, staging, dir, job.progress && !out.sounds.empty());
  bool ok = writer.Run(jobs, error) && WriteExtras(out, staging, dir, events, set, error) &&
            MoveIntoPlace(files, staging, dir, error);
  if (!ok) {
    std::error_code code;
    fs::remove_all(staging, code);
  }
  return ok;
}

namespace sfx {

bool RunRenderSet(const Step& step, Session& session) {
  const RenderSetJob job{step.text, session.renderDir, session.jobs, isatty(fileno(stderr)) != 0};
  return RenderSetToDir(job, &session.error);
}

}  // namespace sfx

}  // namespace zu
