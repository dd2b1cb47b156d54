// Any bytes as Linux's processor files: the input cut at NUL bytes gives the
// texts of /proc/cpuinfo, the online list, and for processors 0 to 3 their
// package, core and die numbers, highest clock and three caches (level,
// type, size, sharing list), in that order; files past the last part are
// missing.
//
// What must hold: reading twice gives the same facts; cores are at most
// threads, no threads means no packages; a clock is 0 or 1 to 100,000 MHz;
// cache sizes are above zero; the technologies are known names, each once,
// in the catalogue's order, "HT" or "SMT" exactly when cores are fewer than
// threads; and the files read stay bounded by the processors listed.
#include <algorithm>
#include <map>

#include "fuzz_support.h"
#include "platform/processor_files.h"
#include "platform/processor_topology.h"
#include "support/machine_facts_fakes.h"

namespace {

using namespace wexmora;
using fuzz::shown;

constexpr int kProcessors = 4;
constexpr int kCaches = 3;

std::vector<std::string> slotPaths() {
  std::vector<std::string> paths = {"proc/cpuinfo", "sys/devices/system/cpu/online"};
  for (int cpu = 0; cpu < kProcessors; ++cpu) {
    const std::string dir = "sys/devices/system/cpu/cpu" + std::to_string(cpu) + "/";
    for (const char* file :
         {"topology/physical_package_id", "topology/core_id", "topology/die_id", "cpufreq/cpuinfo_max_freq"})
      paths.push_back(dir + file);
    for (int index = 0; index < kCaches; ++index)
      for (const char* file : {"level", "type", "size", "shared_cpu_list"})
        paths.push_back(dir + "cache/index" + std::to_string(index) + "/" + file);
  }
  return paths;
}

// Every technology name the reader may give, in the catalogue's order.
const std::vector<std::string> kNames = {
    "AVX2",   "AVX-512", "EPT", "TSX-NI", "TMT",   "SK",     "HT",  "SMT",  "SSE",   "SSE2", "SSE3", "SSSE3", "SSE4.1",
    "SSE4.2", "SSE4A",   "MMX", "EM64T",  "AMD64", "x86-64", "AES", "VT-x", "AMD-V", "AVX",  "FMA3", "FMA4",  "SHA"};

std::string described(const platform::MachineFacts& f) {
  std::string text = std::to_string(f.packages) + " packages, " + std::to_string(f.cores) + " cores, " +
                     std::to_string(f.threads) + " threads, " + std::to_string(f.maxMhz) + " MHz,";
  for (const auto& name : f.technologies) text += " " + name;
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::string> paths = slotPaths();
  testing::MemoryFileTree tree;
  const auto parts = fuzz::fields(data, size);
  for (std::size_t i = 0; i < parts.size() && i < paths.size(); ++i) tree.files[paths[i]] = parts[i];

  const platform::MachineFacts facts = platform::readLinuxMachineFacts(tree);
  const std::size_t reads = tree.reads.size();
  const auto context = [&] {
    return ": " + described(facts) + " from " + shown(fuzz::asText(data, std::min<std::size_t>(size, 200)));
  };

  FUZZ_CHECK(platform::readLinuxMachineFacts(tree) == facts, "a second reading differs" + context());
  FUZZ_CHECK(facts.cores >= 0 && facts.cores <= facts.threads, "cores" + context());
  FUZZ_CHECK(facts.threads <= platform::kMaxLogicalProcessors && (facts.packages == 0) == (facts.threads == 0),
             "threads and packages" + context());
  FUZZ_CHECK(facts.maxMhz == 0 || (facts.maxMhz >= 1 && facts.maxMhz <= 100'000), "clock" + context());
  FUZZ_CHECK(facts.l2Bytes.value_or(1) > 0 && facts.l3Bytes.value_or(1) > 0, "an empty cache" + context());

  std::size_t last = 0;
  bool smtNamed = false;
  for (std::size_t i = 0; i < facts.technologies.size(); ++i) {
    const auto at = std::find(kNames.begin(), kNames.end(), facts.technologies[i]);
    FUZZ_CHECK(at != kNames.end(), "unknown technology " + facts.technologies[i] + context());
    const auto position = static_cast<std::size_t>(at - kNames.begin());
    FUZZ_CHECK(i == 0 || position > last, "technologies out of order or twice" + context());
    last = position;
    smtNamed = smtNamed || *at == "HT" || *at == "SMT";
  }
  FUZZ_CHECK(smtNamed == (facts.cores > 0 && facts.threads > facts.cores), "HT or SMT" + context());

  // At most: cpuinfo, the online list, the lists of a hybrid's performance
  // and efficient cores, and per processor tried three topology files, the
  // clock and four files of each possible cache index.
  const auto online =
      parts.size() > 1 ? platform::parseCpuList(parts[1], platform::kMaxLogicalProcessors) : std::nullopt;
  const std::size_t tried = online ? online->size() : platform::kMaxLogicalProcessors;
  FUZZ_CHECK(reads <= 4 + tried * (4 + 16 * 4), std::to_string(reads) + " files read" + context());
  return 0;
}
