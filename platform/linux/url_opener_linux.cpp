#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>
#include <string_view>
#include <thread>

#include "platform/url_opener.h"

extern char** environ;

namespace wexmora::platform {
namespace {

// Starts xdg-open with the address as its only argument, straight from argv
// (no shell), and leaves it running. A detached thread reaps it when it ends,
// so no zombie stays behind. Failures are ignored: nothing is reported when
// no browser can be started.
class XdgUrlOpener : public UrlOpener {
 public:
  void open(const std::string& url) override {
    // Only web addresses: an empty text (links never built) or anything else
    // would make xdg-open guess at files or options.
    if (!std::string_view(url).starts_with("https://") && !std::string_view(url).starts_with("http://")) return;
    std::string program = "xdg-open";
    std::string argument = url;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) != 0) return;
    try {
      std::thread([child] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
      }).detach();
    } catch (...) {
      // No thread to be had: the child is reaped when the program ends.
    }
  }
};

}  // namespace

std::unique_ptr<UrlOpener> systemUrlOpener() { return std::make_unique<XdgUrlOpener>(); }

}  // namespace wexmora::platform
