// Any bytes as the small texts the check against the machine reads: a
// cgroup v2 cpu.max, /proc/self/cgroup, the kernel's command line and
// smt/control.
//
// What must hold: a cpu.max reads as a quota (or "max") and a period, both
// above zero and at most a million seconds, and written back it reads the
// same; a cgroup path begins with "/" and has no empty, "." or ".." part,
// so that it stays under the cgroup root; "maxcpus=" gives a number below
// the processor limit, from a command line that has the word; smt/control is one of
// its five words exactly when it reads as a known state.
#include "fuzz_support.h"
#include "platform/machine_state.h"
#include "platform/processor_topology.h"

namespace {

using namespace wexmora;
using fuzz::shown;

constexpr std::uint64_t kMaxMicros = 1'000'000ull * 1'000'000ull;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::asText(data, size);

  if (const auto limit = platform::parseCpuMax(text)) {
    FUZZ_CHECK(limit->period > 0 && limit->period <= kMaxMicros, "period out of range: " + shown(text));
    FUZZ_CHECK(!limit->quota || (*limit->quota > 0 && *limit->quota <= kMaxMicros),
               "quota out of range: " + shown(text));
    const std::string again =
        (limit->quota ? std::to_string(*limit->quota) : std::string("max")) + " " + std::to_string(limit->period);
    FUZZ_CHECK(platform::parseCpuMax(again) == limit, "written back as " + shown(again) + " it reads otherwise");
  }

  if (const auto path = platform::parseCgroupPath(text)) {
    FUZZ_CHECK(!path->empty() && path->front() == '/', "not absolute: " + shown(*path));
    FUZZ_CHECK(text.find("0::" + *path) != std::string::npos, "not the file's: " + shown(*path));
    if (*path != "/") {
      std::string_view rest = std::string_view(*path).substr(1);
      while (true) {
        const auto slash = rest.find('/');
        const auto part = rest.substr(0, slash);
        FUZZ_CHECK(!part.empty() && part != "." && part != "..", "a part leaves the root: " + shown(*path));
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
      }
    }
  }

  if (const auto maxcpus = platform::parseMaxcpus(text)) {
    FUZZ_CHECK(*maxcpus >= 0 && *maxcpus < platform::kMaxLogicalProcessors, "maxcpus out of range: " + shown(text));
    FUZZ_CHECK(text.find("maxcpus=") != std::string::npos, "maxcpus not in the text: " + shown(text));
  }

  const auto smt = platform::parseSmtControl(text);
  std::string_view word = text;
  while (!word.empty() && std::string_view(" \t\r\n").find(word.back()) != std::string_view::npos)
    word.remove_suffix(1);
  while (!word.empty() && std::string_view(" \t\r\n").find(word.front()) != std::string_view::npos)
    word.remove_prefix(1);
  const bool known =
      word == "on" || word == "off" || word == "forceoff" || word == "notsupported" || word == "notimplemented";
  FUZZ_CHECK(known == (smt != platform::SmtControl::Unknown), "smt/control read wrongly: " + shown(text));
  return 0;
}
