// Any bytes through the model-number reader and the extended table's lookup.
// The input is the brand string, then optionally a NUL and two bytes giving
// the identifier's family and model.
//
// What must hold for every input: a reading's span lies inside the brand
// string and its number is exactly that span without the maker's marks (so
// nothing is read that the brand string does not say); the number holds a
// digit, and its digits stand together, in order, among the digits of the
// key (the key adds a line name or a hyphen, never other digits in between);
// the family and model only decide a brand string that reads two ways, they
// never change a reading made without them; the same input reads the same;
// and a row the lookup finds carries the key looked up. The brand line is
// there only with a line or a clock, its line begins with its maker's name,
// its clock and core count are not negative, and it reads the same twice.
#include <optional>
#include <string>
#include <vector>

#include "core/extended/extended_table.h"
#include "core/identify/model_number.h"
#include "fuzz_support.h"

namespace {

using namespace wexmora;
using fuzz::shown;

std::string digitsOf(std::string_view text) {
  std::string out;
  for (const char c : text)
    if (c >= '0' && c <= '9') out += c;
  return out;
}

void checkReading(const std::string& brand, const ModelNumberReading& reading) {
  FUZZ_CHECK(reading.length > 0 && reading.at <= brand.size() && reading.length <= brand.size() - reading.at,
             "span " + std::to_string(reading.at) + "+" + std::to_string(reading.length) + " of " + shown(brand));
  FUZZ_CHECK(reading.number == withoutMarks(std::string_view(brand).substr(reading.at, reading.length)),
             "number " + shown(reading.number) + " is not the span of " + shown(brand));
  const std::string digits = digitsOf(reading.number);
  FUZZ_CHECK(!digits.empty(), "number without a digit " + shown(reading.number));
  FUZZ_CHECK(digitsOf(reading.key).find(digits) != std::string::npos,
             "key " + shown(reading.key) + " does not carry the digits of " + shown(reading.number));
  FUZZ_CHECK(!reading.key.empty() && !reading.shown.empty() && reading.key.front() != ' ' && reading.key.back() != ' ',
             "key " + shown(reading.key) + " shown " + shown(reading.shown));
  const auto row = findExtendedRow(reading.vendor, reading.key);
  FUZZ_CHECK(!row || row->key == reading.key,
             "row " + shown(std::string(row ? row->key : "")) + " for " + shown(reading.key));
}

void checkBrandLine(const std::string& brand) {
  const auto line = readBrandLine(brand);
  const auto again = readBrandLine(brand);
  FUZZ_CHECK(line.has_value() == again.has_value() &&
                 (!line || (line->productLine == again->productLine && line->clockMhz == again->clockMhz &&
                            line->cores == again->cores && line->vendor == again->vendor)),
             "two brand lines of " + shown(brand) + " differ");
  if (!line) return;
  FUZZ_CHECK(!line->productLine.empty() || line->clockMhz > 0, "a brand line without line or clock " + shown(brand));
  FUZZ_CHECK(line->clockMhz >= 0 && line->cores >= 0, "a negative clock or core count for " + shown(brand));
  const std::string_view maker = line->vendor == platform::Vendor::Intel ? "Intel "
                                 : line->vendor == platform::Vendor::Amd ? "AMD"
                                                                         : "VIA ";
  FUZZ_CHECK(line->productLine.empty() || line->productLine.starts_with(maker),
             "line " + shown(line->productLine) + " of another maker in " + shown(brand));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> parts = fuzz::fields(data, size);
  const std::string& brand = parts[0];
  std::optional<FamilyModel> identity;
  if (parts.size() > 1 && parts[1].size() >= 2)
    identity = FamilyModel{static_cast<unsigned char>(parts[1][0]), static_cast<unsigned char>(parts[1][1])};

  const auto plain = readModelNumber(brand);
  const auto decided = readModelNumber(brand, identity);
  if (plain) checkReading(brand, *plain);
  if (decided) checkReading(brand, *decided);
  if (plain) {
    FUZZ_CHECK(decided && decided->key == plain->key && decided->at == plain->at,
               "the family and model changed the reading of " + shown(brand));
  }
  checkBrandLine(brand);
  const auto again = readModelNumber(brand, identity);
  FUZZ_CHECK(again.has_value() == decided.has_value() && (!again || again->key == decided->key),
             "two readings of " + shown(brand) + " differ");
  return 0;
}
