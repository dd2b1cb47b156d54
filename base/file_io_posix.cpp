#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/file_io.h"

namespace wexmora::base::file_io {

int createNew(const std::filesystem::path& path, FileAccess access) {
  const mode_t mode = access == FileAccess::OwnerOnly ? 0600 : 0666;  // less the umask
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
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
