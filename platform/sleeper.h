#pragma once
// The fixed waits of the identification pass are blocking pauses of the
// calling thread; tests substitute a recorder.
#include <vector>

namespace wexmora::platform {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void sleepMs(int milliseconds) = 0;
};

class ThreadSleeper : public Sleeper {
 public:
  void sleepMs(int milliseconds) override;
};

// Records the waits instead of waiting.
class RecordingSleeper : public Sleeper {
 public:
  void sleepMs(int milliseconds) override { waits.push_back(milliseconds); }
  std::vector<int> waits;
};

}  // namespace wexmora::platform
