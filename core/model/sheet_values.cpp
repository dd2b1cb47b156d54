#include "core/model/sheet_values.h"

#include <cstdio>

#include "base/join.h"
#include "core/model/control_names.h"
#include "core/model/form_model.h"

namespace wexmora {
namespace {

// A decimal such as "3.20" or "19.25": its whole part, and its fraction in
// units of 10^-`places` (further digits dropped). At most six digits.
struct FixedPoint {
  std::uint64_t whole = 0, fraction = 0;
};
std::optional<FixedPoint> fixedPointOf(std::string_view text, int places) {
  FixedPoint value;
  int fractionDigits = 0, digits = 0;
  bool point = false;
  for (const char c : text) {
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9' || ++digits > 6) return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (!point)
      value.whole = value.whole * 10 + digit;
    else if (fractionDigits < places)
      value.fraction = value.fraction * 10 + digit, ++fractionDigits;
  }
  if (digits == 0) return std::nullopt;
  for (; fractionDigits < places; ++fractionDigits) value.fraction *= 10;
  return value;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::vector<std::string_view> parts(std::string_view text, char separator) {
  std::vector<std::string_view> out;
  while (!text.empty()) {
    const auto at = text.find(separator);
    if (const auto part = trimmed(text.substr(0, at)); !part.empty()) out.push_back(part);
    if (at == std::string_view::npos) break;
    text.remove_prefix(at + 1);
  }
  return out;
}

constexpr std::string_view kNone = "-";

}  // namespace

std::optional<int> clockMhzOf(std::string_view text) {
  constexpr std::string_view kUnit = " GHz";
  text = trimmed(text);
  if (!text.ends_with(kUnit)) return std::nullopt;
  text.remove_suffix(kUnit.size());
  const auto value = fixedPointOf(text, 3);
  if (!value || value->whole > 100) return std::nullopt;
  const int mhz = static_cast<int>(value->whole * 1000 + value->fraction);
  return mhz > 0 ? std::optional<int>(mhz) : std::nullopt;
}

std::string clockText(int megahertz) {
  const int hundredths = (megahertz + 5) / 10;  // rounded to 10 MHz
  char text[32];
  std::snprintf(text, sizeof text, "%d.%02d GHz", hundredths / 100, hundredths % 100);
  return text;
}

std::optional<std::uint64_t> cacheBytesOf(std::string_view text) {
  std::uint64_t unit = 0;
  if (text.ends_with(" Mb"))
    unit = 1024 * 1024;
  else if (text.ends_with(" Kb"))
    unit = 1024;
  else
    return std::nullopt;
  text.remove_suffix(3);
  const auto value = fixedPointOf(text, 2);
  if (!value) return std::nullopt;
  const std::uint64_t bytes = value->whole * unit + value->fraction * unit / 100;
  return bytes > 0 ? std::optional<std::uint64_t>(bytes) : std::nullopt;
}

std::optional<CacheSize> cacheSizeOf(std::string_view text) {
  constexpr std::string_view kL2 = " L2";
  const bool l2 = text.ends_with(kL2);
  if (l2) text.remove_suffix(kL2.size());
  const auto bytes = cacheBytesOf(text);
  if (!bytes) return std::nullopt;
  return CacheSize{*bytes, l2 ? 2 : 3};
}

int countOf(std::string_view text) {
  int value = 0;
  if (text.empty() || text.size() > 6) return 0;
  for (const char c : text) {
    if (!isDigit(c)) return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<double> celsiusOf(std::string_view text) {
  constexpr std::string_view kUnit = "\u00B0C";
  text = trimmed(text);
  if (!text.ends_with(kUnit)) return std::nullopt;
  text = trimmed(text.substr(0, text.size() - kUnit.size()));
  const auto value = fixedPointOf(text, 2);
  if (!value) return std::nullopt;
  return static_cast<double>(value->whole) + static_cast<double>(value->fraction) / 100;
}

std::optional<Lithography> lithographyOf(std::string_view text) {
  text = trimmed(text.substr(0, text.find(" / ")));
  constexpr std::string_view kIntel = "Intel ";
  if (text.starts_with(kIntel) && text.size() > kIntel.size()) return Lithography{0, std::string(text)};
  constexpr std::string_view kUnit = " nm";
  if (!text.ends_with(kUnit)) return std::nullopt;
  const auto value = fixedPointOf(text.substr(0, text.size() - kUnit.size()), 2);
  if (!value || value->whole == 0) return std::nullopt;
  return Lithography{static_cast<double>(value->whole) + static_cast<double>(value->fraction) / 100, {}};
}

std::vector<MemoryType> memoryOf(std::string_view text) {
  constexpr std::string_view kUnit = " MHz";
  text = trimmed(text);
  if (text.ends_with(kUnit)) text.remove_suffix(kUnit.size());
  std::vector<MemoryType> types;
  for (std::string_view part : parts(text, ',')) {
    if (part.ends_with(kUnit)) part.remove_suffix(kUnit.size());
    // "DDR3/DDR3L-1333/1600": the types, then after the last hyphen before a figure their speeds.
    std::size_t dash = std::string_view::npos;
    for (std::size_t i = part.size(); i-- > 0;)
      if (part[i] == '-' && i + 1 < part.size() && isDigit(part[i + 1])) {
        dash = i;
        break;
      }
    std::vector<int> speeds;
    if (dash != std::string_view::npos)
      for (const std::string_view speed : parts(part.substr(dash + 1), '/'))
        if (const int mhz = countOf(speed)) speeds.push_back(mhz);
    for (const std::string_view type : parts(part.substr(0, dash), '/'))
      if (type.find("DDR") != std::string_view::npos) types.push_back({std::string(type), speeds});
  }
  return types;
}

void setSheetField(TForm15& form, std::string_view control, std::string text) {
  using namespace main_controls;
  DataSheet& sheet = form.facts.sheet;
  const std::string_view value = text;
  const bool none = value == kNone;
  if (control == kProductLine) {
    sheet.productLine = text;
  } else if (control == kBaseClock) {
    sheet.baseMhz = clockMhzOf(value).value_or(0);
  } else if (control == kTurboClock) {
    sheet.turboMhz = clockMhzOf(value).value_or(0);
    sheet.noTurbo = none;
  } else if (control == kCores) {
    sheet.cores = countOf(value);
  } else if (control == kThreads) {
    sheet.threads = countOf(value);
  } else if (control == kSocket) {
    sheet.socket = text;
  } else if (control == kSegment) {
    sheet.segment = text;
  } else if (control == kCodeName) {
    sheet.codeName = text;
  } else if (control == kMaxTemperature) {
    sheet.maxTemperatureCelsius = celsiusOf(value);
  } else if (control == kLithography) {
    sheet.lithography = lithographyOf(value);
  } else if (control == kMemory) {
    sheet.memory = memoryOf(value);
  } else if (control == kGraphics) {
    sheet.graphics = none ? std::string() : text;
    sheet.noGraphics = none;
  } else if (control == kL3Cache) {
    sheet.cache = cacheSizeOf(value);
    sheet.noCache = none;
  } else if (control == kPcie) {
    sheet.pcie.clear();
    for (const std::string_view revision : parts(value, ',')) sheet.pcie.emplace_back(revision);
  } else if (control == kTechnologies) {
    sheet.technologies = base::splitAtCommas(value);
  }
  form[control].text = std::move(text);
}

}  // namespace wexmora
