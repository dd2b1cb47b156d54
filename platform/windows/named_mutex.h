#pragma once
// The single-instance flag on Windows: a named mutex in the session's local
// namespace ("RegWexmora" for the program).
#include <string>

#include "platform/instance_lock.h"

namespace wexmora::platform {

class NamedMutexLock : public InstanceLock {
 public:
  explicit NamedMutexLock(std::wstring name = L"RegWexmora") : name_(std::move(name)) {}
  // Creates or opens the mutex, not initially owned, and waits on it with a
  // zero time-out. Acquired, abandoned by an instance that died, or no mutex
  // at all: true. Only a time-out (another thread or process owns it) is
  // false. The handle stays open, the mutex owned, for the life of the
  // process; Windows releases it when the process ends, however it ends.
  bool acquire() override;

 private:
  std::wstring name_;
};

}  // namespace wexmora::platform
