// The machine's files read from a real folder: a small tree of Linux's
// processor files in a scratch folder, and the files that must not be read
// (a named pipe would block the start-up), or only in part.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/processor_files.h"
#include "support/machine_facts_fakes.h"
#include "support/temp_dir.h"

namespace wexmora::platform {
namespace {

using DirectoryTreeTest = testing::TempDir;

void write(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

TEST_F(DirectoryTreeTest, ReadsRegularFilesOnlyAndAtMostTheLimit) {
  write(dir / "plain", "0-3\n");
  write(dir / "empty", "");
  write(dir / "long", std::string(100000, 'x'));
  std::filesystem::create_directories(dir / "folder");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink(dir / "loop", dir / "loop");
  std::filesystem::create_symlink(dir / "plain", dir / "link");
  const struct {
    const char* path;
    std::optional<std::string> text;
  } cases[] = {
      {"plain", "0-3\n"},
      {"link", "0-3\n"},
      {"empty", ""},
      {"long", std::string(4096, 'x')},
      {"missing", std::nullopt},
      {"folder", std::nullopt},
      {"pipe", std::nullopt},
      {"loop", std::nullopt},
      {"plain/below", std::nullopt},
  };
  const DirectoryTree tree(dir);
  for (const auto& c : cases) EXPECT_EQ(tree.read(c.path, 4096), c.text) << c.path;
}

TEST_F(DirectoryTreeTest, ReadsAMachineFromAFolder) {
  // Two cores with two threads, in the files a kernel writes.
  write(dir / "proc/cpuinfo",
        "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nflags\t\t: fpu mmx sse sse2 ht lm vmx\n\n");
  const std::string cpu = "sys/devices/system/cpu/";
  write(dir / cpu / "online", "0-3\n");
  for (int id = 0; id < 4; ++id) {
    const auto folder = dir / cpu / ("cpu" + std::to_string(id));
    write(folder / "topology/physical_package_id", "0\n");
    write(folder / "topology/core_id", std::to_string(id % 2) + "\n");
    write(folder / "cpufreq/cpuinfo_max_freq", "3100000\n");
    write(folder / "cache/index0/level", "2\n");
    write(folder / "cache/index0/type", "Unified\n");
    write(folder / "cache/index0/size", "256K\n");
    write(folder / "cache/index0/shared_cpu_list", std::to_string(id % 2) + "," + std::to_string(id % 2 + 2) + "\n");
    write(folder / "cache/index1/level", "3\n");
    write(folder / "cache/index1/type", "Unified\n");
    write(folder / "cache/index1/size", "3072K\n");
    write(folder / "cache/index1/shared_cpu_list", "0-3\n");
  }
  const MachineFacts facts = readLinuxMachineFacts(DirectoryTree(dir));
  EXPECT_EQ(facts,
            (MachineFacts{1, 2, 4, 512 * 1024, 3 * 1024 * 1024, 3100, {"HT", "SSE", "SSE2", "MMX", "EM64T", "VT-x"}}));
  EXPECT_EQ(cacheText(*facts.l3Bytes), "3 Mb");
}

}  // namespace
}  // namespace wexmora::platform
