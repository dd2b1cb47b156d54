#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>

#include "base/file_io.h"

namespace wexmora::base::file_io {

int createNew(const std::filesystem::path& path, FileAccess) {
  return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const auto chunk = static_cast<unsigned>(std::min<std::size_t>(data.size(), 1u << 30));
    const int n = ::_write(fd, data.data(), chunk);
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool flush(int fd) { return ::_commit(fd) == 0; }

bool close(int fd) { return ::_close(fd) == 0; }

void flushFolder(const std::filesystem::path&) {}  // a rename is durable once it returns

}  // namespace wexmora::base::file_io
