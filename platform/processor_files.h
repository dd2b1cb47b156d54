#pragma once
// Linux's processor files read into the machine's facts: /proc/cpuinfo for
// the maker, family and feature flags (through the one reader of its text,
// cpuinfo.h), /sys/devices/system/cpu for the online processors, their cores
// and packages, the caches and the highest clock. Portable code over a small
// file-reading seam, built on every system: Linux reads its own files with
// it, and the tests and fuzz targets hand it any tree they like, under Wine
// too. Everything is bounded: file sizes, processor numbers, list lengths
// and cache indexes, so that hostile files cost little time and no memory to
// speak of.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/machine_facts.h"

namespace wexmora::platform {

// Read-only files under one root.
class FileTree {
 public:
  virtual ~FileTree() = default;
  // At most the first `maxBytes` bytes of the regular file at `path`
  // ("proc/cpuinfo", relative to the root, "/" between folders); nothing when
  // it is missing, unreadable or not a regular file (a pipe would block).
  virtual std::optional<std::string> read(const std::string& path, std::size_t maxBytes) const = 0;
};

// A whole small file: nothing when it is missing or fills `limit` bytes
// (a file that long is not what the kernel writes there).
std::optional<std::string> readSmallFile(const FileTree& files, const std::string& path, std::size_t limit);

// The decimal number a small file holds, blanks and a line end around it.
std::optional<long> readSmallNumber(const FileTree& files, const std::string& path);

// The files of a folder of the real file system ("/" for this machine).
class DirectoryTree : public FileTree {
 public:
  explicit DirectoryTree(std::filesystem::path root) : root_(std::move(root)) {}
  std::optional<std::string> read(const std::string& path, std::size_t maxBytes) const override;

 private:
  std::filesystem::path root_;
};

// The numbers of a processor list as the kernel writes it ("0-3,8,10-11",
// a line end allowed), sorted and each once; an empty list for an empty
// text. Nothing for any other text and for a list that names a number of
// `limit` or more.
std::optional<std::vector<int>> parseCpuList(std::string_view text, int limit);

// The bytes of a cache size as the kernel writes it ("32K", "16384K", also
// "16M" and plain bytes), a line end allowed. Nothing for any other text,
// for no bytes and for more than a tebibyte.
std::optional<std::uint64_t> parseCacheSize(std::string_view text);

MachineFacts readLinuxMachineFacts(const FileTree& files);

}  // namespace wexmora::platform
