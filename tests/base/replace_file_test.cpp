// Replacing a file whole: the new content or, after any failure, the old file
// untouched and no temporary file left.
#include "base/replace_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <optional>
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

TEST_F(ReplaceFile, LeftoversOfKilledWritesAreRemovedAndALiveWriteIsLeftAlone) {
  // A live writer holds its temporary file open and locked, as createNew does.
  const fs::path live = dir / "settings.ini.part777";
  put(live, "half");
  const int liveFd = ::open(live.c_str(), O_RDONLY);
  ASSERT_GE(liveFd, 0);
  ASSERT_EQ(::flock(liveFd, LOCK_EX), 0);
  const struct {
    const char* name;
    bool removed;
  } cases[] = {
      {"settings.ini.part123456", true},                                // a killed write of the target
      {"settings.ini.part1", true},      {"settings.ini.part", false},  // no digits: not ours
      {"settings.ini.part12a", false},   {"settings.ini.partial", false},
      {"other.ini.part123", false},  // another target's
      {"settings.ini", false},       // the target itself
  };
  for (const auto& c : cases) put(dir / c.name, "left over");
  replaceFile(dir / "settings.ini", "Languages=1\n", FileAccess::OwnerOnly);
  for (const auto& c : cases) EXPECT_EQ(fs::exists(dir / c.name), !c.removed) << c.name;
  EXPECT_TRUE(fs::exists(live)) << "a write still going on keeps its file";
  EXPECT_EQ(get(dir / "settings.ini"), "Languages=1\n");
  ::close(liveFd);
}

TEST_F(ReplaceFile, ADeviceIsWrittenToNeverReplaced) {
  // Devices of our own, so that a regression cannot replace the system's.
  const struct {
    const char* name;
    unsigned minor;  // of the memory devices, major 1: 3 null, 7 full
    bool fails;
  } cases[] = {{"null", 3, false}, {"full", 7, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (::mknod((dir / c.name).c_str(), S_IFCHR | 0666, makedev(1, c.minor)) != 0)
      GTEST_SKIP() << "cannot make device files here";
    std::optional<std::error_code> failure;
    try {
      replaceFile(dir / c.name, "picture", FileAccess::Everyone);
    } catch (const ReplaceFileError& error) {
      EXPECT_EQ(error.step(), ReplaceFileError::Step::Write);
      failure = error.error();
    }
    EXPECT_EQ(failure.has_value(), c.fails);
    if (failure) {
      EXPECT_EQ(*failure, std::errc::no_space_on_device);
    }
    EXPECT_TRUE(fs::is_character_file(dir / c.name));
  }
  EXPECT_EQ(entries(), std::size(cases)) << "no temporary file beside the devices";
}

}  // namespace
}  // namespace wexmora::base
