#pragma once
// What the identification pass did and why, as the stages record it while
// they run: every model-key write, the catalogue entry matched, every badge
// rule that held, the corrections and the language routine. wexmora-info
// --explain prints it. The window program never asks for it: the form's
// trace pointer stays null there, and each stage only tests that pointer.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace wexmora {

// One write of the model-key chain to Edit7 and Label1.
struct KeyRuleWrite {
  std::string rule;              // "25", as the rule table numbers it
  std::string pattern;           // the pattern that set p; empty when none did (rules 7, 8 with p = 0)
  long position = 0;             // p
  std::string suffix;            // the suffix pattern behind this write ("KF"); empty for the plain copy
  std::string label1;            // what Label1 got
  std::string edit7;             // what Edit7 got
  std::optional<long> L;         // the suffix length, for the rules that set or read it (16, 17)
  std::optional<int> badgeLeft;  // rule 33: the left it gave Image1 before writing
  bool overwritten = false;      // a later write replaced this one
};

// A catalogue entry whose key equals the model key.
struct CatalogueMatch {
  std::size_t index = 0;
  std::string key;
};

// A badge rule that held.
struct BadgeRuleHeld {
  std::string rule;         // "8.24"
  int badge = 0;            // the picture it showed
  std::optional<int> left;  // the left it set, if the rule sets one
};

// A correction or fill-in after the badge rules, or the no-processor dressing.
enum class CorrectionKind { BaseClock, Lga1150Fill, NoProcessor };

struct Correction {
  CorrectionKind kind;
  std::string trigger;              // what made it run: "G6900T", "1150", the routine's name
  std::vector<std::string> fields;  // the controls it wrote
  std::string value;                // the base clock it set; the caption Label1 got
};

// How the model-number reader read the brand string, when the pass consulted
// the sources besides the catalogue; recorded once, when it was read.
struct ModelNumberTrace {
  bool read = false;         // a rule read a model number
  std::string rule;          // the reader's rule ("intel-core")
  std::string number;        // the words it read, marks dropped
  std::string key;           // the extended table's key
  std::string shown;         // what the processor field shows
  bool rowFound = false;     // the extended table holds the key
  bool refined = false;      // it replaced a catalogue key that only approximated it
  std::string catalogueKey;  // Edit7 before that replacement
};

// How a sheet without a row was filled from the brand string and the
// identifier: the line and clock the brand string writes, the die the
// family/model table names, and how many rows of that line, clock and die
// agreed on what the sheet shows.
struct BrandSheetTrace {
  std::string productLine;  // empty where the brand string names none
  int clockMhz = 0;
  std::string die;  // the family/model row's code name; empty where the table has none
  bool dieCertain = false;
  std::size_t candidates = 0;
};

struct PassTrace {
  std::string brand;  // the brand string the chain ran on; empty when it did not run
  bool chainRan = false;
  std::vector<KeyRuleWrite> keyWrites;  // in the order they were made
  long L = 0;                           // the suffix length when the chain ended
  std::string key;                      // Edit7 when the chain ended

  std::vector<CatalogueMatch> matches;  // in index order; the last one filled the sheet

  std::optional<ModelNumberTrace> modelNumber;  // only when the second sources read the brand string
  std::optional<BrandSheetTrace> brandSheet;    // only when the brand string and the die filled the sheet
  bool secondSourcesConsulted = false;          // the sheet's source itself is form.facts.sheet.source

  std::vector<BadgeRuleHeld> badgeRules;  // rules that held, in evaluation order
  std::optional<int> badge;               // the picture the rules left in Image1
  int badgeLeft = 0, badgeTop = 0;        // Image1's place when the rules were done

  std::vector<Correction> corrections;  // in the order they ran

  std::optional<std::string> storedLanguage;  // the stored Languages text, when there is one
  int languageIndex = 0;                      // ComboBox1's index after the settings were loaded
  std::string routine;                        // "ruslang", "Englang", or empty when none ran
};

}  // namespace wexmora
