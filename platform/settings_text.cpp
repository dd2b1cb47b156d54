#include "platform/settings_text.h"

#include <cstring>
#include <stdexcept>
#include <vector>

#include "base/utf8.h"

namespace wexmora::platform::settings_text {
namespace {

// A settings line is UTF-8 text: no NUL bytes, no broken sequences.
bool isText(std::string_view text) { return text.find('\0') == std::string_view::npos && base::isUtf8(text); }

// Blanks, tabs and the carriage returns of CRLF lines.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

struct Line {
  std::string_view key, value;
  std::string_view whole;  // counts only when it is UTF-8 text, checked by the caller when the key matters
};

// The key and value of one line; nothing for a comment, a section header or
// a line without "=" or without a key.
std::optional<Line> lineOf(std::string_view whole) {
  std::string_view line = whole;
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // no value ends in one: writes refuse it
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  // The key begins with the line's first character that is not blank.
  const std::string_view key = trimmed(std::string_view(line.data(), equals));
  if (key.empty() || key[0] == '#' || key[0] == ';' || key[0] == '[') return std::nullopt;
  return Line{key, std::string_view(line.data() + equals + 1, line.size() - equals - 1), whole};
}

// Calls `visit` with each key=value line of the text, in order.
template <class Visit>
void forEachLine(std::string_view text, Visit visit) {
  const char* at = text.data();
  const char* const end = at + text.size();
  while (at < end) {
    const auto* const newline = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
    const char* const stop = newline ? newline : end;
    if (const auto line = lineOf(std::string_view(at, static_cast<std::size_t>(stop - at)))) visit(*line);
    at = newline ? newline + 1 : end;
  }
}

}  // namespace

std::optional<std::string> find(std::string_view text, const std::string& name) {
  std::optional<std::string_view> found;
  forEachLine(text, [&](const Line& line) {
    if (line.key == name && isText(line.whole)) found = line.value;  // the last line wins
  });
  return found ? std::optional<std::string>(*found) : std::nullopt;
}

std::string withValue(std::string_view text, const std::string& name, const std::string& value) {
  if (name.empty() || name.find_first_of("=\r\n#;[") != std::string::npos || trimmed(name) != name || !isText(name))
    throw std::runtime_error("Cannot save the setting '" + name + "': the name is not valid");
  if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
    throw std::runtime_error("Cannot save the setting " + name + ": the value holds a line break");
  // A line that is not UTF-8 would not be read back.
  if (!isText(value)) throw std::runtime_error("Cannot save the setting " + name + ": the value is not UTF-8 text");

  // The values in the order their keys first appear, the last line winning.
  std::vector<Line> entries;
  forEachLine(text, [&](const Line& line) {
    if (!isText(line.whole)) return;
    for (auto& entry : entries)
      if (entry.key == line.key) return void(entry.value = line.value);
    entries.push_back(line);
  });
  bool replaced = false;
  for (auto& entry : entries)
    if (entry.key == name) entry.value = value, replaced = true;
  if (!replaced) entries.push_back({name, value, {}});
  std::string content = "# Wexmora settings\n";
  for (const auto& entry : entries) {
    content += entry.key;
    content += '=';
    content += entry.value;
    content += '\n';
  }
  return content;
}

}  // namespace wexmora::platform::settings_text
