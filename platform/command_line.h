#pragma once
// A command-line program's arguments and output as UTF-8 on every system.
// Linux hands both over as they are. Windows gives the arguments as UTF-16
// (converted here) and would turn "\n" into "\r\n" and recode the console:
// standard output and error are switched to plain bytes, and a console is
// told to show them as UTF-8.
#include <string>
#include <vector>

namespace wexmora::platform {

// argv[0..argc) as UTF-8 texts.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Makes standard output and error carry exactly the bytes written. Call once,
// before anything is printed.
void useUtf8Output();

}  // namespace wexmora::platform
