// safe_file.h on POSIX systems: a temporary made with O_CREAT | O_EXCL |
// O_NOFOLLOW beside the target, written, synced, closed, then renamed over it.
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "fileio/file_text.h"
#include "fileio/safe_file.h"

namespace zu {
namespace {

using fileio::Failure;

bool FailureErrno(std::string* error, const char* verb, const char* path, int code) {
  return Failure(error, verb, path, std::strerror(code));
}

// Follows symbolic links from *path to the name of the file they lead to,
// which need not exist (a dangling link names the file to create).
bool ResolveLinks(std::string* path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (lstat(path->c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::vector<char> text(static_cast<size_t>(st.st_size) + 2);
    const ssize_t n = readlink(path->c_str(), text.data(), text.size());
    if (n < 0) return false;
    if (static_cast<size_t>(n) >= text.size()) {  // the link changed meanwhile
      errno = EAGAIN;
      return false;
    }
    const std::string target(text.data(), static_cast<size_t>(n));
    *path = target[0] == '/' ? target : fileio::FolderOf(*path, "/") + target;
  }
  errno = ELOOP;
  return false;
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool RandomBytes(uint8_t* out, size_t size) {
  if (getentropy(out, size) == 0) return true;
  const int fd = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  size_t got = 0;
  while (got < size) {
    const ssize_t n = read(fd, out + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  close(fd);
  if (got < size) errno = EIO;
  return got == size;
}

// Gives the new file the replaced file's owner (where allowed) and permission
// bits. A mode that cannot be set is accepted only when it is not more open.
bool KeepOwnerAndMode(int fd, const struct stat& old) {
  const bool owned = fchown(fd, old.st_uid, old.st_gid) == 0 ||
                     fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
  static_cast<void>(owned);  // best effort: only root may give a file to another user
  if (fchmod(fd, old.st_mode & 07777) == 0) return true;
  const int code = errno;
  struct stat now;
  if (fstat(fd, &now) == 0 && (now.st_mode & ~old.st_mode & 0777) == 0) return true;
  errno = code;
  return false;
}

// A device or a FIFO: written in place, since it cannot be replaced.
bool WriteInPlace(const char* path, const std::string& target, const uint8_t* data, size_t size,
                  std::string* error) {
  const int fd = open(target.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return FailureErrno(error, "write", path, errno);
  const bool written = WriteAll(fd, data, size);
  const int code = errno;
  if (close(fd) != 0 && written) return FailureErrno(error, "write", path, errno);
  return written || FailureErrno(error, "write", path, code);
}

// A new file beside target, renamed over it once complete.
bool WriteAndReplace(const char* path, const std::string& target, const struct stat* old,
                     const uint8_t* data, size_t size, std::string* error) {
  const std::string folder = fileio::FolderOf(target, "/");
  const mode_t createMode = old != nullptr ? (old->st_mode & 0777) : 0666;
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < fileio::kTempNameAttempts; ++attempt) {
    uint8_t random[fileio::kTempNameRandomBytes];
    if (!RandomBytes(random, sizeof random)) return FailureErrno(error, "write", path, errno);
    temp = folder + fileio::TempName(random);
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
    if (fd < 0 && errno != EEXIST) return FailureErrno(error, "write", path, errno);
  }
  if (fd < 0) return FailureErrno(error, "write", path, EEXIST);

  bool ok =
      (old == nullptr || KeepOwnerAndMode(fd, *old)) && WriteAll(fd, data, size) && fsync(fd) == 0;
  int code = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (ok && rename(temp.c_str(), target.c_str()) != 0) {
    ok = false;
    code = errno;
  }
  if (ok) return true;
  unlink(temp.c_str());
  return FailureErrno(error, "write", path, code);
}

// Names the kind of a file that is not a regular one.
const char* KindOf(mode_t mode) {
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "an unusual file";
}

// Opens path for reading when it is a regular file, without waiting for a
// writer of a FIFO; the descriptor, or -1 with *error set.
int OpenRegular(const char* path, struct stat* st, std::string* error) {
  if (path == nullptr || *path == '\0') {
    Failure(error, "read", "", "no file name");
    return -1;
  }
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    FailureErrno(error, "read", path, errno);
    return -1;
  }
  if (fstat(fd, st) != 0) {
    const int code = errno;
    close(fd);
    FailureErrno(error, "read", path, code);
    return -1;
  }
  if (S_ISREG(st->st_mode)) return fd;
  close(fd);
  if (S_ISDIR(st->st_mode)) {
    FailureErrno(error, "read", path, EISDIR);
  } else if (error != nullptr) {
    Failure(error, "read", path, std::string("not a regular file (") + KindOf(st->st_mode) + ")");
  }
  return -1;
}

// Reads until capacity bytes are in buffer or the file ends; *total counts
// them. False with errno set on a read error.
bool ReadUpTo(int fd, uint8_t* buffer, size_t capacity, size_t* total) {
  *total = 0;
  while (*total < capacity) {
    const ssize_t n = read(fd, buffer + *total, capacity - *total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    *total += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool WriteFileWhole(const char* path, const void* data, size_t size, std::string* error) {
  if (path == nullptr || *path == '\0') return Failure(error, "write", "", "no file name");
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  std::string target = path;
  if (!ResolveLinks(&target)) return FailureErrno(error, "write", path, errno);
  struct stat st;
  if (stat(target.c_str(), &st) != 0) {
    if (errno != ENOENT) return FailureErrno(error, "write", path, errno);
    return WriteAndReplace(path, target, nullptr, bytes, size, error);
  }
  if (S_ISDIR(st.st_mode)) return FailureErrno(error, "write", path, EISDIR);
  if (!S_ISREG(st.st_mode)) return WriteInPlace(path, target, bytes, size, error);
  // Renaming over a read-only file would succeed; its owner meant it to stay.
  if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    return FailureErrno(error, "write", path, errno);
  }
  return WriteAndReplace(path, target, &st, bytes, size, error);
}

bool ReadFileStart(const char* path, uint8_t* buffer, size_t capacity, size_t* got,
                   std::string* error) {
  *got = 0;
  struct stat st;
  const int fd = OpenRegular(path, &st, error);
  if (fd < 0) return false;
  size_t total = 0;
  const bool ok = ReadUpTo(fd, buffer, capacity, &total);
  const int code = errno;
  close(fd);
  if (!ok) return FailureErrno(error, "read", path, code);
  *got = total;
  return true;
}

bool ReadFileWhole(const char* path, size_t limit, FileBytes* out, std::string* error) {
  *out = FileBytes();
  struct stat st;
  const int fd = OpenRegular(path, &st, error);
  if (fd < 0) return false;
  if (!fileio::AllocateWhole(static_cast<uint64_t>(st.st_size), limit, path, out, error)) {
    close(fd);
    return false;
  }
  size_t total = 0;
  uint8_t beyond = 0;
  size_t more = 0;
  const bool ok =
      ReadUpTo(fd, out->data.get(), out->size, &total) && ReadUpTo(fd, &beyond, 1, &more);
  const int code = errno;
  close(fd);
  if (ok && total == out->size && more == 0) return true;
  const size_t size = out->size;
  *out = FileBytes();
  if (!ok) return FailureErrno(error, "read", path, code);
  return fileio::Failure(error, "read", path,
                         size == total ? "it grew while being read" : "it shrank while being read");
}

}  // namespace zu
