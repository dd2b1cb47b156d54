#pragma once
// Linux single-instance flag: an advisory flock on a per-user file named
// after RegWexmora. The kernel drops the lock when the process dies, so a
// killed instance never blocks the next start.
#include <string>

#include "platform/instance_lock.h"

namespace wexmora::platform {

class LockFile : public InstanceLock {
 public:
  explicit LockFile(std::string path);
  ~LockFile() override;
  bool acquire() override;
  // $XDG_RUNTIME_DIR/RegWexmora.lock, else /tmp/RegWexmora-<uid>.lock.
  static std::string defaultPath();

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace wexmora::platform
