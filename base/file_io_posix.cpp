#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/file_io.h"

namespace wexmora::base::file_io {

int createNew(const std::filesystem::path& path, FileAccess access) {
  const mode_t mode = access == FileAccess::OwnerOnly ? 0600 : 0666;  // less the umask
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd >= 0) ::flock(fd, LOCK_EX | LOCK_NB);  // held until the descriptor is closed
  return fd;
}

bool removeAbandoned(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return false;
  // Only a regular file that nobody holds locked, and still the one of that
  // name once the lock is ours.
  struct stat opened {};
  struct stat named {};
  const bool abandoned = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
                         ::lstat(path.c_str(), &named) == 0 && S_ISREG(opened.st_mode) &&
                         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
  const bool removed = abandoned && ::unlink(path.c_str()) == 0;
  ::close(fd);
  return removed;
}

int openExisting(const std::filesystem::path& path) {
  // Not blocking on the open: a pipe without a reader fails at once (ENXIO).
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool flush(int fd) { return ::fsync(fd) == 0; }

bool close(int fd) { return ::close(fd) == 0; }

void flushFolder(const std::filesystem::path& folder) {
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace wexmora::base::file_io
