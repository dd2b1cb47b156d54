// Any stored text as a catalogue record: through the lookup's decoder (base64
// unless the text holds "Intel"), the CP1251 conversion and the record split
// into the data sheet.
//
// What must hold: base64 and CP1251 round-trip; the decoded record replaces
// the stored form and is not decoded again; field k of the data sheet is the
// text between the (k-1)-th and k-th "|" (empty once the separators run
// out), all of them valid UTF-8 without a separator; the socket caption
// repeats the socket; and a trailing "|@3.30 GHz" or "|@3.3 GHz" becomes the
// base clock while the technologies keep field 15 alone.
#include <algorithm>
#include <array>
#include <cctype>

#include "core/catalogue/lookup.h"
#include "core/data/record_list.h"
#include "core/identify/text.h"
#include "design_form.h"
#include "fuzz_support.h"
#include "support/fakes.h"

namespace {

using namespace wexmora;
using fuzz::shown;

// The display fields of record fields 2 to 14, in record order.
constexpr const char* kFieldTargets[] = {"Edit18", "Edit6",  "Edit8",  "Edit9",  "Edit11", "Edit15", "Edit12",
                                         "Edit10", "Edit13", "Edit14", "Edit19", "Edit17", "Edit16"};
constexpr std::string_view kAlsoWritten[] = {"Label15", "Memo2", "Edit5", "Label14", "Image4", "Edit7"};
constexpr std::string_view kDesignClock = " Info";

std::vector<std::string> splitAtBars(const std::string& text) {
  std::vector<std::string> pieces(1);
  for (const char c : text) {
    if (c == '|')
      pieces.emplace_back();
    else
      pieces.back() += c;
  }
  return pieces;
}

// `text` without its last character (a whole UTF-8 sequence).
std::string withoutLastCharacter(std::string text) {
  std::size_t start = text.size();
  while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80) --start;
  text.erase(start > 0 ? start - 1 : 0);
  return text;
}

void checkCodecs(const std::string& stored, const std::string& plain, const std::string& utf8) {
  const std::string encoded = catalogue::encodeBase64(stored);
  FUZZ_CHECK(encoded.size() == (stored.size() + 2) / 3 * 4, "base64 length of " + shown(stored));
  FUZZ_CHECK(catalogue::decodeBase64(encoded) == stored, "base64 round trip of " + shown(stored));
  FUZZ_CHECK(fuzz::validUtf8(utf8), "CP1251 gave invalid UTF-8 for " + shown(plain));
  std::string back = plain;
  for (char& c : back)
    if (static_cast<unsigned char>(c) == 0x98) c = '?';  // the one unassigned CP1251 byte
  FUZZ_CHECK(catalogue::utf8ToCp1251(utf8) == back, "CP1251 round trip of " + shown(plain));
}

