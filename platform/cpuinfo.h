#pragma once
// Reads the processor description out of the text of /proc/cpuinfo: the
// first processor's "model name" as the brand string, and its vendor, family,
// model and stepping written the way Windows writes the identifier.
#include <string>
#include <string_view>

namespace wexmora::platform {

struct ProcessorDescription {
  std::string brand;       // empty when the file has no "model name"
  std::string identifier;  // empty when family, model or stepping is missing
};

ProcessorDescription parseCpuinfo(std::string_view cpuinfo);

}  // namespace wexmora::platform
