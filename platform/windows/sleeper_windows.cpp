#include <windows.h>

#include "platform/sleeper.h"

namespace wexmora::platform {

// A blocking pause of the window thread: nothing else runs meanwhile.
void ThreadSleeper::sleepMs(int milliseconds) { Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0); }

}  // namespace wexmora::platform
