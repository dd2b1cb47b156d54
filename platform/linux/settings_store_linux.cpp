#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "base/replace_file.h"
#include "base/trim.h"
#include "base/utf8.h"
#include "platform/settings_file.h"
#include "platform/settings_store.h"

namespace wexmora::platform {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// Blanks, tabs and the carriage returns of CRLF lines.
constexpr std::string_view kBlanks = " \t\r";

std::string trimmed(std::string_view text) { return std::string(base::trim(text, kBlanks)); }

// A settings file is UTF-8 text: no NUL bytes, no broken sequences.
bool isText(std::string_view text) { return text.find('\0') == std::string_view::npos && base::isUtf8(text); }

// The file's key=value lines in their order; comments, section headers,
// lines without "=" and lines that are not UTF-8 text are skipped, so a
// damaged line (a hand-written Latin-1 comment, a stray byte) costs only
// itself and never the values on the other lines. Unreadable files give
// nothing.
Entries readEntries(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream content;
  content << in.rdbuf();
  const std::string text = content.str();
  if (!in.good() && !in.eof()) return {};
  Entries entries;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!isText(line)) continue;
    while (!line.empty() && line.back() == '\r') line.pop_back();  // no value ends in one: writes refuse it
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

[[noreturn]] void fail(const std::string& path, const std::string& what, const std::error_code& error) {
  throw std::runtime_error("Cannot save the settings to " + path + ": " + what + " (" + error.message() + ")");
}

// What the user is told for each step of the replacement that can fail.
std::string whatFailed(base::ReplaceFileError::Step step) {
  switch (step) {
    case base::ReplaceFileError::Step::Create:
      return "a temporary file cannot be created";
    case base::ReplaceFileError::Step::Write:
      return "the file cannot be written";
    case base::ReplaceFileError::Step::Rename:
      break;
  }
  return "the file cannot be replaced";
}

}  // namespace

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

std::optional<std::string> SettingsFile::read(const std::string& name) {
  for (const auto& [key, value] : readEntries(path_))
    if (key == name) return value;
  return std::nullopt;
}

void SettingsFile::write(const std::string& name, const std::string& value) {
  if (name.empty() || name.find_first_of("=\r\n#;[") != std::string::npos || trimmed(name) != name || !isText(name))
    throw std::runtime_error("Cannot save the setting '" + name + "': the name is not valid");
  if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
    throw std::runtime_error("Cannot save the setting " + name + ": the value holds a line break");
  // A line that is not UTF-8 would not be read back.
  if (!isText(value)) throw std::runtime_error("Cannot save the setting " + name + ": the value is not UTF-8 text");

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
  if (error) fail(path_, "the folder " + directory.string() + " cannot be created", error);

  try {
    base::replaceFile(target, content, base::FileAccess::OwnerOnly);
  } catch (const base::ReplaceFileError& failure) {
    fail(path_, whatFailed(failure.step()), failure.error());
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
