#include <exception>

#include "platform/machine_facts.h"
#include "platform/processor_files.h"

namespace wexmora::platform {
namespace {

class LinuxMachineFactsSource : public MachineFactsSource {
 public:
  MachineFacts read() const override {
    try {
      return readLinuxMachineFacts(DirectoryTree("/"));
    } catch (const std::exception&) {  // out of memory: the facts stay unknown
      return {};
    }
  }
};

}  // namespace

std::unique_ptr<MachineFactsSource> makeMachineFactsSource() { return std::make_unique<LinuxMachineFactsSource>(); }

}  // namespace wexmora::platform
