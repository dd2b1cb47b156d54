#pragma once
// The single-instance flag "RegWexmora": a named mutex on Windows, an advisory
// lock on a per-user lock file on Linux. Either is released by the system when
// the process ends, however it ends.
#include <memory>

namespace wexmora::platform {

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // True unless another running instance holds the flag. Failing to create
  // the flag at all also answers true: the program then runs unprotected.
  virtual bool acquire() = 0;
};

std::unique_ptr<InstanceLock> systemInstanceLock();

}  // namespace wexmora::platform
