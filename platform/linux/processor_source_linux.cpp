#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/cpuinfo.h"
#include "platform/processor_source.h"

namespace wexmora::platform {
namespace {

class CpuinfoProcessorSource : public ProcessorSource {
 public:
  explicit CpuinfoProcessorSource(std::string path) : path_(std::move(path)) {}
  std::string readcpuname() override { return read(&ProcessorDescription::brand); }
  std::string readcpuid() override { return read(&ProcessorDescription::identifier); }

 private:
  // An unreadable file stands for a missing processor description; an empty
  // one is a description without a name (the stream reports both alike).
  std::string read(std::string ProcessorDescription::*part) const {
    std::ifstream in(path_);
    std::stringstream text;
    if (!in) return kMissingKey;
    if (!(text << in.rdbuf())) {
      std::error_code error;
      const bool empty =
          std::filesystem::is_regular_file(path_, error) && std::filesystem::file_size(path_, error) == 0;
      if (!empty || error) return kMissingKey;
    }
    return parseCpuinfo(text.str()).*part;
  }
  std::string path_;
};

}  // namespace

std::unique_ptr<ProcessorSource> systemProcessorSource() {
  return std::make_unique<CpuinfoProcessorSource>("/proc/cpuinfo");
}

}  // namespace wexmora::platform
