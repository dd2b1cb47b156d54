#pragma once
// The text of the Linux settings file: one key=value line per value, read and
// written here without touching the disk, so the file store and anything that
// holds the text in memory (the fuzz targets) share one reading and one
// writing of it.
#include <optional>
#include <string>
#include <string_view>

namespace wexmora::platform::settings_text {

// The value of `name`, or nothing. Comments, section headers, lines without
// "=" and lines that are not UTF-8 text are skipped, so a damaged line costs
// only itself; when a key is on several lines the last one wins.
std::optional<std::string> find(std::string_view text, const std::string& name);

// The whole text with `name` set to `value`: the other values keep their
// order, skipped lines are dropped. Throws std::runtime_error with a message
// for the user for a name that could not be read back as one and for a value
// holding a line break or that is not UTF-8 text.
std::string withValue(std::string_view text, const std::string& name, const std::string& value);

}  // namespace wexmora::platform::settings_text
