#include <exception>

#include "platform/machine_state.h"

namespace wexmora::platform {
namespace {

// Windows has no files of SMT control, offline processors or container
// limits to read: one logical processor per core shows in the machine's
// facts, and CPUID names the hypervisor.
class WindowsMachineStateSource : public MachineStateSource {
 public:
  MachineState read() const override {
    try {
      return readWindowsMachineState(*makeCpuid());
    } catch (const std::exception&) {
      return {};
    }
  }
};

}  // namespace

std::unique_ptr<MachineStateSource> makeMachineStateSource() { return std::make_unique<WindowsMachineStateSource>(); }

}  // namespace wexmora::platform
