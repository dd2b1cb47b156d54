// Any brand string, identifier, stored language and language switch through
// the whole identification pass and every output of wexmora-info (text, JSON,
// control dump), with the waits skipped. The input is the four texts cut at
// NUL bytes; a missing third text means no stored language at all, a missing
// or non-numeric fourth one no switch.
//
// What must hold: every run ends with exit code 0 and no error; both JSON
// outputs parse; the text has its twenty lines; the three outputs agree on
// the model key; the selector ends on the stored or switched index; the
// stored settings are never written; every web address is an https address
// on the site's host whose key part is percent-encoded and decodes to the
// handed-over key; and an identified processor's QR code encodes exactly its
// detailed-page address.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/info/run.h"
#include "base/site.h"
#include "core/data/key_list.h"
#include "core/data/qr_image.h"
#include "core/pass/settings.h"
#include "fuzz_support.h"
#include "support/fakes.h"

namespace {

using namespace wexmora;
using fuzz::shown;
using Json = nlohmann::json;

// The JSON outputs show bytes that are not UTF-8 as U+FFFD; what they stood
// for is then unknown here.
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

struct Outputs {
  std::string text;
  Json sheet, controls;
};

std::string runOutput(info::Options options, info::Output output, platform::SettingsStore& stored,
                      const std::string& context) {
  options.output = output;
  platform::FixedProcessorSource machine("Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz", "");
  std::ostringstream out, err;
  const int code = info::run(options, machine, stored, out, err);
  FUZZ_CHECK(code == 0 && err.str().empty(), "exit code " + std::to_string(code) + ", stderr " + err.str() + context);
  return out.str();
}

Json parsed(const std::string& text, const std::string& context) {
  try {
    return Json::parse(text);
  } catch (const Json::exception& error) {
    fuzz::fail(__FILE__, __LINE__, "the JSON output parses", error.what() + context + "\n" + text);
  }
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The key part of an address, percent-decoded; nothing when the address is
// not "https://HOST/cpu/<page><key><suffix>" with a well-encoded key.
std::optional<std::string> addressKey(const std::string& url, std::string_view page, std::string_view suffix) {
  const std::string prefix = site::base() + "/cpu/" + std::string(page);
  if (!url.starts_with(prefix) || !url.ends_with(suffix) || url.size() < prefix.size() + suffix.size()) return {};
  const std::string_view key = std::string_view(url).substr(prefix.size(), url.size() - prefix.size() - suffix.size());
  std::string decoded;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const unsigned char c = key[i];
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      decoded += static_cast<char>(c);
    } else if (c == '%' && i + 2 < key.size() && hexValue(key[i + 1]) >= 0 && hexValue(key[i + 2]) >= 0) {
      decoded += static_cast<char>(hexValue(key[i + 1]) * 16 + hexValue(key[i + 2]));
      i += 2;
    } else {
      return {};
    }
  }
  return decoded;
}

