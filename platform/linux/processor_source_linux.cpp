#include <filesystem>

#include "platform/cpuinfo.h"
#include "platform/linux/whole_file.h"
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
  // regular file is a description without a name (an empty read of anything
  // else counts as unreadable).
  std::string read(std::string ProcessorDescription::*part) const {
    const auto text = readWholeFile(path_);
    if (!text) return kMissingKey;
    if (text->empty()) {
      std::error_code error;
      const bool empty =
          std::filesystem::is_regular_file(path_, error) && std::filesystem::file_size(path_, error) == 0;
      if (!empty || error) return kMissingKey;
    }
    return parseCpuinfo(*text).*part;
  }
  std::string path_;
};

}  // namespace

std::unique_ptr<ProcessorSource> systemProcessorSource() {
  return std::make_unique<CpuinfoProcessorSource>("/proc/cpuinfo");
}

}  // namespace wexmora::platform
