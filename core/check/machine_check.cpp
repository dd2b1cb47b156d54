#include "core/check/machine_check.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/join.h"
#include "core/extended/extended_table.h"
#include "core/extended/second_source.h"
#include "core/model/control_names.h"
#include "core/model/sheet_values.h"
#include "platform/cpu_features.h"

namespace wexmora {
namespace {

using platform::MachineFacts;
using platform::MachineState;
using platform::SmtControl;

// What every condition reads.
struct CheckInput {
  const SheetFacts& sheet;
  const MachineFacts& machine;
  const MachineState& state;
  HypervisorName hypervisor;
  int online = 0;  // logical processors online in the whole machine
};

bool virtualMachine(const CheckInput& in) { return !in.hypervisor.name.empty(); }

std::string listText(const platform::CpuListFact& list) { return list.text.empty() ? "-" : list.text; }

// ---- conditions: each says whether its reason explains the difference and
// fills in what the reason names and how it was reached.
using Condition = bool (*)(const CheckInput&, CheckFinding&);

bool byCpuid(const CheckInput& in, CheckFinding& f) {
  if (!in.hypervisor.byCpuid) return false;
  f.evidence = in.hypervisor.evidence;
  return true;
}
bool byFiles(const CheckInput& in, CheckFinding& f) {
  if (!virtualMachine(in)) return false;
  f.evidence = in.hypervisor.evidence;
  return true;
}
bool underHypervisor(const CheckInput& in, CheckFinding& f) {
  if (!virtualMachine(in)) return false;
  f.detail = in.hypervisor.name;
  f.evidence = in.hypervisor.evidence;
  return true;
}
bool bootedWithMaxcpus(const CheckInput& in, CheckFinding& f) {
  if (!in.state.maxcpus || !in.state.present || *in.state.maxcpus >= in.state.present->count) return false;
  f.detail = std::to_string(*in.state.maxcpus);
  f.evidence = "/proc/cmdline: maxcpus=" + f.detail + ", present " + listText(*in.state.present);
  return true;
}
bool processorsOffline(const CheckInput& in, CheckFinding& f) {
  const auto& s = in.state;
  const bool offline = s.offline && s.offline->count > 0;
  const bool fewer = s.online && s.present && s.online->count < s.present->count;
  if (!offline && !fewer) return false;
  f.detail = "online " + (s.online ? listText(*s.online) : "?");
  if (s.offline && s.offline->count > 0) f.detail += ", offline " + listText(*s.offline);
  if (s.present) f.detail += ", present " + listText(*s.present);
  f.evidence = "/sys/devices/system/cpu: " + f.detail;
  return true;
}
bool always(const CheckInput&, CheckFinding&) { return true; }
bool smtSwitchedOff(const CheckInput& in, CheckFinding& f) {
  if (in.state.smt != SmtControl::Off && in.state.smt != SmtControl::ForceOff) return false;
  f.detail = std::string("smt/control: ") + (in.state.smt == SmtControl::Off ? "off" : "forceoff");
  f.evidence = "/sys/devices/system/cpu/" + f.detail;
  return true;
}
// One logical processor per core, all the sheet's cores there: SMT is off
// before the system starts (Linux then says "notsupported"; Windows has no
// switch to read).
bool smtOffInFirmware(const CheckInput& in, CheckFinding& f) {
  const auto& m = in.machine;
  if (m.cores <= 0 || m.threads != m.cores || m.cores < in.sheet.cores || in.sheet.threads <= in.sheet.cores)
    return false;
  if (in.state.smt != SmtControl::Unknown && in.state.smt != SmtControl::NotSupported) return false;
  f.evidence = std::to_string(m.cores) + " cores, " + std::to_string(m.threads) + " logical processors" +
               (in.state.smt == SmtControl::NotSupported ? "; smt/control: notsupported" : "");
  return true;
}
bool containerQuota(const CheckInput& in, CheckFinding& f) {
  const auto& limit = in.state.cpuMax;
  if (!limit || !limit->quota || in.online <= 0) return false;
  // quota / period < online, in integers (a period is at most 10^12 us).
  if (*limit->quota >= limit->period * static_cast<std::uint64_t>(in.online)) return false;
  const std::uint64_t hundredths = (*limit->quota * 100 + limit->period / 2) / limit->period;
  char shown[32];
  if (hundredths % 100 == 0)
    std::snprintf(shown, sizeof shown, "%llu", static_cast<unsigned long long>(hundredths / 100));
  else
    std::snprintf(shown, sizeof shown, "%llu.%02llu", static_cast<unsigned long long>(hundredths / 100),
                  static_cast<unsigned long long>(hundredths % 100));
  f.machine = shown;
  f.detail = std::to_string(*limit->quota) + " " + std::to_string(limit->period);
  f.evidence = "cgroup " + in.state.cpuMaxCgroup + ": cpu.max " + f.detail + ", " + std::to_string(in.online) +
               " logical processors online";
  return true;
}
bool containerCpuset(const CheckInput& in, CheckFinding& f) {
  const auto& cpus = in.state.cgroupCpus;
  if (!cpus || cpus->count <= 0 || in.online <= 0 || cpus->count >= in.online) return false;
  f.machine = std::to_string(cpus->count);
  f.detail = listText(*cpus);
  f.evidence = "cpuset.cpus.effective " + f.detail + ", " + std::to_string(in.online) + " logical processors online";
  return true;
}

// The sheet's turbo clock less a little: clocks are rounded to 10 MHz and
// systems report a few MHz below.
bool clockBelow(int mhz, int sheetMhz) { return mhz > 0 && mhz + std::max(50, sheetMhz / 50) < sheetMhz; }

const char* turboFile(platform::TurboSwitch which) {
  return which == platform::TurboSwitch::IntelPstateNoTurbo ? "intel_pstate/no_turbo" : "cpufreq/boost";
}

bool turboSwitchedOff(const CheckInput& in, CheckFinding& f) {
  if (!in.state.turbo || *in.state.turbo) return false;
  const bool noTurbo = in.state.turboSwitch == platform::TurboSwitch::IntelPstateNoTurbo;
  f.detail = std::string(turboFile(in.state.turboSwitch)) + (noTurbo ? " = 1" : " = 0");
  f.evidence = "/sys/devices/system/cpu/" + f.detail;
  return true;
}
bool clockLimited(const CheckInput& in, CheckFinding& f) {
  const int limit = in.state.limitMhz;
  if (!clockBelow(limit, in.sheet.turboMhz) || (in.machine.maxMhz > 0 && limit >= in.machine.maxMhz)) return false;
  f.machine = clockText(limit);
  f.detail = "scaling_max_freq " + std::to_string(limit) + " MHz";
  f.evidence = "cpufreq: " + f.detail + ", cpuinfo_max_freq " + std::to_string(in.machine.maxMhz) + " MHz";
  return true;
}
// The highest clock the system allows below the turbo clock. With
// acpi-cpufreq's boost on, that highest clock leaves the boost out.
bool highestBelow(const CheckInput& in, CheckFinding& f) {
  if (!clockBelow(in.machine.maxMhz, in.sheet.turboMhz)) return false;
  if (in.state.turbo == true && in.state.turboSwitch == platform::TurboSwitch::CpufreqBoost) return false;
  f.evidence = "highest clock " + std::to_string(in.machine.maxMhz) + " MHz, sheet " +
               std::to_string(in.sheet.turboMhz) + " MHz";
  return true;
}

bool fewer(const CheckInput&, CheckFinding&) { return true; }

// ---- the facts: what the sheet and the machine say, and whether they differ.
struct Difference {
  std::string sheet, machine;
  std::vector<std::string> items;  // technologies
};
using Compare = std::optional<Difference> (*)(const CheckInput&);

std::optional<Difference> machineKind(const CheckInput& in) {
  if (!virtualMachine(in)) return std::nullopt;
  return Difference{"", in.hypervisor.name, {}};
}
std::optional<Difference> countBelow(int machine, int sheet) {
  if (machine <= 0 || sheet <= 0 || machine >= sheet) return std::nullopt;
  return Difference{std::to_string(sheet), std::to_string(machine), {}};
}
std::optional<Difference> cores(const CheckInput& in) { return countBelow(in.machine.cores, in.sheet.cores); }
std::optional<Difference> threads(const CheckInput& in) { return countBelow(in.machine.threads, in.sheet.threads); }
std::optional<Difference> usable(const CheckInput& in) {
  if (in.online <= 0) return std::nullopt;
  return Difference{std::to_string(in.online), "", {}};
}
std::optional<Difference> turbo(const CheckInput& in) {
  if (in.sheet.turboMhz <= 0 || in.sheet.fromMachine) return std::nullopt;
  return Difference{clockText(in.sheet.turboMhz), in.machine.maxMhz > 0 ? clockText(in.machine.maxMhz) : "", {}};
}
// Some product tables round the base clock to 100 MHz (2.66 GHz as
// "2.70 GHz"): a difference that rounding explains is none.
constexpr int kBaseRounding = 50;

std::optional<Difference> base(const CheckInput& in) {
  const int brand = in.sheet.brandBaseMhz, sheet = in.sheet.baseMhz;
  if (brand <= 0 || sheet <= 0 || std::abs(brand - sheet) <= kBaseRounding) return std::nullopt;
  return Difference{clockText(sheet), clockText(brand), {}};
}

// The names of x86-64 differ by maker; any of them proves the others.
constexpr std::string_view k64Bit[] = {"EM64T", "AMD64", "x86-64"};
// A capability of the virtualisation unit, which Windows does not show.
constexpr std::string_view kUnread = "EPT";

bool has(const std::vector<std::string>& names, std::string_view name) {
  if (std::find(std::begin(k64Bit), std::end(k64Bit), name) != std::end(k64Bit))
    return std::any_of(names.begin(), names.end(), [](const std::string& n) {
      return std::find(std::begin(k64Bit), std::end(k64Bit), n) != std::end(k64Bit);
    });
  return std::find(names.begin(), names.end(), name) != names.end();
}
bool comparable(std::string_view name) { return platform::technologyFlagged(name) && name != kUnread; }

std::optional<Difference> missing(const CheckInput& in) {
  if (in.sheet.fromMachine) return std::nullopt;
  Difference d;
  for (const auto& name : in.sheet.technologies)
    if (comparable(name) && !has(in.machine.technologies, name)) d.items.push_back(name);
  if (d.items.empty()) return std::nullopt;
  return d;
}
// A sheet that names the later extension has named the earlier one with it:
// every processor with AVX2 has AVX.
struct Implied {
  std::string_view name;
  std::string_view by[2];
};
constexpr Implied kImplied[] = {
    {"AVX", {"AVX2", "AVX-512"}},
    {"AVX2", {"AVX-512", ""}},
    {"SSE4.1", {"SSE4.2", ""}},
};
bool impliedBy(const std::vector<std::string>& names, std::string_view name) {
  for (const Implied& row : kImplied)
    if (row.name == name)
      return std::any_of(std::begin(row.by), std::end(row.by),
                         [&](std::string_view by) { return !by.empty() && has(names, by); });
  return false;
}

std::optional<Difference> more(const CheckInput& in) {
  if (in.sheet.fromMachine || std::none_of(in.sheet.technologies.begin(), in.sheet.technologies.end(),
                                           [](const std::string& n) { return comparable(n); }))
    return std::nullopt;
  Difference d;
  for (const auto& name : in.machine.technologies)
    if (comparable(name) && !has(in.sheet.technologies, name) && !impliedBy(in.sheet.technologies, name))
      d.items.push_back(name);
  if (d.items.empty()) return std::nullopt;
  return d;
}
std::optional<Difference> l3(const CheckInput& in) {
  const auto& sheet = in.sheet.l3Bytes;
  const auto& machine = in.machine.l3Bytes;
  if (!sheet || !machine || in.sheet.fromMachine || *machine + *sheet / 100 >= *sheet) return std::nullopt;
  return Difference{platform::cacheText(*sheet), platform::cacheText(*machine), {}};
}
// The code name of the identifier's family and model, where the table is
// certain of it and its microarchitecture is another than the sheet's.
std::optional<Difference> identity(const CheckInput& in) {
  const auto& s = in.sheet;
  if (!s.familyModel || s.codeName.empty() || s.fromMachine) return std::nullopt;
  const auto die = findFamilyModelRow(s.vendor, s.familyModel->family, s.familyModel->model, s.stepping);
  if (!die || !die->certain || die->microarchitecture.empty()) return std::nullopt;
  const std::string_view named = microarchitectureOfCodeName(s.vendor, s.codeName);
  if (named.empty() || sameCodeName(named, die->microarchitecture)) return std::nullopt;
  return Difference{s.codeName, std::string(die->codeName), {}};
}

bool identityNamed(const CheckInput& in, CheckFinding& f) {
  const auto& s = in.sheet;
  f.detail = "family " + std::to_string(s.familyModel->family) + ", model " + std::to_string(s.familyModel->model);
  const auto die = findFamilyModelRow(s.vendor, s.familyModel->family, s.familyModel->model, s.stepping);
  f.evidence = "sheet's code name " + s.codeName + " (" +
               std::string(microarchitectureOfCodeName(s.vendor, s.codeName)) + "), identifier's " + f.detail + ": " +
               std::string(die->codeName) + " (" + std::string(die->microarchitecture) + ")";
  return true;
}

struct FactRow {
  CheckFact fact;
  const char* name;
  const char* control;
  TextId caption;
  Compare compare;
};

// clang-format off
//  fact                   name               control                         caption                    compare
constexpr FactRow kFacts[] = {
  {CheckFact::Machine,      "machine",       main_controls::kBrandString,   TextId::CheckFactMachine,      machineKind},
  {CheckFact::Cores,        "cores",         main_controls::kCores,         TextId::CheckFactCores,        cores},
  {CheckFact::Threads,      "threads",       main_controls::kThreads,       TextId::CheckFactThreads,      threads},
  {CheckFact::Cpus,         "usable_cpus",   main_controls::kThreads,       TextId::CheckFactCpus,         usable},
  {CheckFact::Turbo,        "turbo_clock",   main_controls::kTurboClock,    TextId::CheckFactTurbo,        turbo},
  {CheckFact::Base,         "base_clock",    main_controls::kBaseClock,     TextId::CheckFactBase,         base},
  {CheckFact::Technologies, "technologies",  main_controls::kTechnologies,  TextId::CheckFactTechnologies, missing},
  {CheckFact::L3,           "l3_cache",      main_controls::kL3Cache,       TextId::CheckFactL3,           l3},
  {CheckFact::Identity,     "code_name",     main_controls::kCodeName,      TextId::CheckFactIdentity,     identity},
};

// Technology groups a rule explains; empty: whatever is left.
constexpr std::string_view kVirtualisation[] = {"VT-x", "AMD-V"};
constexpr std::string_view kVectors[] = {"AVX", "AVX2", "AVX-512", "FMA3", "FMA4"};
constexpr std::string_view kTsx[] = {"TSX-NI"};

struct ReasonRow {
  CheckRule rule;
  Condition holds;
  std::span<const std::string_view> group;
};

using K = CheckKind;
using F = CheckFact;
using T = TextId;
//  kind                       fact             note   finding                reason                       name                    holds              group
constexpr ReasonRow kRules[] = {
  {{K::VirtualMachine,        F::Machine,      false, T::FindVirtualMachine, T::ReasonHypervisor,         "virtual_machine"},      byCpuid,           {}},
  {{K::VirtualMachineByFiles, F::Machine,      false, T::FindVirtualMachine, T::ReasonHypervisor,         "virtual_machine_files"}, byFiles,          {}},
  {{K::CoresVirtual,          F::Cores,        false, T::FindFewer,          T::ReasonVirtualCpus,        "cores_virtual"},        underHypervisor,   {}},
  {{K::CoresMaxcpus,          F::Cores,        false, T::FindFewer,          T::ReasonMaxcpus,            "cores_maxcpus"},        bootedWithMaxcpus, {}},
  {{K::CoresOffline,          F::Cores,        false, T::FindFewer,          T::ReasonOffline,            "cores_offline"},        processorsOffline, {}},
  {{K::CoresFewer,            F::Cores,        false, T::FindFewer,          T::ReasonFewer,              "cores_fewer"},          fewer,             {}},
  {{K::ThreadsVirtual,        F::Threads,      false, T::FindFewer,          T::ReasonVirtualCpus,        "threads_virtual"},      underHypervisor,   {}},
  {{K::ThreadsSmtOff,         F::Threads,      false, T::FindFewer,          T::ReasonSmtOff,             "smt_off"},              smtSwitchedOff,    {}},
  {{K::ThreadsSmtFirmware,    F::Threads,      false, T::FindFewer,          T::ReasonSmtFirmware,        "smt_off_firmware"},     smtOffInFirmware,  {}},
  {{K::ThreadsMaxcpus,        F::Threads,      false, T::FindFewer,          T::ReasonMaxcpus,            "threads_maxcpus"},      bootedWithMaxcpus, {}},
  {{K::ThreadsOffline,        F::Threads,      false, T::FindFewer,          T::ReasonOffline,            "threads_offline"},      processorsOffline, {}},
  {{K::ThreadsFewer,          F::Threads,      false, T::FindFewer,          T::ReasonFewer,              "threads_fewer"},        fewer,             {}},
  {{K::CpusQuota,             F::Cpus,         false, T::FindUsable,         T::ReasonQuota,              "container_quota"},      containerQuota,    {}},
  {{K::CpusCpuset,            F::Cpus,         false, T::FindUsable,         T::ReasonCpuset,             "container_cpuset"},     containerCpuset,   {}},
  {{K::TurboOff,              F::Turbo,        false, T::FindTurboOff,       T::ReasonTurboOff,           "turbo_off"},            turboSwitchedOff,  {}},
  {{K::TurboLimited,          F::Turbo,        false, T::FindClockBelow,     T::ReasonClockLimit,         "clock_limited"},        clockLimited,      {}},
  {{K::TurboBelow,            F::Turbo,        false, T::FindClockBelow,     T::ReasonClockBelow,         "clock_below_turbo"},    highestBelow,      {}},
  {{K::BaseClockOther,        F::Base,         false, T::FindBaseClock,      T::ReasonBrandChanged,       "base_clock_other"},     always,            {}},
  {{K::VirtualisationTaken,   F::Technologies, false, T::FindTechMissing,    T::ReasonVirtTaken,          "virtualisation_taken"}, underHypervisor,   kVirtualisation},
  {{K::VirtualisationOff,     F::Technologies, false, T::FindTechMissing,    T::ReasonVirtOff,            "virtualisation_off"},   always,            kVirtualisation},
  {{K::VectorsHidden,         F::Technologies, false, T::FindTechMissing,    T::ReasonHiddenByHypervisor, "vectors_hidden"},       underHypervisor,   kVectors},
  {{K::VectorsOff,            F::Technologies, false, T::FindTechMissing,    T::ReasonVectorsOff,         "vectors_off"},          always,            kVectors},
  {{K::TsxOff,                F::Technologies, false, T::FindTechMissing,    T::ReasonTsxOff,             "tsx_off"},              always,            kTsx},
  {{K::TechnologiesHidden,    F::Technologies, false, T::FindTechMissing,    T::ReasonHiddenByHypervisor, "technologies_hidden"},  underHypervisor,   {}},
  {{K::TechnologiesMissing,   F::Technologies, false, T::FindTechMissing,    T::ReasonNotOffered,         "technologies_missing"}, always,            {}},
  {{K::TechnologiesMore,      F::Technologies, true,  T::FindTechMore,       T::ReasonSheetOmits,         "technologies_more"},    always,            {}},
  {{K::L3Virtual,             F::L3,           false, T::FindFewer,          T::ReasonL3Virtual,          "l3_virtual"},           underHypervisor,   {}},
  {{K::L3Smaller,             F::L3,           false, T::FindFewer,          T::ReasonL3Smaller,          "l3_smaller"},           always,            {}},
  {{K::IdentityOther,         F::Identity,     false, T::FindIdentity,       T::ReasonBrandChanged,       "other_silicon"},        identityNamed,     {}},
};
// clang-format on

constexpr bool inKindOrder() {
  for (std::size_t i = 0; i < std::size(kRules); ++i)
    if (static_cast<std::size_t>(kRules[i].rule.kind) != i) return false;
  return true;
}

const FactRow& factRow(CheckFact fact) { return kFacts[static_cast<std::size_t>(fact)]; }

struct SignatureName {
  std::string_view signature;  // leaf 0x40000000's text, trailing NULs and blanks off
  const char* name;
};
// clang-format off
// Hypervisor vendor signatures, as the hypervisors' documentation gives them.
constexpr SignatureName kSignatures[] = {
  {"KVMKVMKVM",     "KVM"},
  {"Linux KVM Hv",  "KVM"},
  {"Microsoft Hv",  "Microsoft Hyper-V"},
  {"VMwareVMware",  "VMware"},
  {"XenVMMXenVMM",  "Xen"},
  {"VBoxVBoxVBox",  "VirtualBox"},
  {"TCGTCGTCGTCG",  "QEMU (emulated)"},
  {" lrpepyh  vr",  "Parallels"},
  {"prl hyperv",    "Parallels"},
  {"bhyve bhyve",   "bhyve"},
  {"ACRNACRNACRN",  "ACRN"},
  {" QNXQVMBSQG",   "QNX"},
};
// The firmware's system vendor or product (DMI) of virtual machines: the
// first row whose text either of them begins with.
constexpr SignatureName kDmiNames[] = {
  {"QEMU",                  "QEMU"},
  {"KVM",                   "KVM"},
  {"VMware",                "VMware"},
  {"innotek GmbH",          "VirtualBox"},
  {"VirtualBox",            "VirtualBox"},
  {"Xen",                   "Xen"},
  {"HVM domU",              "Xen"},
  {"Parallels",             "Parallels"},
  {"Bochs",                 "Bochs"},
  {"BHYVE",                 "bhyve"},
  {"Amazon EC2",            "Amazon EC2"},
  {"Google Compute Engine", "Google Compute Engine"},
};
// clang-format on

}  // namespace

static_assert(inKindOrder(), "one rule per CheckKind, in the order of the kinds");

std::span<const CheckRule> checkRules() {
  static const auto rules = [] {
    std::vector<CheckRule> all;
    for (const auto& row : kRules) all.push_back(row.rule);
    return all;
  }();
  return rules;
}

const CheckRule& ruleOf(CheckKind kind) { return kRules[static_cast<std::size_t>(kind)].rule; }
TextId factCaption(CheckFact fact) { return factRow(fact).caption; }
const char* factName(CheckFact fact) { return factRow(fact).name; }
const char* factControl(CheckFact fact) { return factRow(fact).control; }

HypervisorName hypervisorOf(const MachineState& state) {
  HypervisorName result;
  const auto& cpuid = state.hypervisor;
  if (cpuid.present && !cpuid.hostPartition) {
    result.byCpuid = true;
    for (const auto& row : kSignatures)
      if (cpuid.signature == row.signature) result.name = row.name;
    if (result.name.empty()) result.name = cpuid.signature.empty() ? "?" : "\"" + cpuid.signature + "\"";
    if (cpuid.signature == "Microsoft Hv" && state.wsl) result.name += " (WSL 2)";
    result.evidence = "CPUID leaf 1: hypervisor bit set; leaf 0x40000000: \"" + cpuid.signature + "\"";
    return result;
  }
  if (state.hypervisorType == "xen") {
    result.name = "Xen";
    result.evidence = "/sys/hypervisor/type: xen";
    return result;
  }
  for (const auto& row : kDmiNames)
    for (const std::string* text : {&state.dmiVendor, &state.dmiProduct})
      if (result.name.empty() && std::string_view(*text).starts_with(row.signature)) {
        result.name = row.name;
        result.evidence = "DMI: \"" + state.dmiVendor + "\", \"" + state.dmiProduct + "\"";
      }
  if (result.name.empty() && state.dmiVendor == "Microsoft Corporation" && state.dmiProduct == "Virtual Machine") {
    result.name = "Microsoft Hyper-V";
    result.evidence = "DMI: \"" + state.dmiVendor + "\", \"" + state.dmiProduct + "\"";
  }
  return result;
}

std::vector<CheckFinding> compareWithMachine(const SheetFacts& sheet, const MachineFacts& machine,
                                             const MachineState& state) {
  CheckInput in{sheet, machine, state, hypervisorOf(state)};
  in.online = state.online ? state.online->count : machine.threads * std::max(machine.packages, 1);
  std::vector<CheckFinding> findings;
  for (const FactRow& fact : kFacts) {
    for (const bool notes : {false, true}) {
      std::optional<Difference> difference =
          notes ? (fact.fact == F::Technologies ? more(in) : std::nullopt) : fact.compare(in);
      if (!difference) continue;
      std::vector<std::string> left = difference->items;
      for (const ReasonRow& row : kRules) {
        if (row.rule.fact != fact.fact || row.rule.note != notes) continue;
        CheckFinding finding{row.rule.kind, difference->sheet, difference->machine, "", ""};
        std::vector<std::string> taken;
        if (!left.empty()) {
          for (const auto& name : left)
            if (row.group.empty() || std::find(row.group.begin(), row.group.end(), name) != row.group.end())
              taken.push_back(name);
          if (taken.empty()) continue;
        }
        if (!row.holds(in, finding)) continue;
        if (difference->items.empty()) {
          if (finding.evidence.empty())
            finding.evidence = "sheet \"" + finding.sheet + "\", machine \"" + finding.machine + "\"";
          findings.push_back(std::move(finding));
          break;
        }
        const std::string names = base::joinWithCommas(taken);
        (notes ? finding.machine : finding.sheet) = names;
        if (finding.evidence.empty())
          finding.evidence = notes ? "the machine's flags show " + names : "the machine's flags lack " + names;
        findings.push_back(std::move(finding));
        std::erase_if(left,
                      [&](const std::string& n) { return std::find(taken.begin(), taken.end(), n) != taken.end(); });
        if (left.empty()) break;
      }
    }
  }
  return findings;
}

std::optional<int> brandClockMhz(std::string_view brand) {
  const auto at = brand.find("GHz");
  if (at == std::string_view::npos) return std::nullopt;
  std::size_t start = at;
  while (start > 0 && ((brand[start - 1] >= '0' && brand[start - 1] <= '9') || brand[start - 1] == '.')) --start;
  if (start == at) return std::nullopt;
  return clockMhzOf(std::string(brand.substr(start, at - start)) + " GHz");
}

SheetFacts sheetFactsOf(const TForm15& form) {
  const DataSheet& sheet = form.facts.sheet;
  const std::string& brand = form[main_controls::kBrandString].text;
  SheetFacts s;
  s.cores = sheet.cores;
  s.threads = sheet.threads;
  s.turboMhz = sheet.turboMhz;
  s.baseMhz = sheet.baseMhz;
  s.brandBaseMhz = brandClockMhz(brand).value_or(0);
  if (sheet.cache && sheet.cache->level == 3) s.l3Bytes = sheet.cache->bytes;
  s.technologies = sheet.technologies;
  s.codeName = sheet.codeName;
  s.vendor = std::string(familyModelVendor(brand, form.facts.vendor));
  s.familyModel = form.facts.familyModel();
  s.stepping = form.facts.stepping.value_or(-1);
  s.fromMachine = sheet.source == SheetSource::Machine;
  return s;
}

void checkAgainstMachine(TForm15& form, const MachineCheckSources& sources) {
  if (!sources.facts && !sources.state) return;
  const MachineFacts machine = sources.facts ? sources.facts->read() : MachineFacts{};
  const MachineState state = sources.state ? sources.state->read() : MachineState{};
  form.facts.findings = compareWithMachine(sheetFactsOf(form), machine, state);
  form.facts.checked = true;
}

bool runsAsSpecified(const std::vector<CheckFinding>& findings) {
  return std::all_of(findings.begin(), findings.end(), [](const CheckFinding& f) { return ruleOf(f.kind).note; });
}

std::string filledIn(std::string_view text, const CheckFinding& finding) {
  std::string out;
  while (!text.empty()) {
    const auto open = text.find('{');
    out += text.substr(0, open);
    if (open == std::string_view::npos) break;
    const auto close = text.find('}', open);
    const std::string_view name = text.substr(open + 1, close - open - 1);
    out += name == "sheet" ? finding.sheet : name == "machine" ? finding.machine : finding.detail;
    text.remove_prefix(close == std::string_view::npos ? text.size() : close + 1);
  }
  return out;
}

std::string findingLine(const CheckFinding& finding, Language language) {
  const CheckRule& rule = ruleOf(finding.kind);
  return std::string(textOf(factCaption(rule.fact), language)) + ": " +
         filledIn(textOf(rule.finding, language), finding) + " - " + filledIn(textOf(rule.reason, language), finding);
}

}  // namespace wexmora
