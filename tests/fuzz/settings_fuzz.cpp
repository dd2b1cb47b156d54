// Any bytes as the settings file, then the reads and writes the program makes:
// the pass's load (language index, first-run values) and the language
// selector's save. The input is "VALUE\0FILE": the value to store as
// Languages, then the file's bytes (no NUL: the whole input is the file and
// the value is "1").
//
// Every input goes through the file's text held in memory, with the reading
// and writing the file store itself uses. What must hold: reading never
// fails; the language index is 0, 1 or none; the load writes only when
// Site_Url is missing or empty; a write followed by a read gives back the value
// written and keeps every other value; a value with a line break or that is
// not UTF-8 is refused and leaves the text as it was; two equal writes give
// the same text.
//
// One input in kFileShare also goes through the real file store in a scratch
// folder (the choice is a hash of the input; replayed inputs, the seeds and
// findings, all go through it): after each step the file holds exactly the text the memory run gave,
// a refused write leaves the file as it was, and no temporary file stays in
// the folder. Only a share of the inputs, as each write renames and flushes a
// file; the bytes that reach the disk are the same either way.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "core/pass/settings.h"
#include "fuzz_support.h"
#include "platform/settings_file.h"
#include "platform/settings_text.h"

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

Values readAll(platform::SettingsStore& store) {
  return {store.read(kLanguagesSetting), store.read(kSiteUrlSetting), store.read(kLicenseSetting), store.read("Other")};
}

// The settings file's text in memory.
class TextStore : public platform::SettingsStore {
 public:
  explicit TextStore(std::string text) : text(std::move(text)) {}
  std::optional<std::string> read(const std::string& name) override {
    return platform::settings_text::find(text, name);
  }
  void write(const std::string& name, const std::string& value) override {
    text = platform::settings_text::withValue(text, name, value);
  }
  std::string text;
};

constexpr std::uint32_t kFileShare = 64;

bool throughTheFile(std::string_view input) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const unsigned char c : input) hash = (hash ^ c) * 16777619u;
  return hash % kFileShare == 0;
}

// The texts the memory run went through, for the file run to match.
struct Steps {
  std::string loaded;                  // after the load
  std::optional<std::string> written;  // after the write, none when it was refused
};

// The same load and write on the real file store.
void checkTheFile(const std::string& bytes, const std::string& value, const Steps& steps,
                  const std::function<std::string()>& context) {
  const fs::path path = scratchFolder() / "settings.ini";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  platform::SettingsFile file(path.string());
  static TForm15 form;
  try {
    loadSettings(form, file);
  } catch (const std::exception& error) {
    fuzz::fail(__FILE__, __LINE__, "the load writes in a writable folder", error.what() + context());
  }
  FUZZ_CHECK(contents(path) == steps.loaded, "the file after the load is not the text" + context());
  FUZZ_CHECK(filesIn(scratchFolder()) == 1, "temporary files left by the load" + context());
  try {
    file.write(kLanguagesSetting, value);
  } catch (const std::runtime_error&) {
    FUZZ_CHECK(!steps.written, "the file refused a write the text took" + context());
    FUZZ_CHECK(contents(path) == steps.loaded, "a refused write changed the file" + context());
    return;
  }
  FUZZ_CHECK(steps.written && contents(path) == *steps.written, "the file after the write is not the text" + context());
  FUZZ_CHECK(filesIn(scratchFolder()) == 1, "temporary files left by the write" + context());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TForm15 form;
  const std::string input = fuzz::asText(data, size);
  const auto nul = input.find('\0');
  const std::string value = nul == std::string::npos ? "1" : input.substr(0, nul);
  const std::string bytes = nul == std::string::npos ? input : input.substr(nul + 1);
  const auto context = [&] { return " for the file " + shown(bytes) + " and the value " + shown(value); };

  TextStore store(bytes);
  const Values before = readAll(store);
  const auto index = storedLanguageIndex(before.languages);
  FUZZ_CHECK(!index || *index == 0 || *index == 1, "language index " + std::to_string(*index) + context());

  form.comboIndex = 0;
  try {
    loadSettings(form, store);
  } catch (const std::exception& error) {
    fuzz::fail(__FILE__, __LINE__, "the first-run values are storable", error.what() + context());
  }
  FUZZ_CHECK(form.comboIndex == index.value_or(0), "ComboBox1 index " + std::to_string(form.comboIndex) + context());
  const bool hasSiteUrl = before.siteUrl && !before.siteUrl->empty();
  const Values loaded = hasSiteUrl ? before : readAll(store);
  if (hasSiteUrl) {
    FUZZ_CHECK(store.text == bytes, "the load changed a file that has Site_Url" + context());
  } else {
    FUZZ_CHECK(loaded.siteUrl && !loaded.siteUrl->empty() && loaded.license == "FreeWare",
               "first-run values not written" + context());
    FUZZ_CHECK(loaded.languages == before.languages && loaded.other == before.other,
               "the first-run write changed another value" + context());
  }

  Steps steps{store.text, std::nullopt};
  // One line of well-formed UTF-8 must be stored; anything else may be
  // refused (it would not read back).
  const bool storable = value.find_first_of("\r\n") == std::string::npos && fuzz::validUtf8(value);
  try {
    store.write(kLanguagesSetting, value);  // then it must read back, checked below
    steps.written = store.text;
  } catch (const std::runtime_error&) {
    FUZZ_CHECK(!storable, "writing a storable value failed" + context());
    FUZZ_CHECK(store.text == steps.loaded, "a refused write changed the text" + context());
  }
  if (steps.written) {
    const Values written = readAll(store);
    FUZZ_CHECK(written.languages == value, "read back " + shown(written.languages.value_or("(none)")) + context());
    FUZZ_CHECK(written.siteUrl == loaded.siteUrl && written.license == loaded.license && written.other == loaded.other,
               "the write changed another value" + context());
    store.write(kLanguagesSetting, value);
    FUZZ_CHECK(store.text == *steps.written, "a second equal write changed the text" + context());
  }

  if (fuzz::replaying() || throughTheFile(input)) checkTheFile(bytes, value, steps, context);
  return 0;
}
