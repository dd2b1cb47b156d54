#pragma once
// The one reader of /proc/cpuinfo's text: blocks of "name : value" lines,
// one block per logical processor, separated by blank lines. The processor
// description is read out of it here (the first processor's "model name" as
// the brand string, and its vendor, family, model and stepping written the
// way Windows writes the identifier); the machine's facts read the same
// fields (processor_files.h).
#include <functional>
#include <string>
#include <string_view>

namespace wexmora::platform {

// What the file pads names and values with; a line of these alone is blank.
inline constexpr std::string_view kCpuinfoBlanks = " \t\r\n";

struct CpuinfoField {
  int block = 0;           // 0 for the first block, whatever its processor number
  std::string_view name;   // without the blanks around it
  std::string_view value;  // as written after the colon and the one blank after it: a brand keeps its own blanks
};

// Calls `field` for each "name : value" line of `text`, in order, until it
// returns false. Lines without a colon are skipped.
void forEachCpuinfoField(std::string_view text, const std::function<bool(const CpuinfoField&)>& field);

struct ProcessorDescription {
  std::string brand;       // empty when the file has no "model name"
  std::string identifier;  // empty when family, model or stepping is missing
};

ProcessorDescription parseCpuinfo(std::string_view cpuinfo);

}  // namespace wexmora::platform
