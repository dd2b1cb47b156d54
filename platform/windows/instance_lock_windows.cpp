#include <windows.h>

#include "platform/instance_lock.h"

namespace wexmora::platform {
namespace {

// The named mutex RegWexmora in the session's local namespace, not initially
// owned. The handle stays open (and the mutex owned) for the life of the
// process; Windows releases it when the process ends, however it ends.
class MutexInstanceLock : public InstanceLock {
 public:
  bool acquire() override {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"RegWexmora");
    // Acquired, abandoned by an instance that died, or no mutex at all: run.
    // Only a time-out means that another instance owns it.
    return WaitForSingleObject(mutex, 0) != WAIT_TIMEOUT;
  }
};

}  // namespace

std::unique_ptr<InstanceLock> systemInstanceLock() { return std::make_unique<MutexInstanceLock>(); }

}  // namespace wexmora::platform
