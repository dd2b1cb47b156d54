// wexmora-settings-kill-loop COUNT: COUNT times, starts a child process that
// stores the language selector's index (Russian and English in turn, through
// the selector's own handler, into this user's settings) in a tight loop,
// kills it with SIGKILL after a random time, and checks the settings folder:
// the file still parses, holds Languages "0" or "1" and the other values as
// they were, and besides it at most the one temporary file of the killed
// write is left. Prints one line per broken check and a summary; exit code 1
// when any check failed.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

#include "core/pass/handlers.h"
#include "platform/settings_file.h"

namespace {

using namespace wexmora;
namespace fs = std::filesystem;

[[noreturn]] void writeForever(const std::string& path) {
  platform::SettingsFile store(path);
  TForm15 form;
  for (int i = 0;; ++i) {
    form.comboIndex = i % 2;
    ComboBox1Select(form, store);
  }
}

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// "" when the file is whole: its lines, other than the comment heading it,
// are exactly the expected values, Languages being "0" or "1".
std::string damage(const std::string& text, const std::string& expectedOthers) {
  std::istringstream lines(text);
  std::string others, language;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("#")) continue;
    if (line.starts_with("Languages="))
      language = line.substr(10);
    else
      others += line + "\n";
  }
  if (language != "0" && language != "1") return "Languages is '" + language + "'";
  if (others != expectedOthers) return "the other values changed to '" + others + "'";
  if (text.empty() || text.back() != '\n') return "the file does not end with a line break";
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: wexmora-settings-kill-loop COUNT\n";
    return 2;
  }
  const int count = std::stoi(argv[1]);
  const fs::path path = platform::SettingsFile::defaultPath();
  const fs::path folder = path.parent_path();
  const std::string others = "Site_Url=https://example.org/index.html\nLicense=FreeWare\nOther=kept as it was\n";
  fs::create_directories(folder);
  std::ofstream(path) << "# Wexmora settings\nLanguages=0\n" << others;

  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> delayUs(0, 4000);
  int broken = 0, mostLeftovers = 0;
  for (int round = 0; round < count; ++round) {
    const pid_t child = ::fork();
    if (child < 0) return 3;
    if (child == 0) writeForever(path.string());
    ::usleep(static_cast<useconds_t>(delayUs(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    int leftovers = 0;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path() != path) ++leftovers;
    mostLeftovers = std::max(mostLeftovers, leftovers);
    const std::string problem = damage(contents(path), others);
    if (!problem.empty() || leftovers > 1) {
      ++broken;
      std::cout << "round " << round << ": " << (problem.empty() ? "" : problem + "; ") << leftovers
                << " temporary files beside the settings\n";
    }
  }
  std::cout << count << " kills, " << broken << " broken, at most " << mostLeftovers
            << " temporary file(s) left by a killed write\n";
  return broken == 0 ? 0 : 1;
}
