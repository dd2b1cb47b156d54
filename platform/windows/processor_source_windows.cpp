#include "platform/processor_source.h"
#include "platform/windows/registry.h"

namespace wexmora::platform {
namespace {

constexpr const wchar_t* kProcessorKey = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

class RegistryProcessorSource : public ProcessorSource {
 public:
  std::string readcpuname() override {
    return readRegistryText(HKEY_LOCAL_MACHINE, kProcessorKey, "ProcessorNameString");
  }
  std::string readcpuid() override { return readRegistryText(HKEY_LOCAL_MACHINE, kProcessorKey, "Identifier"); }
};

}  // namespace

std::unique_ptr<ProcessorSource> systemProcessorSource() { return std::make_unique<RegistryProcessorSource>(); }

}  // namespace wexmora::platform
