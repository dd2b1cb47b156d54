// Any brand string and identifier (separated by a NUL byte) through the whole
// probe stage and the model-key chain that follows it.
//
// What must hold: the brand field shows the brand string exactly; the data
// fields are empty but for the key and the base clock; the pictures are
// cleared; each family/model/stepping field is a whole word (no blanks, no
// control characters at its ends), stays empty when its word is missing or
// the identifier is too short, and shows the whole number of identifiers
// written the way Windows writes them ("Model 158" shows 158).
#include <cctype>

#include "core/identify/model_key.h"
#include "core/identify/probe.h"
#include "core/identify/text.h"
#include "design_form.h"
#include "fuzz_support.h"

namespace {

using namespace wexmora;
using fuzz::shown;

constexpr std::string_view kStageFields[] = {"Edit1",   "Edit2", "Edit3",  "Edit4", "Edit5",
                                             "Label14", "Edit7", "Label1", "Image1"};
constexpr const char* kDataFields[] = {"Edit11", "Edit6",  "Edit8",  "Edit9",  "Edit16", "Edit15", "Edit12",
                                       "Edit18", "Edit19", "Edit14", "Edit13", "Edit10", "Edit17", "Memo2"};

struct Part {
  const char* word;
  const char* field;
};
constexpr Part kParts[] = {{"Family", "Edit2"}, {"Model", "Edit3"}, {"Stepping", "Edit4"}};

// The decimal number after the first "<word> " when it ends at a blank or
// at the end of the identifier; "" otherwise.
std::string numberAfter(const std::string& identifier, std::string_view word) {
  const auto at = identifier.find(word);
  if (at == std::string::npos) return {};
  std::size_t i = at + word.size();
  if (i >= identifier.size() || identifier[i] != ' ') return {};
  const std::size_t first = ++i;
  while (i < identifier.size() && std::isdigit(static_cast<unsigned char>(identifier[i]))) ++i;
  if (i < identifier.size() && identifier[i] != ' ') return {};
  return identifier.substr(first, i - first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TForm15 form;
  const auto parts = fuzz::fields(data, size);
  const std::string brand = parts[0];
  const std::string identifier = parts.size() > 1 ? parts[1] : "";
  const auto context = [&] { return " for brand " + shown(brand) + ", identifier " + shown(identifier); };

  fuzz::restoreControls(form);
  form["Image1"].picture = {PictureSource::Badges, 46};
  form["Image4"].picture = {PictureSource::Qr, 1};
  for (const char* field : kDataFields) form[field].text = "old";
  platform::FixedProcessorSource source(brand, identifier);
  readProcessorIdentity(form, source);
  if (form["Edit1"].text.size() > 10) deriveModelKey(form);

  FUZZ_CHECK(form["Edit1"].text == brand, "Edit1 " + shown(form["Edit1"].text) + context());
  FUZZ_CHECK(form["Image1"].picture.empty() && form["Image4"].picture.empty(), "pictures not cleared" + context());
  for (const char* field : kDataFields)
    FUZZ_CHECK(form[field].text.empty(), std::string(field) + " not emptied: " + shown(form[field].text) + context());

  for (const auto& part : kParts) {
    const std::string& value = form[part.field].text;
    const auto what = [&] { return std::string(part.field) + " " + shown(value) + context(); };
    if (identifier.size() + 1 <= 5 || !text::contains(identifier + " ", part.word)) {
      FUZZ_CHECK(value.empty(), what());
      continue;
    }
    FUZZ_CHECK(value == text::trim(value) && value.find(' ') == std::string::npos, what());
    FUZZ_CHECK(value.size() <= identifier.size(), what());
    if (const std::string number = numberAfter(identifier, part.word); !number.empty())
      FUZZ_CHECK(value == number, what() + ", expected " + shown(number));
  }

  if (brand.size() <= 10)
    FUZZ_CHECK(form["Edit5"].text.empty() && form["Edit7"].text.empty(), "a short brand string was read" + context());
  const std::string changed = fuzz::changedOutside(form, kStageFields);
  FUZZ_CHECK(changed.empty(), "controls changed: " + changed + context());
  return 0;
}
