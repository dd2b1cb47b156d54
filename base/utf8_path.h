#pragma once
// Paths are UTF-8 text throughout the program; the file system's path type is
// wide on Windows. These two convert at the edge.
#include <filesystem>
#include <string>

namespace wexmora::base {

std::filesystem::path pathFromUtf8(const std::string& path);
std::string pathToUtf8(const std::filesystem::path& path);

}  // namespace wexmora::base
