// Any brand string through the base clock of the probe and the model-key
// rule chain, as the identification pass runs them.
//
// What must hold for every brand string: the key is never longer than the
// brand string and is made of its characters (a rule adds at most the hyphen
// of "E3-1230" or the "Q" of "QX9650", and rule 17 upper-cases); Edit7 is
// Label1 trimmed; the chain reads nothing but Edit1 (the same brand gives the
// same key whatever Edit7 and Label1 held before); the badge moves exactly
// when "G39" occurs; and the base clock is four characters of the brand
// string and " GHz". (The probe target checks that no other control changes.)
#include <array>

#include "core/identify/model_key.h"
#include "core/identify/probe.h"
#include "core/identify/text.h"
#include "design_form.h"
#include "fuzz_support.h"

namespace {

using namespace wexmora;
using fuzz::shown;

constexpr std::string_view kDesignCaption = " Info";  // Label1 and Label14 before the pass
constexpr int kDesignBadgeLeft = 320;
constexpr int kShiftedBadgeLeft = 305;

bool madeOfBrand(std::string_view key, std::string_view brand) {
  std::array<bool, 256> present{};
  for (const unsigned char c : brand) present[c] = true;
  for (const unsigned char c : key) {
    const bool upperCased = c >= 'A' && c <= 'Z' && present[c - 'A' + 'a'];
    if (!present[c] && !upperCased && c != '-' && c != 'Q') return false;
  }
  return true;
}

void checkBaseClock(const TForm15& form, const std::string& brand) {
  const std::string& clock = form["Edit5"].text;
  if (brand.size() <= 10 || !text::contains(brand, "GHz")) {
    FUZZ_CHECK(clock.empty() && form["Label14"].text == kDesignCaption, "clock " + shown(clock));
    return;
  }
  FUZZ_CHECK(form["Label14"].text == clock, "Label14 " + shown(form["Label14"].text) + " Edit5 " + shown(clock));
  FUZZ_CHECK(clock.size() == 8 && clock.ends_with(" GHz"), "clock " + shown(clock));
  const std::string digits = clock.substr(0, 4);
  FUZZ_CHECK(text::contains(brand, digits + "GHz") || brand.starts_with(digits),
             "clock " + shown(clock) + " from " + shown(brand));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TForm15 form;
  const std::string brand = fuzz::asText(data, size);
  fuzz::restoreControls(form, {"Edit5", "Label14", "Edit7", "Label1", "Image1"});  // what the last input changed
  platform::FixedProcessorSource source(brand, "");
  readProcessorIdentity(form, source);
  if (form["Edit1"].text.size() > 10) deriveModelKey(form);

  const std::string key = form["Edit7"].text;
  const std::string label = form["Label1"].text;
  const auto context = [&] { return " for " + shown(brand) + ": Edit7 " + shown(key) + ", Label1 " + shown(label); };
  FUZZ_CHECK(form["Edit1"].text == brand, "Edit1 " + shown(form["Edit1"].text) + context());
  FUZZ_CHECK(key.size() <= brand.size(), "key longer than the brand string" + context());
  FUZZ_CHECK(key == text::trim(key), "untrimmed key" + context());
  FUZZ_CHECK(key == text::trim(label) || (key.empty() && label == kDesignCaption),
             "Edit7 is not Label1 trimmed" + context());
  FUZZ_CHECK(madeOfBrand(key, brand), "key characters that are not in the brand string" + context());
  if (brand.size() <= 10)
    FUZZ_CHECK(key.empty() && label == kDesignCaption, "a short brand string gave a key" + context());

  const int expectedLeft = brand.size() > 10 && text::contains(brand, "G39") ? kShiftedBadgeLeft : kDesignBadgeLeft;
  FUZZ_CHECK(form["Image1"].left == expectedLeft, "badge left " + std::to_string(form["Image1"].left) + context());
  checkBaseClock(form, brand);

  if (brand.size() > 10) {  // no rule reads what an earlier rule wrote, except through L
    form["Edit7"].text = form["Label1"].text = "stale";
    deriveModelKey(form);
    const bool fired = !key.empty() || label != kDesignCaption;
    FUZZ_CHECK(
        form["Edit7"].text == (fired ? key : "stale") && form["Label1"].text == (fired ? label : "stale"),
        "second run gave Edit7 " + shown(form["Edit7"].text) + ", Label1 " + shown(form["Label1"].text) + context());
  }
  return 0;
}
