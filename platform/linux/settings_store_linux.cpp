#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/settings_file.h"
#include "platform/settings_store.h"

namespace wexmora::platform {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

bool validUtf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0) return false;
    const int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || i + extra >= text.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The file's key=value lines in their order; comments, section headers and
// lines without "=" are skipped. Unreadable or non-text files give nothing.
Entries readEntries(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream content;
  content << in.rdbuf();
  const std::string text = content.str();
  if (!in.good() && !in.eof()) return {};
  if (!validUtf8(text)) return {};
  Entries entries;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string content = trimmed(line);
    if (content.empty() || content[0] == '#' || content[0] == ';' || content[0] == '[') continue;
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = trimmed(line.substr(0, equals));
    if (key.empty()) continue;
    std::string value = line.substr(equals + 1);
    bool replaced = false;
    for (auto& entry : entries)
      if (entry.first == key) entry.second = value, replaced = true;  // the last line wins
    if (!replaced) entries.emplace_back(std::move(key), std::move(value));
  }
  return entries;
}

[[noreturn]] void fail(const std::string& path, const std::string& what, int error) {
  throw std::runtime_error("Cannot save the settings to " + path + ": " + what + " (" + std::strerror(error) + ")");
}

bool writeAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

std::optional<std::string> SettingsFile::read(const std::string& name) {
  for (const auto& [key, value] : readEntries(path_))
    if (key == name) return value;
  return std::nullopt;
}

void SettingsFile::write(const std::string& name, const std::string& value) {
  if (name.empty() || name.find_first_of("=\r\n#;[") != std::string::npos || trimmed(name) != name)
    throw std::runtime_error("Cannot save the setting '" + name + "': the name is not valid");
  if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
    throw std::runtime_error("Cannot save the setting " + name + ": the value holds a line break");

  Entries entries = readEntries(path_);
  bool replaced = false;
  for (auto& entry : entries)
    if (entry.first == name) entry.second = value, replaced = true;
  if (!replaced) entries.emplace_back(name, value);
  std::string content = "# Wexmora settings\n";
  for (const auto& [key, text] : entries) content += key + "=" + text + "\n";

  const std::filesystem::path target(path_);
  const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : ".";
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) fail(path_, "the folder " + directory.string() + " cannot be created", error.value());

  std::string temporary = (directory / (target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) fail(path_, "a temporary file cannot be created", errno);
  const bool written = writeAll(fd, content) && ::fsync(fd) == 0;
  const int writeError = errno;
  if (::close(fd) != 0 || !written) {
    const int closeError = written ? errno : writeError;
    ::unlink(temporary.c_str());
    fail(path_, "the file cannot be written", closeError);
  }
  if (::rename(temporary.c_str(), path_.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temporary.c_str());
    fail(path_, "the file cannot be replaced", renameError);
  }
  if (const int dir = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);  // makes the rename itself durable; best effort
    ::close(dir);
  }
}

std::string SettingsFile::defaultPath() {
  std::string base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    if ((!home || !*home) && ::getpwuid(::getuid())) home = ::getpwuid(::getuid())->pw_dir;
    base = std::string(home ? home : ".") + "/.config";
  }
  return base + "/wexmora/settings.ini";
}

std::unique_ptr<SettingsStore> systemSettingsStore() {
  return std::make_unique<SettingsFile>(SettingsFile::defaultPath());
}

}  // namespace wexmora::platform
