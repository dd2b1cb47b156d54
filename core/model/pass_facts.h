#pragma once
// What the identification pass learns beside the window's controls, kept
// once (TForm15::facts): the identifier's numbers, the maker, the model
// number read from the brand string, the data sheet as typed facts
// (data_sheet.h) and what the check against the machine found. A stage that
// learns a fact writes it here once; the stages after it and wexmora-info
// read it here and never parse back what a control shows.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/data_sheet.h"
#include "platform/vendor.h"

namespace wexmora {

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

  // The data sheet as facts, where it came from and its technologies as a
  // list (Memo2 shows them joined, with the window's notes after them).
  DataSheet sheet;

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