void checkSheet(const TForm15& form, const std::string& record) {
  // The form lives for the whole run and its controls are only copied over
  // in place, so they keep their addresses: look them up once.
  static const auto targets = [&] {
    std::array<const Control*, std::size(kFieldTargets)> found{};
    for (std::size_t k = 0; k < found.size(); ++k) found[k] = &form[kFieldTargets[k]];
    return found;
  }();
  static const Control& socketCaption = form["Label15"];
  static const Control& memoControl = form["Memo2"];
  static const Control& clockField = form["Edit5"];
  static const Control& clockCaption = form["Label14"];

  const auto context = [&] { return " for record " + shown(record); };
  const auto pieces = splitAtBars(record);
  const std::size_t bars = pieces.size() - 1;
  for (std::size_t k = 0; k < targets.size(); ++k) {
    static const std::string kNone;
    const std::string& expected = bars >= k + 2 ? pieces[k + 1] : kNone;
    const std::string& got = targets[k]->text;
    FUZZ_CHECK(got == expected,
               std::string(kFieldTargets[k]) + " " + shown(got) + ", expected " + shown(expected) + context());
  }
  FUZZ_CHECK(socketCaption.text == targets[4]->text, "Label15 differs from Edit11" + context());

  // What is left after fields 1 to 14, without its last character.
  std::size_t from = 0;
  for (std::size_t k = 0; k < std::min<std::size_t>(bars, 14); ++k) from = record.find('|', from) + 1;
  const std::string rest = withoutLastCharacter(record.substr(from));
  const std::string& memo = memoControl.text;
  const std::string& clock = clockField.text;
  if (rest.find("|@") == std::string::npos) {
    FUZZ_CHECK(memo == rest, "Memo2 " + shown(memo) + ", expected " + shown(rest) + context());
    FUZZ_CHECK(fuzz::validUtf8(memo), "Memo2 not UTF-8" + context());
    FUZZ_CHECK(clock.empty() && clockCaption.text == kDesignClock, "clock set without a base frequency" + context());
    return;
  }
  FUZZ_CHECK(clockCaption.text == clock, "Label14 differs from Edit5" + context());
  // A well-formed field 16 ("@3.30 GHz" or "@3.3 GHz"; its "z" is gone).
  for (const std::size_t decimals : {2, 1}) {
    const std::size_t length = std::string_view("|@3. GH").size() + decimals;
    if (rest.size() < length) continue;
    const std::string tail = rest.substr(rest.size() - length);
    const std::string number = tail.substr(2, 2 + decimals);
    const bool wellFormed =
        tail.starts_with("|@") && tail.ends_with(" GH") && number[1] == '.' &&
        std::isdigit(static_cast<unsigned char>(number[0])) &&
        std::all_of(number.begin() + 2, number.end(), [](unsigned char c) { return std::isdigit(c); });
    if (!wellFormed) continue;
    FUZZ_CHECK(clock == number + " GHz", "Edit5 " + shown(clock) + context());
    const std::string field15 = rest.substr(0, rest.size() - length);
    FUZZ_CHECK(memo == field15, "Memo2 " + shown(memo) + ", expected " + shown(field15) + context());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TForm15 form;
  static catalogue::Lists lists;
  static testing::RecordingSleeper sleeper;
  const std::string stored = fuzz::asText(data, size);
  const std::string plain = text::contains(stored, "Intel") ? stored : catalogue::decodeBase64(stored);
  const std::string record = catalogue::cp1251ToUtf8(plain);
  checkCodecs(stored, plain, record);

  // What the last input's lookup wrote: the data sheet, the socket caption,
  // the clock, the QR image and the key.
  for (const char* field : kFieldTargets) form[field] = fuzz::designForm()[field];
  for (const std::string_view name : kAlsoWritten) form[name] = fuzz::designForm()[name];
  lists.ListBox2 = catalogue::RecordList({stored});
  form["Edit7"].text = lists.ListBox1.front();
  sleeper.waits.clear();
  lookUpCatalogue(form, lists, sleeper);
  FUZZ_CHECK(lists.ListBox2.stored(0) == plain, "stored form not replaced by " + shown(plain));
  FUZZ_CHECK(form["Image4"].picture == (Picture{PictureSource::Qr, 0}), "QR image not shown for " + shown(stored));
  const std::size_t waits = text::contains(stored, "Intel") ? 2 : 1;
  FUZZ_CHECK(sleeper.waits.size() == waits, std::to_string(sleeper.waits.size()) + " waits for " + shown(stored));
  checkSheet(form, record);
  if (fuzz::replaying()) {  // the controls put back above are all the lookup writes
    std::vector<std::string_view> written(std::begin(kAlsoWritten), std::end(kAlsoWritten));
    written.insert(written.end(), std::begin(kFieldTargets), std::end(kFieldTargets));
    const std::string changed = fuzz::changedOutside(form, written);
    FUZZ_CHECK(changed.empty(), "controls changed: " + changed + " for " + shown(stored));
  }
  return 0;
}
