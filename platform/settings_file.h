#pragma once
// Linux settings store: one small UTF-8 file of key=value lines. It is read
// afresh for every value and replaced atomically on every write (temporary
// file in the same directory, fsync, rename), so a crash or a full disk never
// leaves a half-written or emptied file behind.
#include <optional>
#include <string>

#include "platform/settings_store.h"

namespace wexmora::platform {

class SettingsFile : public SettingsStore {
 public:
  explicit SettingsFile(std::string path);
  // A missing or unreadable file, or a line that cannot be parsed, reads as
  // missing values; a line that is not UTF-8 text is skipped (and dropped by
  // the next write), the other lines still count.
  std::optional<std::string> read(const std::string& name) override;
  // Creates the directory when missing. Throws std::runtime_error naming the
  // path and the reason, also for a value that could not be read back (a
  // line break, not UTF-8); the old file then stays as it was.
  void write(const std::string& name, const std::string& value) override;

  // $XDG_CONFIG_HOME/wexmora/settings.ini, else ~/.config/wexmora/settings.ini.
  static std::string defaultPath();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace wexmora::platform
