#pragma once
// What the identification pass learns that is no control's text, kept once
// beside the window (TForm15::facts): the identifier's numbers, the maker,
// the model number read from the brand string, where the data sheet came
// from and its technologies as a list. A stage that learns a fact writes it
// here once; the stages after it and wexmora-info read it here and never
// parse back what a control shows.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vendor.h"

namespace wexmora {

// What filled the data sheet: the built-in catalogue, the extended table of
// other processors, the product line and clock the brand string names with
// the table rows and the processor's family and model that agree, or the
// machine's own facts; None when nothing did.
enum class SheetSource { None, Catalogue, Extended, Machine, Brand };

// A source other than the catalogue: the sheet's notes say so, and the links
// use the key the model-key chain left.
constexpr bool outsideCatalogue(SheetSource source) {
  return source == SheetSource::Extended || source == SheetSource::Machine || source == SheetSource::Brand;
}

// Family and model of the processor identifier, when they are known.
struct FamilyModel {
  int family = 0;
  int model = 0;
};

// What the model-number reader (core/identify/model_number.h) read from a brand string.
struct ModelNumberReading {
  std::string key;    // the extended table's key: "i5-8250U", "Celeron M 430", "Ryzen 5 PRO 4650U"
  std::string shown;  // short enough for the processor field: "i5-8250U", "R5 PRO 4650U"
  platform::Vendor vendor = platform::Vendor::Intel;
  std::string_view rule;  // name of the rule that read it (for --explain)
  std::string_view lead;  // the words of the brand string that opened the rule's line
  std::size_t at = 0;     // the span of the brand string the number was read from
  std::size_t length = 0;
  std::string number;  // that span without trademark marks, blanks squeezed to one
};

// One way the machine may run other than its sheet says, named after the
// fact and the likely reason (the rules of core/check/machine_check.cpp, one
// kind per rule, in their order).
enum class CheckKind : unsigned char {
  VirtualMachine,
  VirtualMachineByFiles,
  CoresVirtual,
  CoresMaxcpus,
  CoresOffline,
  CoresFewer,
  ThreadsVirtual,
  ThreadsSmtOff,
  ThreadsSmtFirmware,
  ThreadsMaxcpus,
  ThreadsOffline,
  ThreadsFewer,
  CpusQuota,
  CpusCpuset,
  TurboOff,
  TurboLimited,
  TurboBelow,
  BaseClockOther,
  VirtualisationTaken,
  VirtualisationOff,
  VectorsHidden,
  VectorsOff,
  TsxOff,
  TechnologiesHidden,
  TechnologiesMissing,
  TechnologiesMore,
  L3Virtual,
  L3Smaller,
  IdentityOther,
};

// A difference between the sheet and the machine, with the values the
// window and wexmora-info show: as the sheet writes them ("128", "4.00 GHz")
// and as the machine has them; `detail` is what the reason names (the
// hypervisor, a file's value, the technologies), `evidence` how the check
// reached it, in the system's own words (file names and values).
struct CheckFinding {
  CheckKind kind;
  std::string sheet, machine, detail, evidence;
  bool operator==(const CheckFinding&) const = default;
};

// A hybrid processor's cores by kind: performance cores, efficient cores and
// the low-power efficient cores of a separate tile; they add up to its cores.
struct CoreTypes {
  int performance = 0, efficient = 0, lowPower = 0;
  int total() const { return performance + efficient + lowPower; }
  bool operator==(const CoreTypes&) const = default;
};

struct PassFacts {
  // The numbers of the identifier, as the probe wrote them into Edit2, Edit3
  // and Edit4; nothing where the field holds no number.
  std::optional<int> family, model, stepping;
  // The maker the brand string names (core/identify/model_number.h's
  // brandVendor); the probe sets it with the brand string.
  platform::Vendor vendor = platform::Vendor::Intel;

  // The model number of the brand string, read once when a second source
  // first asks for it (modelNumberRead), then reused.
  bool modelNumberRead = false;
  std::optional<ModelNumberReading> modelNumber;
  // Edit7 as the model-key chain (or --key) left it, kept when a second
  // source puts its model number there instead: the web site has pages for
  // catalogue keys only, and the links are built from this key.
  std::optional<std::string> keyBeforeModelNumber;

  SheetSource sheetSource = SheetSource::None;
  // The kinds of its cores, where the processor is a hybrid and its row or
  // the machine says how many of each.
  std::optional<CoreTypes> coreTypes;
  // The technologies of the sheet, as its source gave them; Memo2 shows
  // them joined, with the window's notes around them.
  std::vector<std::string> technologies;

  // Whether the sheet was held against this machine (its own processor
  // only), and what differs; empty when it runs as its sheet says.
  bool checked = false;
  std::vector<CheckFinding> findings;

  // Family and model, when both are known.
  std::optional<FamilyModel> familyModel() const {
    if (!family || !model) return std::nullopt;
    return FamilyModel{*family, *model};
  }
};

}  // namespace wexmora
