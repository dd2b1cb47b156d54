#include "core/identify/probe.h"

#include <charconv>
#include <optional>
#include <utility>

#include "core/identify/model_number.h"
#include "core/identify/text.h"
#include "core/model/control_names.h"
#include "core/model/sheet_values.h"

namespace wexmora {

using text::copy;
using text::search;
using text::trim;

namespace {

// Emptied at the start of every pass, in this order.
constexpr const char* kDataFields[] = {
    main_controls::kSocket,      main_controls::kModelKey,       main_controls::kBaseClock,
    main_controls::kTurboClock,  main_controls::kCores,          main_controls::kThreads,
    main_controls::kPcie,        main_controls::kSegment,        main_controls::kCodeName,
    main_controls::kProductLine, main_controls::kGraphics,       main_controls::kMemory,
    main_controls::kLithography, main_controls::kMaxTemperature, main_controls::kL3Cache,
    main_controls::kTechnologies};

constexpr IdentifierField kIdentifierFields[] = {{"Family", main_controls::kFamily, &PassFacts::family},
                                                 {"Model", main_controls::kModel, &PassFacts::model},
                                                 {"Stepping", main_controls::kStepping, &PassFacts::stepping}};

// The number a field shows, when its whole text is one.
std::optional<int> wholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::span<const char* const> dataFields() { return kDataFields; }
std::span<const IdentifierField> identifierFields() { return kIdentifierFields; }

// The whole word after "<word> " is taken: "Model 158" shows 158, not 15.
std::string identifierNumber(const std::string& identifier, std::string_view word) {
  const long p = search(word, identifier);
  if (p == 0) return {};
  const std::string rest =
      copy(identifier, p + static_cast<long>(word.size()) + 1, static_cast<long>(identifier.size()));
  const auto blank = rest.find(' ');
  return trim(blank == std::string::npos ? rest : rest.substr(0, blank));
}

void readProcessorIdentity(TForm15& form, platform::ProcessorSource& source) {
  form[main_controls::kBadgeImage].picture = {};
  form[main_controls::kQrImage].picture = {};
  form[main_controls::kBrandString].text = source.readcpuname();
  // A pass learns its facts afresh; the identifier's numbers stay where the
  // fields keep their text.
  PassFacts& facts = form.facts;
  PassFacts fresh;
  fresh.family = facts.family;
  fresh.model = facts.model;
  fresh.stepping = facts.stepping;
  fresh.vendor = brandVendor(form[main_controls::kBrandString].text);
  facts = std::move(fresh);

  const std::string identifier = source.readcpuid() + " ";
  if (identifier.size() > 5) {
    for (const IdentifierField& part : kIdentifierFields) {
      if (search(part.word, identifier) == 0) continue;
      form[part.field].text = identifierNumber(identifier, part.word);
      facts.*part.number = wholeNumber(form[part.field].text);
    }
  }

  for (const char* field : kDataFields) form[field].text.clear();

  const std::string& brand = form[main_controls::kBrandString].text;
  if (brand.size() > 10) {
    if (const long p = search("GHz", brand); p > 0) {
      setSheetField(form, main_controls::kBaseClock, copy(brand, p - 4, 4) + " GHz");
      form[main_controls::kPhotoBaseClock].text = form[main_controls::kBaseClock].text;
    }
  }
}

}  // namespace wexmora
