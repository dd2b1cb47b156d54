#include "app/info/explain.h"

#include <string_view>
#include <vector>

#include "base/join.h"
#include "core/extended/second_source.h"
#include "core/model/control_names.h"
#include "core/texts/texts.h"
#include "core/window/localisation.h"

namespace wexmora::info {
namespace {

using Json = nlohmann::ordered_json;

// The words of the section, one set per interface language.
struct ExplainWords {
  const char* title;
  const char* brand;
  const char* length;
  const char* keyRules;
  const char* noKeyRule;
  const char* chainShortBrand;
  const char* chainKeyGiven;
  const char* rule;
  const char* suffix;
  const char* pattern;
  const char* noPattern;
  const char* overwritten;
  const char* badgeLeft;
  const char* modelKey;
  const char* catalogue;
  const char* entry;
  const char* key;
  const char* noEntry;
  const char* badgeRules;
  const char* noBadgeRule;
  const char* badge;
  const char* badgeHeading;
  const char* left;
  const char* top;
  const char* decidesBadge;
  const char* decidesLeft;
  const char* decidesBoth;
  const char* noBadge;
  const char* corrections;
  const char* noCorrection;
  const char* baseClock;
  const char* lga1150Fill;
  const char* nothingFilled;
  const char* noProcessor;
  const char* language;
  const char* stored;
  const char* nothingStored;
  const char* index;
  const char* routine;
  const char* noRoutine;
  const char* modelNumber;
  const char* readBy;
  const char* noModelNumber;
  const char* shown;
  const char* extendedTable;
  const char* lineAndClock;
  const char* die;
  const char* uncertain;
  const char* candidates;
  const char* none;
  const char* rowFound;
  const char* noRow;
  const char* refined;
  const char* source;
  const char* noSource;
};

// The words in one language, from the interface's texts table.
ExplainWords wordsIn(Language language) {
  const auto word = [language](TextId id) { return textOf(id, language).data(); };
  return ExplainWords{
      .title = word(TextId::ExplainTitle),
      .brand = word(TextId::ExplainBrand),
      .length = word(TextId::ExplainLength),
      .keyRules = word(TextId::ExplainKeyRules),
      .noKeyRule = word(TextId::ExplainNoKeyRule),
      .chainShortBrand = word(TextId::ExplainChainShortBrand),
      .chainKeyGiven = word(TextId::ExplainChainKeyGiven),
      .rule = word(TextId::ExplainRule),
      .suffix = word(TextId::ExplainSuffix),
      .pattern = word(TextId::ExplainPattern),
      .noPattern = word(TextId::ExplainNoPattern),
      .overwritten = word(TextId::ExplainOverwritten),
      .badgeLeft = word(TextId::ExplainBadgeLeft),
      .modelKey = word(TextId::ExplainModelKey),
      .catalogue = word(TextId::ExplainCatalogue),
      .entry = word(TextId::ExplainEntry),
      .key = word(TextId::ExplainKey),
      .noEntry = word(TextId::ExplainNoEntry),
      .badgeRules = word(TextId::ExplainBadgeRules),
      .noBadgeRule = word(TextId::ExplainNoBadgeRule),
      .badge = word(TextId::ExplainBadge),
      .badgeHeading = word(TextId::ExplainBadgeHeading),
      .left = word(TextId::ExplainLeft),
      .top = word(TextId::ExplainTop),
      .decidesBadge = word(TextId::ExplainDecidesBadge),
      .decidesLeft = word(TextId::ExplainDecidesLeft),
      .decidesBoth = word(TextId::ExplainDecidesBoth),
      .noBadge = word(TextId::ExplainNoBadge),
      .corrections = word(TextId::ExplainCorrections),
      .noCorrection = word(TextId::ExplainNoCorrection),
      .baseClock = word(TextId::ExplainBaseClock),
      .lga1150Fill = word(TextId::ExplainLga1150Fill),
      .nothingFilled = word(TextId::ExplainNothingFilled),
      .noProcessor = word(TextId::ExplainNoProcessor),
      .language = word(TextId::ExplainLanguage),
      .stored = word(TextId::ExplainStored),
      .nothingStored = word(TextId::ExplainNothingStored),
      .index = word(TextId::ExplainIndex),
      .routine = word(TextId::ExplainRoutine),
      .noRoutine = word(TextId::ExplainNoRoutine),
      .modelNumber = word(TextId::ExplainModelNumber),
      .readBy = word(TextId::ExplainReadBy),
      .noModelNumber = word(TextId::ExplainNoModelNumber),
      .shown = word(TextId::ExplainShown),
      .extendedTable = word(TextId::ExplainExtendedTable),
      .lineAndClock = word(TextId::ExplainLineAndClock),
      .die = word(TextId::ExplainDie),
      .uncertain = word(TextId::ExplainDieUncertain),
      .candidates = word(TextId::ExplainCandidates),
      .none = word(TextId::ExplainNone),
      .rowFound = word(TextId::ExplainRowFound),
      .noRow = word(TextId::ExplainNoRow),
      .refined = word(TextId::ExplainRefined),
      .source = word(TextId::ExplainSource),
      .noSource = word(TextId::ExplainNoSource),
  };
}

const ExplainWords kRussian = wordsIn(Language::Russian);
const ExplainWords kEnglish = wordsIn(Language::English);

// A text in double quotes with control characters escaped, as JSON writes it.
std::string inQuotes(std::string_view text) {
  return Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

const char* correctionName(CorrectionKind kind) {
  switch (kind) {
    case CorrectionKind::BaseClock:
      return "base_clock";
    case CorrectionKind::Lga1150Fill:
      return "lga1150_fill";
    case CorrectionKind::NoProcessor:
      break;
  }
  return "no_processor";
}

std::string keyRuleLine(const ExplainWords& w, const KeyRuleWrite& write) {
  std::string line = std::string(w.rule) + " " + write.rule;
  if (!write.suffix.empty()) line += ", " + std::string(w.suffix) + " " + inQuotes(write.suffix);
  line += ": ";
  line += write.pattern.empty() ? std::string(w.noPattern) : std::string(w.pattern) + " " + inQuotes(write.pattern);
  line += ", p = " + std::to_string(write.position);
  if (write.L) line += ", L = " + std::to_string(*write.L);
  if (write.badgeLeft) line += ", " + std::string(w.badgeLeft) + " " + std::to_string(*write.badgeLeft);
  line += "; Label1 " + inQuotes(write.label1) + ", Edit7 " + inQuotes(write.edit7);
  if (write.overwritten) line += " " + std::string(w.overwritten);
  return line;
}

std::string correctionLine(const ExplainWords& w, const Correction& c) {
  switch (c.kind) {
    case CorrectionKind::BaseClock:
      return std::string(w.baseClock) + " " + inQuotes(c.trigger) + ": Edit5 " + inQuotes(c.value);
    case CorrectionKind::Lga1150Fill:
      return std::string(w.lga1150Fill) + ": " +
             (c.fields.empty() ? std::string(w.nothingFilled) : base::joinWithCommas(c.fields));
    case CorrectionKind::NoProcessor:
      break;
  }
  return std::string(w.noProcessor) + " (" + c.trigger + "): Label1 " + inQuotes(c.value) + "; " +
         base::joinWithCommas(c.fields);
}

}  // namespace

Explanation explanationOf(const TForm15& form, const PassTrace& trace, const std::optional<std::string>& givenKey) {
  Explanation e;
  e.brand = form[main_controls::kBrandString].text;
  e.chainRan = trace.chainRan;
  e.keyWrites = trace.keyWrites;
  e.L = trace.L;
  e.chainKey = trace.key;
  e.givenKey = givenKey;
  e.matches = trace.matches;

  const std::string source = trace.secondSourcesConsulted ? sheetSourceName(form.facts.sheet.source) : "";
  const bool catalogueAnswered = trace.secondSourcesConsulted && form.facts.sheet.source == SheetSource::Catalogue;
  if ((trace.modelNumber || !source.empty()) && !catalogueAnswered)
    e.otherSources = {trace.modelNumber, trace.brandSheet, source};

  // The last rule that held decides the picture, the last one with a left the left.
  std::optional<std::size_t> leftAt;
  for (const BadgeRuleHeld& held : trace.badgeRules) {
    if (held.left) leftAt = e.badgeRules.size();
    e.badgeRules.push_back({held});
  }
  if (!e.badgeRules.empty()) {
    e.badgeRules.back().decidesBadge = true;
    e.badgeDecidedBy = e.badgeRules.back().rule.rule;
  }
  if (leftAt) {
    e.badgeRules[*leftAt].decidesLeft = true;
    e.leftDecidedBy = e.badgeRules[*leftAt].rule.rule;
  }
  e.badge = trace.badge;
  e.badgeLeft = trace.badgeLeft;
  e.badgeTop = trace.badgeTop;

  e.corrections = trace.corrections;
  e.storedLanguage = trace.storedLanguage;
  e.languageIndex = trace.languageIndex;
  e.routine = trace.routine;
  e.english = windowLanguage(form) == Language::English;
  return e;
}

std::string explainText(const Explanation& e) {
  const ExplainWords& w = e.english ? kEnglish : kRussian;
  std::string out = std::string(w.title) + "\n";
  const auto line = [&](const std::string& text, int depth = 1) { out += std::string(2 * depth, ' ') + text + "\n"; };

  line(std::string(w.brand) + ": " + inQuotes(e.brand) + ", " + w.length + " " + std::to_string(e.brand.size()));
  if (!e.chainRan) {
    line(std::string(w.keyRules) + ": " + (e.givenKey ? w.chainKeyGiven : w.chainShortBrand));
  } else if (e.keyWrites.empty()) {
    line(std::string(w.keyRules) + ": " + w.noKeyRule);
  } else {
    line(std::string(w.keyRules) + ":");
    for (const auto& write : e.keyWrites) line(keyRuleLine(w, write), 2);
  }
  if (e.chainRan) line(std::string(w.modelKey) + ": " + inQuotes(e.chainKey) + ", L = " + std::to_string(e.L));
  if (e.givenKey) line(std::string(w.modelKey) + ": " + inQuotes(*e.givenKey));

  if (e.matches.empty()) line(std::string(w.catalogue) + ": " + w.noEntry);
  for (const auto& match : e.matches)
    line(std::string(w.catalogue) + ": " + w.entry + " " + std::to_string(match.index) + ", " + w.key + " " +
         inQuotes(match.key));

  if (e.otherSources) {
    if (const auto& m = e.otherSources->modelNumber; !m) {
    } else if (!m->read) {
      line(std::string(w.modelNumber) + ": " + w.noModelNumber);
    } else {
      line(std::string(w.modelNumber) + ": " + inQuotes(m->number) + ", " + w.readBy + " " + m->rule + ", " + w.key +
           " " + inQuotes(m->key) + ", " + w.shown + " " + inQuotes(m->shown));
      line(std::string(w.extendedTable) + ": " + (m->rowFound ? w.rowFound : w.noRow));
      if (m->refined) line(std::string(w.refined) + " " + inQuotes(m->catalogueKey), 2);
    }
    if (const auto& b = e.otherSources->brandSheet) {
      line(std::string(w.lineAndClock) + ": " +
           (b->productLine.empty() ? std::string(w.none) : inQuotes(b->productLine)) + ", " +
           (b->clockMhz > 0 ? std::to_string(b->clockMhz) + " MHz" : std::string(w.none)));
      line(std::string(w.die) + ": " + (b->die.empty() ? std::string(w.none) : inQuotes(b->die)) +
           (b->die.empty() || b->dieCertain ? "" : " " + std::string(w.uncertain)));
      line(std::string(w.candidates) + ": " + std::to_string(b->candidates));
    }
    const std::string& source = e.otherSources->source;
    line(std::string(w.source) + ": " + (source.empty() ? std::string(w.noSource) : source));
  }

  if (e.badgeRules.empty()) {
    line(std::string(w.badgeRules) + ": " + w.noBadgeRule);
  } else {
    line(std::string(w.badgeRules) + ":");
    for (const auto& [held, badge, left] : e.badgeRules) {
      std::string text = std::string(w.rule) + " " + held.rule + ": " + w.badge + " " + std::to_string(held.badge);
      if (held.left) text += ", " + std::string(w.left) + " " + std::to_string(*held.left);
      if (badge || left)
        text += " " + std::string(badge && left ? w.decidesBoth : badge ? w.decidesBadge : w.decidesLeft);
      line(text, 2);
    }
  }
  line(std::string(w.badgeHeading) + ": " + (e.badge ? std::to_string(*e.badge) : w.noBadge) + ", " + w.left + " " +
       std::to_string(e.badgeLeft) + ", " + w.top + " " + std::to_string(e.badgeTop));

  if (e.corrections.empty()) {
    line(std::string(w.corrections) + ": " + w.noCorrection);
  } else {
    line(std::string(w.corrections) + ":");
    for (const auto& c : e.corrections) line(correctionLine(w, c), 2);
  }

  std::string language = std::string(w.language) + ": ";
  language += e.storedLanguage ? std::string(w.stored) + " " + inQuotes(*e.storedLanguage) : w.nothingStored;
  language += ", " + std::string(w.index) + " " + std::to_string(e.languageIndex) + ", ";
  language += e.routine.empty() ? std::string(w.noRoutine) : std::string(w.routine) + " " + e.routine;
  line(language);
  return out;
}

Json explainJson(const Explanation& e) {
  const auto textOrNull = [](const std::string& text) { return text.empty() ? Json(nullptr) : Json(text); };
  const auto orNull = [](const auto& value) { return value ? Json(*value) : Json(nullptr); };
  Json rules = Json::array();
  for (const auto& write : e.keyWrites) {
    Json rule = {{"rule", write.rule},
                 {"pattern", textOrNull(write.pattern)},
                 {"position", write.position},
                 {"suffix", textOrNull(write.suffix)},
                 {"label1", write.label1},
                 {"edit7", write.edit7},
                 {"overwritten", write.overwritten}};
    if (write.L) rule["L"] = *write.L;
    if (write.badgeLeft) rule["badge_left"] = *write.badgeLeft;
    rules.push_back(rule);
  }
  Json modelKey = {{"ran", e.chainRan}, {"rules", rules}, {"L", e.L}};
  modelKey["key"] = e.givenKey ? Json(*e.givenKey) : e.chainRan ? Json(e.chainKey) : Json(nullptr);

  Json catalogue = nullptr;
  if (!e.matches.empty()) catalogue = {{"index", e.matches.back().index}, {"key", e.matches.back().key}};

  Json badgeRules = Json::array();
  for (const auto& [held, badge, left] : e.badgeRules)
    badgeRules.push_back({{"rule", held.rule}, {"badge", held.badge}, {"left", orNull(held.left)}});
  const Json badge = {{"rules", badgeRules},
                      {"decided_by", orNull(e.badgeDecidedBy)},
                      {"left_decided_by", orNull(e.leftDecidedBy)},
                      {"badge", orNull(e.badge)},
                      {"left", e.badgeLeft},
                      {"top", e.badgeTop}};

  Json corrections = Json::array();
  for (const auto& c : e.corrections)
    corrections.push_back({{"correction", correctionName(c.kind)},
                           {"trigger", c.trigger},
                           {"fields", c.fields},
                           {"value", textOrNull(c.value)}});

  const Json language = {
      {"stored", orNull(e.storedLanguage)}, {"index", e.languageIndex}, {"routine", textOrNull(e.routine)}};
  Json out = {{"brand", e.brand}, {"length", e.brand.size()}, {"model_key", modelKey}, {"catalogue", catalogue}};
  if (e.otherSources) {
    const auto& m = e.otherSources->modelNumber;
    out["model_number"] =
        m && m->read ? Json{{"rule", m->rule},    {"number", m->number},
                            {"key", m->key},      {"shown", m->shown},
                            {"row", m->rowFound}, {"refined_from", m->refined ? Json(m->catalogueKey) : Json(nullptr)}}
                     : Json(nullptr);
    const auto& b = e.otherSources->brandSheet;
    out["brand_sheet"] = b ? Json{{"product_line", textOrNull(b->productLine)},
                                  {"clock_mhz", b->clockMhz > 0 ? Json(b->clockMhz) : Json(nullptr)},
                                  {"die", textOrNull(b->die)},
                                  {"die_certain", b->dieCertain},
                                  {"rows", b->candidates}}
                           : Json(nullptr);
    out["source"] = textOrNull(e.otherSources->source);
  }
  out["badge"] = badge;
  out["corrections"] = corrections;
  out["language"] = language;
  return out;
}

std::string explainText(const TForm15& form, const PassTrace& trace, const std::optional<std::string>& givenKey) {
  return explainText(explanationOf(form, trace, givenKey));
}

Json explainJson(const TForm15& form, const PassTrace& trace, const std::optional<std::string>& givenKey) {
  return explainJson(explanationOf(form, trace, givenKey));
}

}  // namespace wexmora::info
