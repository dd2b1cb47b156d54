#pragma once
// Opening the window system. Qt ends a program that cannot reach its display
// (no X server, a server that drops the connection while it starts) with
// abort(), which leaves a core dump and says "Aborted". While a
// DisplayGuard lives, that end is a line on stderr naming the display and
// exit code 1 instead; Qt's own messages are printed as before.
namespace wexmora::qt {

class DisplayGuard {
 public:
  DisplayGuard();
  ~DisplayGuard();
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;
};

}  // namespace wexmora::qt
