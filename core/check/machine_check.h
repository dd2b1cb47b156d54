#pragma once
// The data sheet held against the machine it describes: for the processor
// the program runs on only, whatever filled the sheet, the machine's own
// facts (platform/machine_facts.h) and the system's state
// (platform/machine_state.h) are compared with the sheet, and every
// difference becomes a finding with its likely reason. The reasons are a
// table of rules (machine_check.cpp): per fact, in order, the first rule
// whose condition holds explains the difference; technologies are shared
// out over the rules by group, so that each missing name gets one reason.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/model/form_model.h"
#include "core/texts/texts.h"
#include "platform/machine_facts.h"
#include "platform/machine_state.h"

namespace wexmora {

// What the check reads of the system; null members read nothing. Both null:
// no check (a brand string that is not this machine's, --catalogue-only).
struct MachineCheckSources {
  const platform::MachineFactsSource* facts = nullptr;
  const platform::MachineStateSource* state = nullptr;
};

// The facts a finding is about; each has its caption and the control whose
// hint carries the finding.
enum class CheckFact { Machine, Cores, Threads, Cpus, Turbo, Base, Technologies, L3, Identity };

struct CheckRule {
  CheckKind kind;
  CheckFact fact;
  bool note;  // a note on the sheet, not an alarm: the machine offers more
  TextId finding;
  TextId reason;
  const char* name;  // for --explain and JSON
};

// The rules in evaluation order, one per CheckKind.
std::span<const CheckRule> checkRules();
const CheckRule& ruleOf(CheckKind kind);

TextId factCaption(CheckFact fact);
const char* factName(CheckFact fact);  // "threads", "turbo_clock"... for JSON
const char* factControl(CheckFact fact);

// The sheet as the check reads it (the typed sheet, core/model/data_sheet.h);
// 0 or empty where the sheet gives nothing the check can read.
struct SheetFacts {
  int cores = 0, threads = 0;
  int turboMhz = 0, baseMhz = 0;
  int brandBaseMhz = 0;  // the base clock the brand string writes
  std::optional<std::uint64_t> l3Bytes;
  std::vector<std::string> technologies;
  std::string codeName;
  std::string vendor;  // as the family/model table names makers ("Intel", "AMD")
  std::optional<FamilyModel> familyModel;
  int stepping = -1;
  bool fromMachine = false;  // the machine's facts filled the sheet
};

SheetFacts sheetFactsOf(const TForm15& form);

std::vector<CheckFinding> compareWithMachine(const SheetFacts& sheet, const platform::MachineFacts& machine,
                                             const platform::MachineState& state);

// Reads the sources, compares and keeps the findings in form.facts; nothing
// without sources. Runs after the final corrections, before the language
// routine puts its unknown-value texts into empty fields.
void checkAgainstMachine(TForm15& form, const MachineCheckSources& sources);

// The hypervisor's name ("KVM", "Microsoft Hyper-V (WSL 2)") and what named
// it; empty when the machine is no virtual machine. The host partition of
// Hyper-V (Windows with virtualisation-based security) is the machine itself.
struct HypervisorName {
  std::string name, evidence;
  bool byCpuid = false;
};
HypervisorName hypervisorOf(const platform::MachineState& state);

// Whether no finding is an alarm: every finding, if any, is a note.
bool runsAsSpecified(const std::vector<CheckFinding>& findings);

// A finding or reason text of the table with the finding's values in place
// of "{sheet}", "{machine}" and "{detail}".
std::string filledIn(std::string_view text, const CheckFinding& finding);

// A finding as one line in the language: "Threads: 2 instead of the sheet's
// 128 - the virtual machine (KVM) shows only its virtual processors".
std::string findingLine(const CheckFinding& finding, Language language);

// The clock the brand string writes before its "GHz" ("@ 3.20GHz").
std::optional<int> brandClockMhz(std::string_view brand);

}  // namespace wexmora