void checkLinks(const Json& links, const std::string& handedOver, const std::string& context) {
  std::string expected = handedOver;
  if (const auto blank = expected.find(' '); blank != std::string::npos) expected[blank] = '_';
  const struct {
    const char* name;
    std::string_view page, suffix;
  } kPages[] = {
      {"front", "front-", "-photo.html"}, {"back", "back-", "-photo.html"}, {"detailed", "detailed-", ".html"}};
  for (const auto& page : kPages) {
    const std::string url = links[page.name].get<std::string>();
    const auto key = addressKey(url, page.page, page.suffix);
    FUZZ_CHECK(key.has_value(), std::string(page.name) + " address " + shown(url) + context);
    FUZZ_CHECK(*key == expected,
               std::string(page.name) + " address " + shown(url) + " for the key " + shown(handedOver) + context);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fuzz::fields(data, size);
  info::Options options;
  options.brand = parts[0];
  options.identifier = parts.size() > 1 ? parts[1] : "";
  if (parts.size() > 2) options.storedLanguage = parts[2];
  if (parts.size() > 3) {
    int index = 0;
    const auto& text = parts[3];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (error == std::errc() && end == text.data() + text.size() && !text.empty()) options.switchLanguage = index;
  }
  const std::string context = " for brand " + shown(parts[0]) + ", identifier " + shown(*options.identifier) +
                              ", stored " + shown(options.storedLanguage.value_or("(none)")) + ", switch " +
                              (options.switchLanguage ? std::to_string(*options.switchLanguage) : "(none)");

  testing::FakeSettingsStore stored;
  stored.failWrites = true;  // wexmora-info must never write them
  Outputs outputs;
  outputs.text = runOutput(options, info::Output::Text, stored, context);
  outputs.sheet = parsed(runOutput(options, info::Output::Json, stored, context), context);
  outputs.controls = parsed(runOutput(options, info::Output::Controls, stored, context), context);
  FUZZ_CHECK(stored.values.empty(), "the stored settings changed" + context);

  const Json& controls = outputs.controls["controls"];
  FUZZ_CHECK(outputs.controls["error"].is_null(), "pass error " + outputs.controls["error"].dump() + context);
  if (fuzz::validUtf8(*options.brand)) {
    FUZZ_CHECK(controls["Edit1"]["text"] == *options.brand, "Edit1 " + controls["Edit1"]["text"].dump() + context);
    FUZZ_CHECK(outputs.sheet["brand"] == *options.brand, "brand " + outputs.sheet["brand"].dump() + context);
  }

  const int storedIndex = storedLanguageIndex(options.storedLanguage).value_or(0);
  const int index = options.switchLanguage.value_or(storedIndex);
  FUZZ_CHECK(controls["ComboBox1"]["index"] == index, "ComboBox1 " + controls["ComboBox1"]["index"].dump() + context);

  // A sheet of the extended table, the brand string or the machine's facts has a line that says so.
  const Json& source = outputs.sheet["source"];
  const bool secondSource = source == "extended" || source == "machine" || source == "brand";
  FUZZ_CHECK(source.is_null() || source == "catalogue" || secondSource, "source " + source.dump() + context);
  const auto lines = std::count(outputs.text.begin(), outputs.text.end(), '\n');
  FUZZ_CHECK(lines == (secondSource ? 21 : 20),
             std::to_string(lines) + " lines of text" + context + "\n" + outputs.text);
  FUZZ_CHECK(outputs.text.starts_with(index == 1 ? "Brand string:" : "Наименование:"), "first line" + context);

  const std::string key = outputs.sheet["model_key"].get<std::string>();
  FUZZ_CHECK(controls["Edit7"]["text"] == key, "Edit7 differs from model_key " + shown(key) + context);
  if (key.find(kReplacement) == std::string::npos && key.find_first_of("\r\n") == std::string::npos)
    FUZZ_CHECK(outputs.text.find(key) != std::string::npos, "the text lacks the key " + shown(key) + context);
  const bool identified = outputs.sheet["identified"].get<bool>();
  FUZZ_CHECK((source == "catalogue") == !outputs.sheet["qr"].is_null(), "a QR image without the catalogue" + context);
  FUZZ_CHECK(identified == (source == "catalogue" || secondSource), "identified, source " + source.dump() + context);
  const std::string handedOver = controls["Edit20"]["text"].get<std::string>();
  if (secondSource) {
    // The site has no page of a model number the catalogue lacks: such a
    // sheet links where the catalogue alone links for the same processor.
    info::Options alone = options;
    alone.catalogueOnly = true;
    const Json aloneLinks = parsed(runOutput(alone, info::Output::Json, stored, context), context)["links"];
    FUZZ_CHECK(outputs.sheet["links"] == aloneLinks,
               "links " + outputs.sheet["links"].dump() + ", the catalogue alone " + aloneLinks.dump() + context);
    FUZZ_CHECK(outputs.controls["links"] == aloneLinks, "the control dump's links" + context);
  } else if (handedOver.find(kReplacement) == std::string::npos) {
    checkLinks(outputs.sheet["links"], handedOver, context);
    checkLinks(outputs.controls["links"], handedOver, context);
  }
  if (source == "catalogue") {
    const auto qr = outputs.sheet["qr"].get<std::size_t>();
    FUZZ_CHECK(qr < catalogue::kEntryCount && catalogue::keyAt(qr) == key && handedOver == key,
               "QR image " + std::to_string(qr) + " for the key " + shown(key) + context);
    FUZZ_CHECK(outputs.sheet["links"]["detailed"] == catalogue::entryQrText(qr),
               "the QR code and the detailed link differ" + context);
  }
  return 0;
}
