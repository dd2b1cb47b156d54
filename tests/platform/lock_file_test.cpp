// The single-instance flag: held by one process at a time, and released by
// the system when the holder dies, however it dies.
#include "platform/lock_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace wexmora::platform {
namespace {

std::string tempLockPath() {
  return (std::filesystem::temp_directory_path() / ("RegWexmora-test-" + std::to_string(::getpid()) + ".lock"))
      .string();
}

// Forks a child that takes the lock and then waits to be killed; returns
// once the child holds it.
pid_t holdInChild(const std::string& path) {
  int ready[2];
  EXPECT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    LockFile lock(path);
    const char answer = lock.acquire() ? '1' : '0';
    (void)!::write(ready[1], &answer, 1);
    for (;;) ::pause();
  }
  char answer = 0;
  EXPECT_EQ(::read(ready[0], &answer, 1), 1);
  EXPECT_EQ(answer, '1');
  ::close(ready[0]);
  ::close(ready[1]);
  return child;
}

// Whether a fresh process could take the lock now.
bool freshProcessAcquires(const std::string& path) {
  const pid_t child = ::fork();
  if (child == 0) {
    LockFile lock(path);
    ::_exit(lock.acquire() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(LockFile, SecondProcessIsTurnedAwayUntilTheFirstIsKilled) {
  const auto path = tempLockPath();
  const pid_t first = holdInChild(path);
  EXPECT_FALSE(freshProcessAcquires(path));
  ::kill(first, SIGKILL);
  ::waitpid(first, nullptr, 0);
  EXPECT_TRUE(freshProcessAcquires(path));
  std::filesystem::remove(path);
}

TEST(LockFile, AnUnusableLockPathLetsTheProgramRun) {
  LockFile lock("/nonexistent-directory/RegWexmora.lock");
  EXPECT_TRUE(lock.acquire());
}

TEST(LockFile, DefaultPathIsPerUser) {
  const auto path = LockFile::defaultPath();
  EXPECT_NE(path.find("RegWexmora"), std::string::npos);
}

}  // namespace
}  // namespace wexmora::platform
