#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include "base/replace_file.h"
#include "platform/linux/whole_file.h"
#include "platform/settings_file.h"
#include "platform/settings_store.h"
#include "platform/settings_text.h"

namespace wexmora::platform {
namespace {

// The file's text; a missing or unreadable file reads as empty.
std::string readText(const std::string& path) { return readWholeFile(path).value_or(std::string()); }

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
  return settings_text::find(readText(path_), name);
}

void SettingsFile::write(const std::string& name, const std::string& value) {
  const std::string content = settings_text::withValue(readText(path_), name, value);
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
