#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/instance_lock.h"
#include "platform/lock_file.h"

namespace wexmora::platform {

LockFile::LockFile(std::string path) : path_(std::move(path)) {}

LockFile::~LockFile() = default;  // the descriptor stays open: the lock lives as long as the process

bool LockFile::acquire() {
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0) return true;  // no flag to be had: run unprotected
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
  ::close(fd_);
  fd_ = -1;
  return false;
}

std::string LockFile::defaultPath() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
    return std::string(runtime) + "/RegWexmora.lock";
  return "/tmp/RegWexmora-" + std::to_string(::getuid()) + ".lock";
}

std::unique_ptr<InstanceLock> systemInstanceLock() { return std::make_unique<LockFile>(LockFile::defaultPath()); }

}  // namespace wexmora::platform
