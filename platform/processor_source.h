#pragma once
// Where the processor's brand string and identifier come from: the registry
// on Windows, /proc/cpuinfo on Linux, a fixed pair in tests and tools.
#include <memory>
#include <string>

namespace wexmora::platform {

// Returned by both readers when the processor description does not exist.
inline constexpr const char* kMissingKey = "???";

class ProcessorSource {
 public:
  virtual ~ProcessorSource() = default;
  // readcpuname: the brand string exactly as stored, blanks included.
  virtual std::string readcpuname() = 0;
  // readcpuid: e.g. "Intel64 Family 6 Model 158 Stepping 10".
  virtual std::string readcpuid() = 0;
};

// A source that answers with fixed texts.
class FixedProcessorSource : public ProcessorSource {
 public:
  FixedProcessorSource(std::string brand, std::string identifier)
      : brand_(std::move(brand)), identifier_(std::move(identifier)) {}
  std::string readcpuname() override { return brand_; }
  std::string readcpuid() override { return identifier_; }

 private:
  std::string brand_, identifier_;
};

// This machine's processor description.
std::unique_ptr<ProcessorSource> systemProcessorSource();

}  // namespace wexmora::platform
