// Any bytes as a processor list of /sys/devices/system/cpu ("0-3,8") and as
// a cache size ("32768K").
//
// What must hold: a list reads exactly as a plain split at "," and "-" reads
// it (numbers below the limit, no empty items, ranges that do not run
// backwards, blanks and line ends only around the whole list); its numbers
// come out sorted and each once, and written back as ranges they read the
// same again. A size is above zero and at most a tebibyte, reads the same
// when written back in bytes, and shows as "N Kb" or "N Mb".
#include <set>

#include "fuzz_support.h"
#include "platform/processor_files.h"
#include "platform/processor_topology.h"

namespace {

using namespace wexmora;
using fuzz::shown;

constexpr int kLimit = platform::kMaxLogicalProcessors;

std::string_view trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A number below the limit (leading zeros allowed), or -1.
long plainNumber(std::string_view digits) {
  if (digits.empty()) return -1;
  while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
  if (digits.size() > 5) return -1;
  long value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value < kLimit ? value : -1;
}

// The list read by splitting, written independently of the program's reader.
std::optional<std::set<int>> splitList(std::string_view text) {
  text = trimmed(text);
  std::set<int> ids;
  if (text.empty()) return ids;
  while (true) {
    const auto comma = text.find(',');
    const auto item = text.substr(0, comma);
    const auto dash = item.find('-');
    const long first = plainNumber(item.substr(0, dash));
    const long last = dash == std::string_view::npos ? first : plainNumber(item.substr(dash + 1));
    if (first < 0 || last < first) return std::nullopt;
    for (long id = first; id <= last; ++id) ids.insert(static_cast<int>(id));
    if (comma == std::string_view::npos) return ids;
    text.remove_prefix(comma + 1);
  }
}

std::string rangesOf(const std::vector<int>& ids) {
  std::string text;
  for (std::size_t i = 0; i < ids.size();) {
    std::size_t j = i;
    while (j + 1 < ids.size() && ids[j + 1] == ids[j] + 1) ++j;
    text += (text.empty() ? "" : ",") + std::to_string(ids[i]) + (j > i ? "-" + std::to_string(ids[j]) : "");
    i = j + 1;
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::asText(data, size);

  const auto ids = platform::parseCpuList(text, kLimit);
  const auto split = splitList(text);
  FUZZ_CHECK(ids.has_value() == split.has_value(),
             "read " + std::string(ids ? "" : "not ") + "as a list: " + shown(text));
  if (ids) {
    FUZZ_CHECK(std::set<int>(ids->begin(), ids->end()) == *split, "other numbers than the split's: " + shown(text));
    for (std::size_t i = 0; i < ids->size(); ++i)
      FUZZ_CHECK((*ids)[i] >= 0 && (*ids)[i] < kLimit && (i == 0 || (*ids)[i - 1] < (*ids)[i]),
                 "numbers not sorted, single and in range: " + shown(text));
    const std::string again = rangesOf(*ids) + "\n";
    FUZZ_CHECK(platform::parseCpuList(again, kLimit) == ids, "written back as " + shown(again) + " it reads otherwise");
  }

  if (const auto bytes = platform::parseCacheSize(text)) {
    FUZZ_CHECK(*bytes > 0 && *bytes <= (std::uint64_t{1} << 40), "size out of range: " + shown(text));
    FUZZ_CHECK(platform::parseCacheSize(std::to_string(*bytes)) == bytes,
               "size in bytes reads otherwise: " + shown(text));
    const std::string shownSize = platform::cacheText(*bytes);
    FUZZ_CHECK(shownSize.size() > 3 && shownSize[0] >= '0' && shownSize[0] <= '9' &&
                   (shownSize.ends_with(" Kb") || shownSize.ends_with(" Mb")),
               "size shown as " + shown(shownSize));
  }
  return 0;
}
