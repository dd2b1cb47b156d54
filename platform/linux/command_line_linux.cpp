#include "platform/command_line.h"

namespace wexmora::platform {

std::vector<std::string> utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void useUtf8Output() {}  // bytes go out as written

}  // namespace wexmora::platform
