// wexmora-info: the identification pass of the window program, on the command
// line. Parse, run the headless pass, print.
#include <iostream>
#include <vector>

#include "app/info/options.h"
#include "app/info/run.h"
#include "platform/command_line.h"

int main(int argc, char** argv) {
  wexmora::platform::useUtf8Output();
  const std::vector<std::string> arguments = wexmora::platform::utf8Arguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  const auto parsed = wexmora::info::parseArguments(static_cast<int>(pointers.size()), pointers.data());
  if (const auto* error = std::get_if<wexmora::info::UsageError>(&parsed)) {
    std::cerr << "wexmora-info: " << error->message << "\nTry 'wexmora-info --help'.\n";
    return 2;
  }
  return wexmora::info::run(std::get<wexmora::info::Options>(parsed), std::cout, std::cerr);
}
