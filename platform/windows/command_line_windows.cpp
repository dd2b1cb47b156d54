#include <windows.h>
// shellapi.h needs windows.h first.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/command_line.h"
#include "platform/windows/arguments.h"
#include "platform/windows/wide_text.h"

namespace wexmora::platform {
namespace {

bool isConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

}  // namespace

std::vector<std::string> argumentsFromCommandLine(const std::wstring& commandLine) {
  std::vector<std::string> arguments;
  if (commandLine.empty()) return arguments;  // CommandLineToArgvW would name the running program instead
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(commandLine.c_str(), &count);
  if (!wide) return arguments;
  arguments.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) arguments.push_back(narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

// The C runtime's argv is in the ANSI code page, which loses every character
// outside it; the UTF-16 command line keeps them all.
std::vector<std::string> utf8Arguments(int argc, char** argv) {
  std::vector<std::string> arguments = argumentsFromCommandLine(GetCommandLineW());
  if (arguments.empty()) return {argv, argv + argc};
  return arguments;
}

void useUtf8Output() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // A console shows the bytes through its output code page; a pipe or a
  // file takes them as they are.
  if (isConsole(STD_OUTPUT_HANDLE) || isConsole(STD_ERROR_HANDLE)) SetConsoleOutputCP(CP_UTF8);
}

}  // namespace wexmora::platform
