// wexmora-info: the identification pass of the window program, on the command
// line. Parse, run the headless pass, print.
#include <iostream>

#include "app/info/options.h"
#include "app/info/run.h"

int main(int argc, char** argv) {
  const auto parsed = wexmora::info::parseArguments(argc, argv);
  if (const auto* error = std::get_if<wexmora::info::UsageError>(&parsed)) {
    std::cerr << "wexmora-info: " << error->message << "\nTry 'wexmora-info --help'.\n";
    return 2;
  }
  return wexmora::info::run(std::get<wexmora::info::Options>(parsed), std::cout, std::cerr);
}
