// Runs a fuzz target over files instead of under libFuzzer: every regular
// file named on the command line, or found directly in a folder named there,
// in name order. The regular test build links each target with this driver,
// so every committed seed input is checked by `make test`.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "fuzz_support.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path given(argv[i]);
    if (fs::is_directory(given)) {
      for (const auto& entry : fs::directory_iterator(given))
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    } else {
      inputs.push_back(given);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  wexmora::fuzz::replaying() = true;
  if (inputs.empty()) {
    std::cerr << "no inputs to replay\n";
    return 1;
  }
  for (const auto& path : inputs) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      std::cerr << "cannot read " << path << "\n";
      return 1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::cerr << "replaying " << path.filename().string() << " (" << bytes.size() << " bytes)\n";
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::cout << inputs.size() << " inputs replayed, no finding\n";
  return 0;
}
