#include "platform/cpuinfo.h"

#include <optional>
#include <string>

#include "base/trim.h"
#include "platform/vendor.h"

namespace wexmora::platform {
namespace {

// The names read from the first processor block, in the order of Fields.
constexpr std::string_view kNames[] = {"model name", "vendor_id", "cpu family", "model", "stepping"};
enum Field { kModelName, kVendor, kFamily, kModel, kStepping, kFieldCount };

std::string architecture(std::string_view vendorId) {
  switch (vendorOf(vendorId)) {
    case Vendor::Intel:
      return "Intel64";
    case Vendor::Amd:
      return "AMD64";
    case Vendor::Other:
      break;
  }
  return "x86";
}

std::string trimmed(std::string_view value) { return std::string(base::trim(value, kCpuinfoBlanks)); }

}  // namespace

void forEachCpuinfoField(std::string_view text, const std::function<bool(const CpuinfoField&)>& field) {
  int block = 0;
  bool inBlock = false;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) {
      if (inBlock && base::trim(line, kCpuinfoBlanks).empty()) {  // the blank line that ends a block
        ++block;
        inBlock = false;
      }
      continue;
    }
    inBlock = true;
    auto value = line.substr(colon + 1);
    if (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    if (!field(CpuinfoField{block, base::trim(line.substr(0, colon), kCpuinfoBlanks), value})) return;
  }
}

ProcessorDescription parseCpuinfo(std::string_view cpuinfo) {
  // The first value of each wanted name in the first block; the text is
  // only looked at, never copied.
  std::optional<std::string_view> values[kFieldCount];
  forEachCpuinfoField(cpuinfo, [&](const CpuinfoField& line) {
    if (line.block > 0) return false;
    for (int field = 0; field < kFieldCount; ++field)
      if (line.name == kNames[field] && !values[field]) values[field] = line.value;
    return true;
  });
  ProcessorDescription result;
  if (values[kModelName]) result.brand = std::string(*values[kModelName]);
  if (values[kFamily] && values[kModel] && values[kStepping]) {
    result.identifier = architecture(values[kVendor].value_or("")) + " Family " + trimmed(*values[kFamily]) +
                        " Model " + trimmed(*values[kModel]) + " Stepping " + trimmed(*values[kStepping]);
  }
  return result;
}

}  // namespace wexmora::platform
