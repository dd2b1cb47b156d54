#pragma once
// The fixed waits of the identification pass are blocking pauses of the
// calling thread; tests substitute a recorder.

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

// Skips the waits: they pace the window's start-up only, so wexmora-info and
// the render tool do without them.
class SkippingSleeper : public Sleeper {
 public:
  void sleepMs(int) override {}
};

}  // namespace wexmora::platform
