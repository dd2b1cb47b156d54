#include <windows.h>

#include "platform/windows/named_mutex.h"

namespace wexmora::platform {

bool NamedMutexLock::acquire() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name_.c_str());
  return WaitForSingleObject(mutex, 0) != WAIT_TIMEOUT;
}

std::unique_ptr<InstanceLock> systemInstanceLock() { return std::make_unique<NamedMutexLock>(); }

}  // namespace wexmora::platform
