// The Linux settings file: key=value lines, atomic replacement, damaged files
// read as missing values, failed writes leave the old file alone.
#include "platform/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/site.h"
#include "core/pass/settings.h"

namespace wexmora {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "wexmora-settings-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root = pattern;
  }
  void TearDown() override { fs::remove_all(root); }

  static void put(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }
  static std::string get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  fs::path root;
};

struct ParseCase {
  const char* name;
  std::string content;
  const char* key;
  std::optional<std::string> value;
};

TEST_F(SettingsFileTest, ReadsValuesAndTreatsDamageAsMissing) {
  const ParseCase cases[] = {
      {"plain", "Languages=1\nSite_Url=https://a/index.html\n", "Site_Url", "https://a/index.html"},
      {"CRLF lines", "Languages=1\r\nLicense=FreeWare\r\n", "Languages", "1"},
      // A value read with a carriage return would lose it on the next write.
      {"CR CR LF", "Languages=0\r\r\nLicense=FreeWare\n", "Languages", "0"},
      {"blanks around the key", "  Languages =0\n", "Languages", "0"},
      {"value keeps its text after =", "License=Free=Ware\n", "License", "Free=Ware"},
      {"empty value", "Site_Url=\n", "Site_Url", ""},
      {"no final newline", "Languages=1", "Languages", "1"},
      {"last line wins", "Languages=0\nLanguages=1\n", "Languages", "1"},
      {"comments and sections", "# c\n; c\n[Wex_mora]\nLanguages=1\n", "Languages", "1"},
      {"line without = is skipped", "garbage\nLanguages=1\n", "Languages", "1"},
      {"empty key is skipped", "=1\n", "", std::nullopt},
      {"missing key", "License=FreeWare\n", "Languages", std::nullopt},
      // A damaged line costs only itself: the first-run write would otherwise
      // replace the file and lose the language stored beside the damage.
      {"binary file", std::string("Languages=1\n\0\xff\xfe", 15), "Languages", "1"},
      {"binary line", std::string("Languages=1\n\0\xff\xfe", 15), "\xff\xfe", std::nullopt},
      {"invalid UTF-8 elsewhere", "Languages=1\nSite_Url=\xc3\n", "Languages", "1"},
      {"invalid UTF-8 value", "Languages=1\nSite_Url=\xc3\n", "Site_Url", std::nullopt},
      {"a damaged later line does not hide the value", "Languages=0\nLanguages=1\xc3\n", "Languages", "0"},
      {"indented comment holding =", "  # Languages=1\n", "Languages", std::nullopt},
      {"section header holding =", "[Languages=1]\n", "[Languages", std::nullopt},
      {"Latin-1 comment", "# r\xe9glages\nLanguages=0\n", "Languages", "0"},
      {"Cyrillic value", "License=Бесплатно\n", "License", "Бесплатно"},
      {"empty file", "", "Languages", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = root / "wexmora" / "settings.ini";
    put(path, c.content);
    platform::SettingsFile file(path.string());
    EXPECT_EQ(file.read(c.key), c.value);
  }
}

TEST_F(SettingsFileTest, MissingFileAndFolderReadAsMissing) {
  platform::SettingsFile file((root / "none" / "settings.ini").string());
  EXPECT_EQ(file.read("Languages"), std::nullopt);
  platform::SettingsFile directory(root.string());  // a folder in place of the file
  EXPECT_EQ(directory.read("Languages"), std::nullopt);
}

TEST_F(SettingsFileTest, FirstRunWritesSiteUrlAndLicenseButNotLanguages) {
  const fs::path path = root / "config" / "wexmora" / "settings.ini";
  platform::SettingsFile file(path.string());
  TForm15 form;
  loadSettings(form, file);
  EXPECT_EQ(get(path), "# Wexmora settings\nSite_Url=" + site::homePage() + "\nLicense=FreeWare\n");
  EXPECT_EQ(file.read("Languages"), std::nullopt);
  EXPECT_EQ(form.comboIndex, 0);
}

TEST_F(SettingsFileTest, LanguagesWithoutSiteUrlGetsBothAdded) {
  const fs::path path = root / "wexmora" / "settings.ini";
  put(path, "Languages=1\n");
  platform::SettingsFile file(path.string());
  TForm15 form;
  loadSettings(form, file);
  EXPECT_EQ(form.comboIndex, 1);
  EXPECT_EQ(file.read("Languages"), "1");
  EXPECT_EQ(file.read("Site_Url"), site::homePage());
  EXPECT_EQ(file.read("License"), "FreeWare");
}

TEST_F(SettingsFileTest, WriteReplacesOneValueAndKeepsTheOthers) {
  const fs::path path = root / "wexmora" / "settings.ini";
  put(path, "Site_Url=u\nLanguages=0\nLicense=FreeWare\n");
  platform::SettingsFile file(path.string());
  file.write("Languages", "1");
  EXPECT_EQ(get(path), "# Wexmora settings\nSite_Url=u\nLanguages=1\nLicense=FreeWare\n");
  // The new file was renamed into place: no temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(SettingsFileTest, WriteKeepsTheValuesBesideADamagedLine) {
  const fs::path path = root / "wexmora" / "settings.ini";
  put(path, "Languages=1\n# r\xe9glages\nSite_Url=u\n\xff\n");
  platform::SettingsFile file(path.string());
  file.write("License", "FreeWare");
  EXPECT_EQ(get(path), "# Wexmora settings\nLanguages=1\nSite_Url=u\nLicense=FreeWare\n");
}

TEST_F(SettingsFileTest, WriteKeepsTheFirstPlaceAndTheLastValueOfARepeatedKey) {
  const fs::path path = root / "wexmora" / "settings.ini";
  put(path, "Languages=0\r\nSite_Url=u\nLanguages=1\nLanguages=\xc3\n");
  platform::SettingsFile file(path.string());
  file.write("License", "FreeWare");
  EXPECT_EQ(get(path), "# Wexmora settings\nLanguages=1\nSite_Url=u\nLicense=FreeWare\n");
}

TEST_F(SettingsFileTest, WriteReplacesTheFileAtomically) {
  const fs::path path = root / "wexmora" / "settings.ini";
  put(path, "Languages=0\n");
  // A reader holding the old file keeps seeing the old content: the file is
  // replaced by a rename, never rewritten in place.
  std::ifstream held(path);
  const auto before = fs::status(path);
  struct stat oldInode {};
  ASSERT_EQ(::stat(path.c_str(), &oldInode), 0);
  platform::SettingsFile(path.string()).write("Languages", "1");
  struct stat newInode {};
  ASSERT_EQ(::stat(path.c_str(), &newInode), 0);
  EXPECT_NE(oldInode.st_ino, newInode.st_ino);
  std::string oldLine;
  std::getline(held, oldLine);
  EXPECT_EQ(oldLine, "Languages=0");
  EXPECT_EQ(before.type(), fs::file_type::regular);
}

TEST_F(SettingsFileTest, FailedWriteThrowsAndLeavesTheOldFile) {
  // The folder cannot be created: its parent is a regular file (works as root too).
  const fs::path blocker = root / "blocker";
  put(blocker, "not a folder");
  platform::SettingsFile unusable((blocker / "wexmora" / "settings.ini").string());
  try {
    unusable.write("Languages", "1");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find((blocker / "wexmora" / "settings.ini").string()), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(get(blocker), "not a folder");

  // The target is a folder: the rename fails, the temporary file is removed.
  const fs::path folder = root / "wexmora" / "settings.ini";
  fs::create_directories(folder);
  put(folder / "inside", "kept");
  EXPECT_THROW(platform::SettingsFile(folder.string()).write("Languages", "1"), std::runtime_error);
  EXPECT_EQ(get(folder / "inside"), "kept");
  EXPECT_EQ(std::distance(fs::directory_iterator(root / "wexmora"), fs::directory_iterator()), 1);
}

TEST_F(SettingsFileTest, RejectsNamesAndValuesThatWouldBreakTheFormat) {
  const fs::path path = root / "wexmora" / "settings.ini";
  put(path, "Languages=0\n");
  platform::SettingsFile file(path.string());
  const std::pair<std::string, std::string> bad[] = {{"Languages", "1\nSite_Url=evil"},
                                                     {"Lang=uages", "1"},
                                                     {"", "1"},
                                                     {"Languages", std::string("1\0", 2)},
                                                     // Not UTF-8: the line would be skipped when read, the value lost.
                                                     {"Languages", "\xff\xfe"},
                                                     {"Languages", "1\xc3"},
                                                     {"Langu\xe4ges", "1"}};
  for (const auto& [name, value] : bad) EXPECT_THROW(file.write(name, value), std::runtime_error) << name;
  EXPECT_EQ(get(path), "Languages=0\n");
}

TEST_F(SettingsFileTest, DefaultPathFollowsXdgConfigHome) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string savedValue = saved ? saved : "";
  const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
  EXPECT_EQ(platform::SettingsFile::defaultPath(), "/somewhere/config/wexmora/settings.ini");
  ::setenv("HOME", "/home/someone", 1);
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(platform::SettingsFile::defaultPath(), "/home/someone/.config/wexmora/settings.ini");
  ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored, as XDG says
  EXPECT_EQ(platform::SettingsFile::defaultPath(), "/home/someone/.config/wexmora/settings.ini");
  ::setenv("HOME", savedHome.c_str(), 1);
  if (saved)
    ::setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace wexmora
