#include "platform/sleeper.h"

#include <chrono>
#include <thread>

namespace wexmora::platform {

void ThreadSleeper::sleepMs(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace wexmora::platform
