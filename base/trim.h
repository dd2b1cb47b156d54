#pragma once
// Trimming, the one implementation: the identification pass trims characters
// with codes 0 to 32, the cpuinfo reader blanks and tabs, the settings file
// blanks, tabs and carriage returns.
#include <string_view>

namespace wexmora::base {

// `text` without the characters with codes 0 to 32 at either end.
std::string_view trim(std::string_view text);

// `text` without the listed characters at either end.
std::string_view trim(std::string_view text, std::string_view characters);

}  // namespace wexmora::base
