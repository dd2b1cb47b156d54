#include "core/window/control_text.h"

#include <algorithm>

#include "core/model/control_names.h"
#include "core/texts/texts.h"

namespace wexmora {
namespace {

bool fitsItsText(const Control& control) {
  return control.name == main_controls::kPhotoModelKey || control.name == main_controls::kPhotoBaseClock ||
         control.name == main_controls::kPhotoSocket;
}

// "65 nm / 40 nm" -> "65/40 nm": where every part of a " / " list ends in
// the same unit, the unit once at the end.
std::string unitOnce(std::string_view value) {
  constexpr std::string_view kBetween = " / ";
  const std::size_t blank = value.rfind(' ');
  if (blank == std::string_view::npos || value.find(kBetween) == std::string_view::npos) return std::string(value);
  const std::string_view unit = value.substr(blank);  // " nm"
  std::string joined;
  for (std::string_view rest = value; !rest.empty();) {
    const std::size_t at = rest.find(kBetween);
    const std::string_view part = rest.substr(0, at);
    if (!part.ends_with(unit)) return std::string(value);
    joined += (joined.empty() ? "" : "/") + std::string(part.substr(0, part.size() - unit.size()));
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + kBetween.size());
  }
  return joined + std::string(unit);
}

// "Alder Lake (P/U/M)" -> "Alder Lake".
std::string withoutParenthesis(std::string_view value) {
  const std::size_t open = value.find(" (");
  if (open == std::string_view::npos || !value.ends_with(')')) return std::string(value);
  return std::string(value.substr(0, open));
}

// "Clearwater Forest" -> "Clearwater F.", "Granite Rapids-D" -> "Granite R.-D":
// names only, never a figure with its unit.
std::string lastWordByInitial(std::string_view value) {
  if (std::any_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::string(value);
  const std::size_t blank = value.rfind(' ');
  if (blank == std::string_view::npos || blank + 2 >= value.size()) return std::string(value);
  const std::string_view last = value.substr(blank + 1);
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (!isLetter(last[0]) || !isLetter(last[1])) return std::string(value);
  std::size_t end = 1;
  while (end < last.size() && isLetter(last[end])) ++end;
  return std::string(value.substr(0, blank + 2)) + "." + std::string(last.substr(end));
}

// "Westmere-EX" -> "Westmere", "Sandy Bridge EP" -> "Sandy Bridge": a die's
// name without its variant, capitals after a hyphen or a blank.
std::string withoutVariant(std::string_view value) {
  const std::size_t at = value.find_last_of("- ");
  if (at == std::string_view::npos || at == 0 || at + 1 >= value.size() || value.size() - at > 4 ||
      (value[at - 1] >= '0' && value[at - 1] <= '9'))  // "Pentium 4-M" is a name of its own
    return std::string(value);
  for (const char c : value.substr(at + 1))
    if (c < 'A' || c > 'Z') return std::string(value);
  return std::string(value.substr(0, at));
}

// "Sapphire Rapids Edge Enhanced" -> "Sapphire Rapids": a name of two words
// and what follows them, the two words.
std::string firstTwoWords(std::string_view value) {
  if (std::any_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::string(value);
  const std::size_t first = value.find(' ');
  const std::size_t second = first == std::string_view::npos ? first : value.find(' ', first + 1);
  return std::string(value.substr(0, second));
}

// "DDR4-3200, LPDDR4x-4267 MHz" -> "DDR4, LPDDR4x": memory types without their
// speeds, a type that extends the one before it by its letters ("LPDDR5/5x").
std::string typesOnly(std::string_view value) {
  if (!value.ends_with(" MHz") || value.find("DDR") == std::string_view::npos) return std::string(value);
  std::string types;
  for (std::string_view rest = value.substr(0, value.size() - 4); !rest.empty();) {
    const std::size_t comma = rest.find(',');
    std::string_view item = rest.substr(0, comma);
    while (item.starts_with(' ')) item.remove_prefix(1);
    item = item.substr(0, item.find_first_of("- "));
    std::string group;
    for (std::string_view names = item, before; !names.empty();) {
      const std::size_t slash = names.find('/');
      std::string_view name = names.substr(0, slash);
      const std::size_t digit = before.find_first_of("0123456789");
      if (digit != std::string_view::npos && name.starts_with(before.substr(0, digit)) && name.size() > digit)
        group += "/" + std::string(name.substr(digit));
      else
        group += (group.empty() ? "" : "/") + std::string(name);
      before = name;
      names = slash == std::string_view::npos ? std::string_view() : names.substr(slash + 1);
    }
    types += (types.empty() ? "" : ", ") + group;
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  }
  return types;
}

// "Intel 18A" -> "18A": a process node named after its maker, by its name
// (never a bare figure: "Intel 4" stays).
std::string nodeName(std::string_view value) {
  constexpr std::string_view kMakers[] = {"Intel ", "TSMC "};
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  for (const std::string_view maker : kMakers) {
    const std::string_view name = value.substr(std::min(maker.size(), value.size()));
    if (value.starts_with(maker) && std::any_of(name.begin(), name.end(), isLetter)) return std::string(name);
  }
  return std::string(value);
}

// "SledgeHammer" -> "SledgeH.": one name of two joined words, the second by its initial.
std::string joinedWordByInitial(std::string_view value) {
  if (value.find(' ') != std::string_view::npos || value.size() < 3) return std::string(value);
  for (std::size_t i = value.size() - 2; i > 1; --i)
    if (value[i] >= 'A' && value[i] <= 'Z' && value[i - 1] >= 'a' && value[i - 1] <= 'z' &&
        value.substr(i + 1).find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string_view::npos)
      return std::string(value.substr(0, i + 1)) + ".";
  return std::string(value);
}

// "65/40 nm" -> "65/40": several figures of one unit, the unit left to the caption.
std::string figuresOnly(std::string_view value) {
  const std::size_t blank = value.rfind(' ');
  if (blank == std::string_view::npos || value[0] < '0' || value[0] > '9' ||
      value.substr(0, blank).find('/') == std::string_view::npos ||
      value.substr(0, blank).find(' ') != std::string_view::npos)
    return std::string(value);
  return std::string(value.substr(0, blank));
}

}  // namespace

// "Неизвестно", "Unknown" -> "?": the unknown-value text where a count's
// narrow field has no room for it (its hint still names the field).
std::string unknownMark(std::string_view value) {
  for (const Language language : {Language::Russian, Language::English})
    if (value == textOf(TextId::Unknown, language)) return "?";
  return std::string(value);
}

std::vector<std::string> shorterForms(std::string_view value) {
  std::vector<std::string> forms{std::string(value)};
  for (std::string (*rule)(std::string_view) :
       {withoutParenthesis, unitOnce, withoutVariant, firstTwoWords, lastWordByInitial, joinedWordByInitial, nodeName,
        figuresOnly, typesOnly, unknownMark}) {
    std::string shorter = rule(forms.back());
    if (shorter != forms.back()) forms.push_back(std::move(shorter));
  }
  return forms;
}

std::string captionLine(std::string_view text) {
  std::string line;
  for (const char c : text)
    if (c != '\r' && c != '\n') line += c;
  return line;
}

std::string tooltipText(std::string_view hint, std::string_view lineBreak) {
  std::string text;
  std::size_t pendingBreaks = 0;  // written only once text follows them
  for (std::size_t i = 0; i < hint.size(); ++i) {
    if (hint[i] == '\r' || hint[i] == '\n') {
      if (hint[i] == '\r' && i + 1 < hint.size() && hint[i + 1] == '\n') ++i;
      ++pendingBreaks;
      continue;
    }
    for (; pendingBreaks > 0; --pendingBreaks) text += lineBreak;
    text += hint[i];
  }
  return text;
}

ControlRect controlRect(const Control& control, int textWidth, int textHeight) {
  ControlRect rect{control.left, control.top, control.width, control.height};
  if (control.kind != ControlKind::Label) return rect;
  rect.width = control.width == 0 || fitsItsText(control) ? textWidth : std::max(control.width, textWidth);
  rect.height = std::max(control.height, textHeight);
  return rect;
}

}  // namespace wexmora
