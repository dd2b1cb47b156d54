#pragma once
// A Windows command line (UTF-16, with Windows' quoting rules) split into
// UTF-8 arguments.
#include <string>
#include <vector>

namespace wexmora::platform {

std::vector<std::string> argumentsFromCommandLine(const std::wstring& commandLine);

}  // namespace wexmora::platform
