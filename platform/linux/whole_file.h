#pragma once
// A whole file read with the C library's stdio: the first iostream of a run
// builds the C++ library's locale with all of its facets, which costs the
// window about 0.25 MiB of libstdc++ pages it needs for nothing else.
#include <cstdio>
#include <optional>
#include <string>

namespace wexmora::platform {

// The file's bytes; nothing when it cannot be opened or a read fails.
inline std::optional<std::string> readWholeFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::string text;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return text;
}

}  // namespace wexmora::platform
