#pragma once
// Test doubles for the machine's facts: a source that answers with fixed
// facts, and a tree of files held in memory that records what was read.
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/machine_facts.h"
#include "platform/processor_files.h"

namespace wexmora::platform {

// How test failures show the facts.
inline void PrintTo(const MachineFacts& f, std::ostream* out) {
  *out << "{packages " << f.packages << ", cores " << f.cores << ", threads " << f.threads << ", L2 "
       << (f.l2Bytes ? std::to_string(*f.l2Bytes) : "-") << ", L3 " << (f.l3Bytes ? std::to_string(*f.l3Bytes) : "-")
       << ", " << f.maxMhz << " MHz, [";
  for (const auto& name : f.technologies) *out << name << " ";
  *out << "]}";
}

}  // namespace wexmora::platform

namespace wexmora::testing {

class FakeMachineFactsSource : public platform::MachineFactsSource {
 public:
  explicit FakeMachineFactsSource(platform::MachineFacts facts = {}) : facts(std::move(facts)) {}
  platform::MachineFacts read() const override {
    ++reads;
    return facts;
  }
  platform::MachineFacts facts;
  mutable int reads = 0;
};

// Files by path ("proc/cpuinfo", "sys/devices/system/cpu/online"...).
class MemoryFileTree : public platform::FileTree {
 public:
  MemoryFileTree() = default;
  explicit MemoryFileTree(std::map<std::string, std::string> files) : files(std::move(files)) {}
  std::optional<std::string> read(const std::string& path, std::size_t maxBytes) const override {
    reads.push_back(path);
    const auto file = files.find(path);
    if (file == files.end()) return std::nullopt;
    return file->second.substr(0, maxBytes);
  }
  std::map<std::string, std::string> files;
  mutable std::vector<std::string> reads;
};

}  // namespace wexmora::testing
