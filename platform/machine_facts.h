#pragma once
// What the system itself says about the processor the program runs on:
// cores, threads, caches, instruction-set features and the highest clock.
// Linux reads /proc/cpuinfo and /sys/devices/system/cpu, Windows the
// processor topology, the registry and the CPUID instruction; tests use a
// fake. Every figure is for one processor (package), as a data sheet shows
// it; a figure the system does not give stays unknown, never guessed.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace wexmora::platform {

struct MachineFacts {
  int packages = 0;                      // processors (sockets) with online logical processors; 0 when unknown
  int cores = 0;                         // online cores of one processor; 0 when unknown
  int threads = 0;                       // online logical processors of one processor; 0 when unknown
  std::optional<std::uint64_t> l2Bytes;  // all level-2 caches of one processor
  std::optional<std::uint64_t> l3Bytes;  // all level-3 caches of one processor
  int maxMhz = 0;                        // the highest clock the system allows; 0 when unknown
  // Technology names as the catalogue writes them ("SSE4.2", "AVX2", "VT-x",
  // "AMD-V", "EM64T"...), in the catalogue's order.
  std::vector<std::string> technologies;
  // A hybrid processor's online cores by kind (Linux's cpu_core and cpu_atom
  // devices, Windows' efficiency classes); all 0 for a processor of one
  // kind of core, and where the system does not say.
  int performanceCores = 0, efficientCores = 0, lowPowerCores = 0;

  bool operator==(const MachineFacts&) const = default;
};

// A cache size in the catalogue's form: "9 Mb", "1.5 Mb", "19.25 Mb", and
// below one megabyte "512 Kb" (sizes in binary units, as the maker's data
// sheets give them). Fractions beyond two decimals are rounded.
std::string cacheText(std::uint64_t bytes);

class MachineFactsSource {
 public:
  virtual ~MachineFactsSource() = default;
  // Never throws and never blocks for long: a system that hides or garbles
  // a fact leaves it unknown.
  virtual MachineFacts read() const = 0;
};

// Another source's facts, asked of it once however often they are read: the
// pass reads them when no table knows the processor, the check against the
// machine and wexmora-info's "machine" read them again.
class MachineFactsReadOnce : public MachineFactsSource {
 public:
  explicit MachineFactsReadOnce(const MachineFactsSource& source) : source_(source) {}
  MachineFacts read() const override {
    if (!facts_) facts_ = source_.read();
    return *facts_;
  }

 private:
  const MachineFactsSource& source_;
  mutable std::optional<MachineFacts> facts_;
};

// This machine's facts, read by the system's own means.
std::unique_ptr<MachineFactsSource> makeMachineFactsSource();

}  // namespace wexmora::platform
