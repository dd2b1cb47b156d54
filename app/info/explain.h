#pragma once
// wexmora-info --explain: the trace that the stages of the identification
// pass recorded, printed as an "Identification" section in the interface
// language, or as a JSON object with fixed English keys. Both are rendered
// from one Explanation, which says everything the section says.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/model/form_model.h"
#include "core/model/pass_trace.h"

namespace wexmora::info {

// A badge rule that held, and whether it is the last one that held (it
// decides the picture) or the last one with a left (it decides the left).
struct HeldBadgeRule {
  BadgeRuleHeld rule;
  bool decidesBadge = false;
  bool decidesLeft = false;
};

// The sources besides the catalogue, when they were consulted and the
// catalogue did not answer.
struct OtherSourcesPart {
  std::optional<ModelNumberTrace> modelNumber;  // when they read the brand string; `read` says whether a rule read one
  std::optional<BrandSheetTrace> brandSheet;    // when the brand string and the die filled the sheet
  std::string source;                           // "extended", "brand", "machine", or empty for none
};

struct Explanation {
  std::string brand;

  bool chainRan = false;
  std::vector<KeyRuleWrite> keyWrites;
  long L = 0;
  std::string chainKey;                 // Edit7 when the chain ended (when it ran)
  std::optional<std::string> givenKey;  // --key, when the chain was skipped for it

  std::vector<CatalogueMatch> matches;  // in index order; the last one filled the sheet

  std::optional<OtherSourcesPart> otherSources;

  std::vector<HeldBadgeRule> badgeRules;      // in evaluation order
  std::optional<std::string> badgeDecidedBy;  // the number of the rule that decides the picture
  std::optional<std::string> leftDecidedBy;   // and of the one that decides the left
  std::optional<int> badge;
  int badgeLeft = 0, badgeTop = 0;

  std::vector<Correction> corrections;

  std::optional<std::string> storedLanguage;
  int languageIndex = 0;
  std::string routine;

  bool english = false;  // the interface language when the section is printed
};

// givenKey: the catalogue key of --key, when the model-key chain was skipped
// for it. The language follows ComboBox1's index (1 English, else Russian).
Explanation explanationOf(const TForm15& form, const PassTrace& trace, const std::optional<std::string>& givenKey);

std::string explainText(const Explanation& explanation);
nlohmann::ordered_json explainJson(const Explanation& explanation);

// The two above, on the pass's form and trace.
std::string explainText(const TForm15& form, const PassTrace& trace, const std::optional<std::string>& givenKey);
nlohmann::ordered_json explainJson(const TForm15& form, const PassTrace& trace,
                                   const std::optional<std::string>& givenKey);

}  // namespace wexmora::info
