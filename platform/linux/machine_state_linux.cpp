#include <exception>

#include "platform/machine_state.h"
#include "platform/processor_files.h"

namespace wexmora::platform {
namespace {

class LinuxMachineStateSource : public MachineStateSource {
 public:
  MachineState read() const override {
    try {
      return readLinuxMachineState(DirectoryTree("/"), *makeCpuid());
    } catch (const std::exception&) {  // out of memory: the state stays unknown
      return {};
    }
  }
};

}  // namespace

std::unique_ptr<MachineStateSource> makeMachineStateSource() { return std::make_unique<LinuxMachineStateSource>(); }

}  // namespace wexmora::platform
