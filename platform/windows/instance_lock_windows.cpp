#include <windows.h>

#include "platform/instance_lock.h"

namespace wexmora::platform {
namespace {

// The named mutex RegWexmora, held (never released) for the life of the process.
class MutexInstanceLock : public InstanceLock {
 public:
  bool acquire() override {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "RegWexmora");
    return WaitForSingleObject(mutex, 0) != WAIT_TIMEOUT;
  }
};

}  // namespace

std::unique_ptr<InstanceLock> systemInstanceLock() { return std::make_unique<MutexInstanceLock>(); }

}  // namespace wexmora::platform
