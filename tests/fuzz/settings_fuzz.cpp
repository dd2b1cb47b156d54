// Any bytes as the settings file, then the reads and writes the program makes:
// the pass's load (language index, first-run values) and the language
// selector's save. The input is "VALUE\0FILE": the value to store as
// Languages, then the file's bytes (no NUL: the whole input is the file and
// the value is "1").
//
// What must hold: reading never fails; the language index is 0, 1 or none;
// the load writes only when Site_Url is missing or empty; a write followed by
// a read gives back the value written and keeps every other value; a value
// with a line break or that is not UTF-8 is refused and leaves the file as it was; two equal
// writes give the same file; and no temporary file stays in the folder.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/settings.h"
#include "fuzz_support.h"
#include "platform/settings_file.h"

namespace {

using namespace wexmora;
using fuzz::shown;
namespace fs = std::filesystem;

// A folder of its own for the run, in memory where the system has one (the
// writes fsync), removed when the process ends.
const fs::path& scratchFolder() {
  static const fs::path folder = [] {
    const fs::path base = fs::is_directory("/dev/shm") && ::access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm")
                                                                                          : fs::temp_directory_path();
    std::string pattern = (base / "wexmora-settings-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(scratchFolder(), ignored);
    });
    return fs::path(pattern);
  }();
  return folder;
}

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::size_t filesIn(const fs::path& folder) {
  std::size_t count = 0;
  for (auto it = fs::directory_iterator(folder); it != fs::directory_iterator(); ++it) ++count;
  return count;
}

struct Values {
  std::optional<std::string> languages, siteUrl, license, other;
  bool operator==(const Values&) const = default;
};

Values readAll(platform::SettingsFile& file) {
  return {file.read(kLanguagesSetting), file.read(kSiteUrlSetting), file.read(kLicenseSetting), file.read("Other")};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TForm15 form;
  const std::string input = fuzz::asText(data, size);
  const auto nul = input.find('\0');
  const std::string value = nul == std::string::npos ? "1" : input.substr(0, nul);
  const std::string bytes = nul == std::string::npos ? input : input.substr(nul + 1);
  const auto context = [&] { return " for the file " + shown(bytes) + " and the value " + shown(value); };

  const fs::path path = scratchFolder() / "settings.ini";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  platform::SettingsFile file(path.string());

  const Values before = readAll(file);
  const auto index = storedLanguageIndex(before.languages);
  FUZZ_CHECK(!index || *index == 0 || *index == 1, "language index " + std::to_string(*index) + context());

  form.comboIndex = 0;
  try {
    loadSettings(form, file);
  } catch (const std::exception& error) {
    fuzz::fail(__FILE__, __LINE__, "the load writes in a writable folder", error.what() + context());
  }
  FUZZ_CHECK(form.comboIndex == index.value_or(0), "ComboBox1 index " + std::to_string(form.comboIndex) + context());
  const Values loaded = readAll(file);
  if (before.siteUrl && !before.siteUrl->empty()) {
    FUZZ_CHECK(contents(path) == bytes, "the load changed a file that has Site_Url" + context());
  } else {
    FUZZ_CHECK(loaded.siteUrl && !loaded.siteUrl->empty() && loaded.license == "FreeWare",
               "first-run values not written" + context());
    FUZZ_CHECK(loaded.languages == before.languages && loaded.other == before.other,
               "the first-run write changed another value" + context());
  }
  FUZZ_CHECK(filesIn(scratchFolder()) == 1, "temporary files left by the load" + context());

  const std::string beforeWrite = contents(path);
  // One line of well-formed UTF-8 must be stored; anything else may be
  // refused (it would not read back).
  const bool storable = value.find_first_of("\r\n") == std::string::npos && fuzz::validUtf8(value);
  try {
    file.write(kLanguagesSetting, value);  // then it must read back, checked below
  } catch (const std::runtime_error&) {
    FUZZ_CHECK(!storable, "writing a storable value failed" + context());
    FUZZ_CHECK(contents(path) == beforeWrite, "a refused write changed the file" + context());
    return 0;
  }
  const Values written = readAll(file);
  FUZZ_CHECK(written.languages == value, "read back " + shown(written.languages.value_or("(none)")) + context());
  FUZZ_CHECK(written.siteUrl == loaded.siteUrl && written.license == loaded.license && written.other == loaded.other,
             "the write changed another value" + context());
  FUZZ_CHECK(filesIn(scratchFolder()) == 1, "temporary files left by the write" + context());

  const std::string once = contents(path);
  file.write(kLanguagesSetting, value);
  FUZZ_CHECK(contents(path) == once, "a second equal write changed the file" + context());
  return 0;
}
