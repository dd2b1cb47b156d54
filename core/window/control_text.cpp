#include "core/window/control_text.h"

#include <algorithm>

#include "core/model/control_names.h"
#include "core/model/sheet_values.h"
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

// "Неизвестно", "Unknown" -> "?": the unknown-value text where a count's
// narrow field has no room for it (its hint still names the field).
std::string unknownMark(std::string_view value) {
  for (const Language language : {Language::Russian, Language::English})
    if (value == textOf(TextId::Unknown, language)) return "?";
  return std::string(value);
}

// Replaces the first `from` in `value` that stands as a whole word (or at
// the given end) by `to`.
std::string replaced(std::string_view value, std::string_view from, std::string_view to, bool atStart = false,
                     bool atEnd = false) {
  const std::size_t at =
      atEnd ? (value.ends_with(from) ? value.size() - from.size() : std::string_view::npos) : value.find(from);
  if (at == std::string_view::npos || (atStart && at != 0)) return std::string(value);
  return std::string(value.substr(0, at)) + std::string(to) + std::string(value.substr(at + from.size()));
}

// Graphics by their model: "AMD Radeon Vega 8 Graphics" -> "AMD Radeon Vega 8",
// "Intel UHD Graphics 630" -> "Intel UHD 630"; then without the maker
// ("Radeon Vega 8", "UHD 630").
std::string withoutGraphicsWord(std::string_view value) { return replaced(value, " Graphics", ""); }
std::string graphicsWithoutMaker(std::string_view value) {
  for (const std::string_view brand : {"Radeon", "UHD", "HD", "Iris", "Arc"})
    for (const std::string_view maker : {"AMD ", "Intel "})
      if (value.starts_with(std::string(maker) + std::string(brand))) return std::string(value.substr(maker.size()));
  return std::string(value);
}

// AMD's lines as their field has room for them: "AMD Ryzen Threadripper PRO" ->
// "AMD Threadripper PRO", "AMD Embedded R-Series" -> "AMD R-Series", "PRO" at
// the end as "Pro", "AMD Ryzen AI 9 HX" -> "AMD AI 9 HX".
std::string threadripperAlone(std::string_view value) {
  return replaced(value, "AMD Ryzen Threadripper", "AMD Threadripper", true);
}
std::string embeddedByLetter(std::string_view value) { return replaced(value, "AMD Embedded ", "AMD ", true); }
std::string proInSmallLetters(std::string_view value) {
  return value.starts_with("AMD ") ? replaced(value, " PRO", " Pro", false, true) : std::string(value);
}
std::string ryzenAiAsAi(std::string_view value) { return replaced(value, "AMD Ryzen AI ", "AMD AI ", true); }

// "3.0, 4.0, 5.0" -> "5.0": the PCI Express revisions by the highest.
std::string highestRevision(std::string_view value) {
  const std::size_t last = value.rfind(", ");
  if (last == std::string_view::npos || value.empty() || value[0] < '0' || value[0] > '9') return std::string(value);
  for (const char c : value)
    if (!(c == '.' || c == ',' || c == ' ' || (c >= '0' && c <= '9'))) return std::string(value);
  return std::string(value.substr(last + 2));
}

// The memory field's forms, each shorter than the one before: the speeds
// after each type ("DDR4-3200 MHz, LPDDR4-4266 MHz", the table's whole
// value), the unit once at the end, types of the same speeds joined
// ("DDR4/LPDDR4-3200 MHz"), the fastest speed of each type, no blank after a
// comma.
struct MemoryForm {
  bool unitOnce, join, fastest;
  std::string_view comma;
};
constexpr MemoryForm kMemoryForms[] = {
    {false, false, false, ", "}, {true, false, false, ", "}, {true, true, false, ", "},
    {true, true, true, ", "},    {true, true, true, ","},
};

std::string memoryText(const std::vector<MemoryType>& types, const MemoryForm& form) {
  std::vector<std::pair<std::vector<std::string>, std::vector<int>>> groups;
  for (const MemoryType& type : types) {
    std::vector<int> speeds = type.speedsMhz;
    if (form.fastest && speeds.size() > 1) speeds.erase(speeds.begin(), speeds.end() - 1);
    auto same = std::find_if(groups.begin(), groups.end(),
                             [&](const auto& group) { return form.join && !speeds.empty() && group.second == speeds; });
    if (same != groups.end())
      same->first.push_back(type.type);
    else
      groups.push_back({{type.type}, speeds});
  }
  std::string text;
  bool anySpeed = false;
  for (const auto& [names, speeds] : groups) {
    if (!text.empty()) text += form.comma;
    for (std::size_t i = 0; i < names.size(); ++i) text += (i ? "/" : "") + names[i];
    for (std::size_t i = 0; i < speeds.size(); ++i) text += (i ? "/" : "-") + std::to_string(speeds[i]);
    if (!speeds.empty() && !form.unitOnce) text += " MHz";
    anySpeed = anySpeed || !speeds.empty();
  }
  if (form.unitOnce && anySpeed) text += " MHz";
  return text;
}

// The memory field's forms of a value that names memory types, else none.
std::vector<std::string> memoryForms(std::string_view value) {
  if (value.find("DDR") == std::string_view::npos) return {};
  const std::vector<MemoryType> types = memoryOf(value);
  if (types.empty()) return {};
  std::vector<std::string> forms;
  for (const MemoryForm& form : kMemoryForms) forms.push_back(memoryText(types, form));
  return forms;
}

}  // namespace

std::vector<std::string> shorterForms(std::string_view value) {
  std::vector<std::string> forms{std::string(value)};
  const auto add = [&forms](std::string shorter) {
    if (shorter != forms.back() && shorter.size() < forms.back().size() + 1) forms.push_back(std::move(shorter));
  };
  for (std::string& memory : memoryForms(value)) add(std::move(memory));
  for (std::string (*rule)(std::string_view) :
       {withoutGraphicsWord, graphicsWithoutMaker, threadripperAlone, embeddedByLetter, proInSmallLetters, ryzenAiAsAi,
        highestRevision, withoutParenthesis, unitOnce, withoutVariant, firstTwoWords, lastWordByInitial,
        joinedWordByInitial, nodeName, figuresOnly, typesOnly, unknownMark})
    add(rule(forms.back()));
  return forms;
}

std::string shownText(const Control& control, double room, const std::function<double(std::string_view)>& width,
                      bool editing) {
  if (editing && !control.style.readOnly) return control.text;
  const std::vector<std::string> forms = shorterForms(control.text);
  for (const std::string& form : forms)
    if (width(form) <= room) return form;
  return forms.back();
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
