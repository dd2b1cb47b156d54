// Replacing a file whole: the new content or, after any failure, the old file
// untouched and no temporary file left.
#include "base/replace_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_dir.h"

namespace wexmora::base {
namespace {

namespace fs = std::filesystem;

class ReplaceFile : public testing::TempDir {
 protected:
  static std::string get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  static void put(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }
};

TEST_F(ReplaceFile, NewAndExistingTargetsGetTheWholeContent) {
  const struct {
    const char* name;
    const char* before;  // nullptr: no file yet
    std::string content;
  } cases[] = {
      {"new.txt", nullptr, "first"},
      {"old.txt", "previous content, longer than the new", "new"},
      {"empty.txt", "x", ""},
      {"binary.jpg", nullptr, std::string("\xFF\xD8\0\xFF\xD9", 5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.before) put(dir / c.name, c.before);
    replaceFile(dir / c.name, c.content, FileAccess::Everyone);
    EXPECT_EQ(get(dir / c.name), c.content);
  }
  EXPECT_EQ(entries(), std::size(cases)) << "no temporary file stays behind";
}

TEST_F(ReplaceFile, TheFileIsReplacedByARenameNeverRewrittenInPlace) {
  put(dir / "settings.ini", "Languages=0\n");
  std::ifstream held(dir / "settings.ini");
  struct stat before {};
  ASSERT_EQ(::stat((dir / "settings.ini").c_str(), &before), 0);
  replaceFile(dir / "settings.ini", "Languages=1\n", FileAccess::OwnerOnly);
  struct stat after {};
  ASSERT_EQ(::stat((dir / "settings.ini").c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
  std::string line;
  std::getline(held, line);
  EXPECT_EQ(line, "Languages=0");
}

TEST_F(ReplaceFile, AccessDecidesWhoMayReadTheNewFile) {
  const mode_t mask = ::umask(022);
  const struct {
    FileAccess access;
    mode_t mode;
  } cases[] = {{FileAccess::OwnerOnly, 0600}, {FileAccess::Everyone, 0644}};
  for (const auto& c : cases) {
    replaceFile(dir / "file", "x", c.access);
    struct stat status {};
    ASSERT_EQ(::stat((dir / "file").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, c.mode);
  }
  ::umask(mask);
}

TEST_F(ReplaceFile, EachFailingStepIsNamedAndLeavesTheFolderAsItWas) {
  put(dir / "plain-file", "x");
  fs::create_directories(dir / "folder" / "inside");
  const struct {
    const char* name;
    fs::path target;
    ReplaceFileError::Step step;
  } cases[] = {
      {"folder missing", dir / "missing" / "file", ReplaceFileError::Step::Create},
      {"a file where the folder should be", dir / "plain-file" / "file", ReplaceFileError::Step::Create},
      {"a folder in place of the file", dir / "folder", ReplaceFileError::Step::Rename},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      replaceFile(c.target, "content", FileAccess::Everyone);
      ADD_FAILURE() << "no error";
    } catch (const ReplaceFileError& error) {
      EXPECT_EQ(error.step(), c.step);
      EXPECT_TRUE(error.error()) << "the system's reason comes along";
      EXPECT_NE(std::string(error.what()), "");
    }
    EXPECT_EQ(entries(), 2u);
  }
  EXPECT_EQ(get(dir / "plain-file"), "x");
  EXPECT_TRUE(fs::is_directory(dir / "folder" / "inside"));
}

// A write that fails half-way (the file size limit, as a full disk would)
// keeps the previous file and removes the partial one.
TEST_F(ReplaceFile, AFailedWriteKeepsThePreviousFile) {
  put(dir / "Screen.jpg", "previous picture");
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::optional<ReplaceFileError::Step> failed;
  try {
    replaceFile(dir / "Screen.jpg", std::string(4096, 'x'), FileAccess::Everyone);
  } catch (const ReplaceFileError& error) {
    failed = error.step();
  }
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(failed, ReplaceFileError::Step::Write);
  EXPECT_EQ(get(dir / "Screen.jpg"), "previous picture");
  EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace wexmora::base
