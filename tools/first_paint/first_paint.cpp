// wexmora-first-paint: how long a program takes from its launch to its first
// painted frame on an X display, seen from outside the program. It watches the
// root window for new top-level windows, asks the DAMAGE extension to report
// drawing into each of them, starts the program and stops the clock at the
// first drawing into one that is mapped. The program is then ended.
//
//   wexmora-first-paint [--timeout-ms N] PROGRAM [ARGUMENTS...]
//
// prints one line: "first-paint-ms 123.456 size 462x358" (client size of the
// window painted). Exit code 0 on success, 1 when the program painted nothing
// in time or ended first, 2 on a usage or display error.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Window {
  int width = 0, height = 0;
  bool mapped = false;
};

struct Painted {
  double milliseconds = 0;
  Window window;
};

void usage() { std::fprintf(stderr, "usage: wexmora-first-paint [--timeout-ms N] PROGRAM [ARGUMENTS...]\n"); }

// Ends the program: politely first, then for sure, so that the next launch
// finds its single-instance lock free.
void endProgram(pid_t pid) {
  ::kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (::waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
}

class Watcher {
 public:
  explicit Watcher(xcb_connection_t* connection) : connection_(connection) {}

  // Subscribes to the root window's new children and readies DAMAGE; false
  // when the display lacks the extension.
  bool start() {
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (!damage || !damage->present) return false;
    damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
    // DAMAGE answers no other request before the version is agreed.
    std::free(xcb_damage_query_version_reply(
        connection_, xcb_damage_query_version(connection_, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the subscription holds before the program starts.
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    return true;
  }

  // Handles the events at hand; true once a mapped window was drawn into.
  bool handleEvents(Painted& painted, Clock::time_point launched) {
    while (xcb_generic_event_t* raw = xcb_poll_for_event(connection_)) {
      const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(raw, &std::free);
      const int type = event->response_type & 0x7f;
      if (type == damageEvent_) {
        const auto* damage = reinterpret_cast<const xcb_damage_notify_event_t*>(raw);
        const auto found = windows_.find(damage->drawable);
        if (found == windows_.end() || !found->second.mapped) continue;
        painted.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - launched).count();
        painted.window = found->second;
        return true;
      }
      switch (type) {
        case XCB_CREATE_NOTIFY: {
          const auto* created = reinterpret_cast<const xcb_create_notify_event_t*>(raw);
          if (created->parent != root_) break;
          windows_[created->window] = {created->width, created->height, false};
          xcb_damage_create(connection_, xcb_generate_id(connection_), created->window,
                            XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
          xcb_flush(connection_);
          break;
        }
        case XCB_CONFIGURE_NOTIFY: {
          const auto* configured = reinterpret_cast<const xcb_configure_notify_event_t*>(raw);
          if (auto found = windows_.find(configured->window); found != windows_.end()) {
            found->second.width = configured->width;
            found->second.height = configured->height;
          }
          break;
        }
        case XCB_MAP_NOTIFY: {
          const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(raw);
          if (auto found = windows_.find(map->window); found != windows_.end()) found->second.mapped = true;
          break;
        }
        default:  // errors from windows destroyed before DAMAGE reached them, and the rest
          break;
      }
    }
    return false;
  }

 private:
  xcb_connection_t* connection_;
  xcb_window_t root_ = XCB_NONE;
  int damageEvent_ = -1;
  std::map<xcb_window_t, Window> windows_;
};

}  // namespace

int main(int argc, char** argv) {
  int timeoutMs = 10000;
  int first = 1;
  if (first + 1 < argc && std::strcmp(argv[first], "--timeout-ms") == 0) {
    timeoutMs = std::atoi(argv[first + 1]);
    first += 2;
  }
  if (first >= argc || timeoutMs <= 0) {
    usage();
    return 2;
  }

  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "wexmora-first-paint: cannot open the display (is DISPLAY set?)\n");
    return 2;
  }
  Watcher watcher(connection);
  if (!watcher.start()) {
    std::fprintf(stderr, "wexmora-first-paint: the display has no DAMAGE extension\n");
    xcb_disconnect(connection);
    return 2;
  }

  const Clock::time_point launched = Clock::now();
  pid_t pid = 0;
  if (const int error = ::posix_spawnp(&pid, argv[first], nullptr, nullptr, argv + first, environ); error != 0) {
    std::fprintf(stderr, "wexmora-first-paint: cannot start %s: %s\n", argv[first], std::strerror(error));
    xcb_disconnect(connection);
    return 2;
  }

  Painted painted;
  bool done = false, ended = false;
  pollfd display{xcb_get_file_descriptor(connection), POLLIN, 0};
  while (!done && !ended) {
    done = watcher.handleEvents(painted, launched);
    if (done) break;
    if (xcb_connection_has_error(connection)) break;
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - launched).count();
    if (waited >= timeoutMs) break;
    ::poll(&display, 1, 20);  // wakes at once for an event; the slice notices a program that ended
    ended = ::waitpid(pid, nullptr, WNOHANG) == pid;
  }
  if (!ended) endProgram(pid);
  xcb_disconnect(connection);

  if (!done) {
    std::fprintf(stderr, "wexmora-first-paint: %s %s\n", argv[first],
                 ended ? "ended before painting a window" : "painted no window in time");
    return 1;
  }
  std::printf("first-paint-ms %.3f size %dx%d\n", painted.milliseconds, painted.window.width, painted.window.height);
  return 0;
}
