// The sheet held against the machine, through the whole pass: one case per
// finding, each a real processor's brand string and identifier, its sheet's
// own facts as the machine's with one thing changed, and the system's state
// of a fake; then the naming of hypervisors, the window's lines in both
// languages, and the sheet's texts read back as numbers.
#include "core/check/machine_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>

#include "core/model/control_names.h"
#include "core/pass/handlers.h"
#include "core/pass/pass.h"
#include "support/fakes.h"
#include "support/machine_facts_fakes.h"
#include "support/machine_state_fakes.h"

namespace wexmora {
namespace {

using platform::CpuListFact;
using platform::MachineFacts;
using platform::MachineState;
using K = CheckKind;

struct PassRun {
  TForm15 form;
  testing::FakeSettingsStore settings;
  testing::RecordingSleeper sleeper;
  catalogue::Lists catalogue;
};

void runPass(PassRun& run, const std::string& brand, const std::string& identifier, MachineCheckSources check,
             const platform::MachineFactsSource* second = nullptr, int language = 1) {
  run.settings.values["Languages"] = std::to_string(language);
  platform::FixedProcessorSource processor(brand, identifier);
  PassServices services{processor, run.settings, run.sleeper, run.catalogue, {.consult = true, .machine = second}};
  services.check = check;
  FormCreate(run.form, services, 1920, 1080);
}

// The machine exactly as the sheet of that processor says.
MachineFacts factsOfSheet(const std::string& brand, const std::string& identifier) {
  PassRun run;
  runPass(run, brand, identifier, {});
  const SheetFacts sheet = sheetFactsOf(run.form);
  MachineFacts facts;
  facts.packages = 1;
  facts.cores = sheet.cores;
  facts.threads = sheet.threads;
  facts.l3Bytes = sheet.l3Bytes;
  facts.maxMhz = sheet.turboMhz;
  facts.technologies = sheet.technologies;
  return facts;
}

void drop(std::vector<std::string>& names, std::string_view name) { std::erase(names, std::string(name)); }

MachineState underKvm() {
  MachineState state;
  state.hypervisor = {true, "KVMKVMKVM", false};
  return state;
}

constexpr const char* kI58400 = R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)";
constexpr const char* kI58400Id = "Intel64 Family 6 Model 158 Stepping 10";
constexpr const char* kI78700 = R"(Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz)";

struct Case {
  const char* name;
  const char* brand;
  const char* identifier;
  std::function<void(MachineFacts&, MachineState&)> change;
  std::vector<CheckFinding> expected;  // kind, sheet, machine and detail; evidence not compared
};

// One case per rule of the check at least (EveryRuleHasACase).
const std::vector<Case>& checkCases() {
  static const std::vector<Case> cases = {
      {"2 vCPUs of a 64-core EPYC under KVM",
       "AMD EPYC 7702P 64-Core Processor",
       "AMD64 Family 23 Model 49 Stepping 0",
       [](MachineFacts& m, MachineState& s) {
         m.cores = m.threads = 2;
         s = underKvm();
         s.online = CpuListFact{"0-1", 2};
       },
       {{K::VirtualMachine, "", "KVM", "", ""},
        {K::CoresVirtual, "64", "2", "KVM", ""},
        {K::ThreadsVirtual, "128", "2", "KVM", ""}}},
      {"SMT off",
       kI78700,
       kI58400Id,
       [](MachineFacts& m, MachineState& s) {
         m.threads = 6;
         drop(m.technologies, "HT");
         s.smt = platform::SmtControl::Off;
       },
       {{K::ThreadsSmtOff, "12", "6", "smt/control: off", ""}}},
      {"SMT off in the firmware (Windows: one logical processor per core)",
       kI78700,
       kI58400Id,
       [](MachineFacts& m, MachineState&) { m.threads = 6; },
       {{K::ThreadsSmtFirmware, "12", "6", "", ""}}},
      {"4 of 6 cores online",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState& s) {
         m.cores = m.threads = 4;
         s.online = CpuListFact{"0-3", 4};
         s.offline = CpuListFact{"4-5", 2};
         s.present = CpuListFact{"0-5", 6};
       },
       {{K::CoresOffline, "6", "4", "online 0-3, offline 4-5, present 0-5", ""},
        {K::ThreadsOffline, "6", "4", "online 0-3, offline 4-5, present 0-5", ""}}},
      {"booted with maxcpus=4",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState& s) {
         m.cores = m.threads = 4;
         s.maxcpus = 4;
         s.present = CpuListFact{"0-5", 6};
       },
       {{K::CoresMaxcpus, "6", "4", "4", ""}, {K::ThreadsMaxcpus, "6", "4", "4", ""}}},
      {"a container limited to 2 CPUs of 16",
       R"(Intel(R) Core(TM) i9-9900K CPU @ 3.60GHz)",
       "Intel64 Family 6 Model 158 Stepping 12",
       [](MachineFacts&, MachineState& s) {
         s.online = CpuListFact{"0-15", 16};
         s.cpuMax = platform::CpuMax{200000, 100000};
         s.cpuMaxCgroup = "/docker/abc";
       },
       {{K::CpusQuota, "16", "2", "200000 100000", ""}}},
      {"a container's CPU set",
       R"(Intel(R) Core(TM) i9-9900K CPU @ 3.60GHz)",
       "Intel64 Family 6 Model 158 Stepping 12",
       [](MachineFacts&, MachineState& s) {
         s.online = CpuListFact{"0-15", 16};
         s.cgroupCpus = CpuListFact{"2-4", 3};
       },
       {{K::CpusCpuset, "16", "3", "2-4", ""}}},
      {"turbo off",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState& s) {
         m.maxMhz = 2800;
         s.turbo = false;
         s.turboSwitch = platform::TurboSwitch::IntelPstateNoTurbo;
       },
       {{K::TurboOff, "4.00 GHz", "2.80 GHz", "intel_pstate/no_turbo = 1", ""}}},
      {"a lower clock limit",
       kI58400,
       kI58400Id,
       [](MachineFacts&, MachineState& s) { s.limitMhz = 3000; },
       {{K::TurboLimited, "4.00 GHz", "3.00 GHz", "scaling_max_freq 3000 MHz", ""}}},
      {"the highest clock below the turbo clock",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState&) { m.maxMhz = 3600; },
       {{K::TurboBelow, "4.00 GHz", "3.60 GHz", "", ""}}},
      {"VT-x off in the firmware",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState&) { drop(m.technologies, "VT-x"); },
       {{K::VirtualisationOff, "VT-x", "", "", ""}}},
      {"VT-x taken by a hypervisor",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState& s) {
         drop(m.technologies, "VT-x");
         s = underKvm();
       },
       {{K::VirtualMachine, "", "KVM", "", ""}, {K::VirtualisationTaken, "VT-x", "", "KVM", ""}}},
      {"AVX-512 hidden",
       "11th Gen Intel(R) Core(TM) i5-11400 @ 2.60GHz",
       "Intel64 Family 6 Model 167 Stepping 1",
       [](MachineFacts& m, MachineState& s) {
         drop(m.technologies, "AVX-512");
         drop(m.technologies, "TMT");
         s.hypervisor = {true, "Microsoft Hv", false};
         s.wsl = true;
       },
       {{K::VirtualMachine, "", "Microsoft Hyper-V (WSL 2)", "", ""},
        {K::VectorsHidden, "AVX-512", "", "Microsoft Hyper-V (WSL 2)", ""},
        {K::TechnologiesHidden, "TMT", "", "Microsoft Hyper-V (WSL 2)", ""}}},
      {"TSX off by microcode, AVX2 missing on bare metal",
       kI78700,
       kI58400Id,
       [](MachineFacts& m, MachineState&) {
         drop(m.technologies, "TSX-NI");
         drop(m.technologies, "AVX2");
       },
       {{K::VectorsOff, "AVX2", "", "", ""}, {K::TsxOff, "TSX-NI", "", "", ""}}},
      {"a brand string whose base clock is not the sheet's",
       R"(Intel(R) Core(TM) i5-8250U CPU @ 1.80GHz)",
       "Intel64 Family 6 Model 142 Stepping 10",
       [](MachineFacts&, MachineState&) {},
       {{K::BaseClockOther, "1.60 GHz", "1.80 GHz", "", ""}}},
      {"an L3 the hypervisor shows smaller",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState& s) {
         m.l3Bytes = 4u << 20;
         s = underKvm();
       },
       {{K::VirtualMachine, "", "KVM", "", ""}, {K::L3Virtual, "9 Mb", "4 Mb", "KVM", ""}}},
      {"a smaller L3",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState&) { m.l3Bytes = 6u << 20; },
       {{K::L3Smaller, "9 Mb", "6 Mb", "", ""}}},
      {"an i7-8700 brand string on Haswell silicon",
       kI78700,
       "Intel64 Family 6 Model 60 Stepping 3",
       [](MachineFacts&, MachineState&) {},
       {{K::IdentityOther, "Coffee Lake", "Haswell", "family 6, model 60", ""}}},
      {"more technologies than the sheet lists: a note, without the AVX its AVX2 implies",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState&) {
         m.technologies.push_back("AVX");
         m.technologies.push_back("FMA3");
       },
       {{K::TechnologiesMore, "", "FMA3", "", ""}}},
      {"a virtual machine that only its files name (Xen without the CPUID bit)",
       kI58400,
       kI58400Id,
       [](MachineFacts&, MachineState& s) { s.hypervisorType = "xen"; },
       {{K::VirtualMachineByFiles, "", "Xen", "", ""}}},
      {"fewer cores and threads, and nothing that says why",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState&) { m.cores = m.threads = 4; },
       {{K::CoresFewer, "6", "4", "", ""}, {K::ThreadsFewer, "6", "4", "", ""}}},
      {"a technology the machine does not offer (AES-NI off in the firmware)",
       kI58400,
       kI58400Id,
       [](MachineFacts& m, MachineState&) { drop(m.technologies, "AES"); },
       {{K::TechnologiesMissing, "AES", "", "", ""}}},
      {"runs exactly as its sheet says", kI58400, kI58400Id, [](MachineFacts&, MachineState&) {}, {}},
      {"a Hyper-V host partition is the machine itself",
       kI58400,
       kI58400Id,
       [](MachineFacts&, MachineState& s) {
         s.hypervisor = {true, "Microsoft Hv", true};
       },
       {}},
  };
  return cases;
}

TEST(MachineCheck, OneCasePerFinding) {
  for (const Case& c : checkCases()) {
    SCOPED_TRACE(c.name);
    MachineFacts machine = factsOfSheet(c.brand, c.identifier);
    ASSERT_GT(machine.cores, 0) << "the sheet gives cores";
    MachineState state;
    c.change(machine, state);
    const testing::FakeMachineFactsSource facts(machine);
    const testing::FakeMachineStateSource system(state);
    PassRun run;
    runPass(run, c.brand, c.identifier, {&facts, &system});
    EXPECT_TRUE(run.form.facts.checked);
    std::vector<CheckFinding> found = run.form.facts.findings;
    for (auto& f : found) {
      EXPECT_FALSE(f.evidence.empty()) << ruleOf(f.kind).name;
      f.evidence.clear();
    }
    EXPECT_EQ(found, c.expected);
    const bool alarms =
        std::any_of(c.expected.begin(), c.expected.end(), [](const CheckFinding& f) { return !ruleOf(f.kind).note; });
    EXPECT_EQ(runsAsSpecified(found), !alarms);
  }
}

// No false finding: for the machines of the committed sample
// (tests/core/data/check_sample.tsv, derived by
// tools/check/derive_check_fixture.py), every sheet a table gives, with its
// own cores, threads, L3, turbo clock and technologies taken as the
// machine's, runs as it says.
TEST(MachineCheck, NoFindingWhereTheMachineIsItsSheet) {
  std::ifstream in(std::string(WEXMORA_SOURCE_DIR) + "/tests/core/data/check_sample.tsv", std::ios::binary);
  ASSERT_TRUE(in);
  std::string line;
  int sheets = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line.front() == '#') continue;
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const std::string brand = line.substr(0, tab), identifier = line.substr(tab + 1);
    PassRun sheetOnly;
    runPass(sheetOnly, brand, identifier, {});
    if (sheetOnly.form.facts.sheet.source == SheetSource::None) continue;
    ++sheets;
    const testing::FakeMachineFactsSource facts(factsOfSheet(brand, identifier));
    const testing::FakeMachineStateSource system;
    PassRun run;
    runPass(run, brand, identifier, {&facts, &system});
    for (const CheckFinding& f : run.form.facts.findings)
      ADD_FAILURE() << brand << " | " << identifier << ": " << findingLine(f, Language::English) << " [" << f.evidence
                    << "]";
  }
  EXPECT_GT(sheets, 200);
}

// Without sources there is no check; a brand string that is not this
// machine's gets none.
TEST(MachineCheck, NoSourcesNoCheck) {
  PassRun run;
  runPass(run, kI58400, kI58400Id, {});
  EXPECT_FALSE(run.form.facts.checked);
  EXPECT_TRUE(run.form.facts.findings.empty());
}

TEST(MachineCheck, HypervisorNames) {
  const auto cpuid = [](const char* signature) {
    MachineState s;
    s.hypervisor = {true, signature, false};
    return s;
  };
  const auto dmi = [](const char* vendor, const char* product) {
    MachineState s;
    s.dmiVendor = vendor, s.dmiProduct = product;
    return s;
  };
  MachineState xen;
  xen.hypervisorType = "xen";
  const struct {
    MachineState state;
    const char* name;
  } cases[] = {
      {cpuid("KVMKVMKVM"), "KVM"},
      {cpuid("Microsoft Hv"), "Microsoft Hyper-V"},
      {cpuid("VMwareVMware"), "VMware"},
      {cpuid("XenVMMXenVMM"), "Xen"},
      {cpuid("VBoxVBoxVBox"), "VirtualBox"},
      {cpuid("TCGTCGTCGTCG"), "QEMU (emulated)"},
      {cpuid(" lrpepyh  vr"), "Parallels"},
      {cpuid("bhyve bhyve"), "bhyve"},
      {cpuid("NewHypervisr"), "\"NewHypervisr\""},
      {cpuid(""), "?"},
      {xen, "Xen"},
      {dmi("QEMU", "Standard PC (i440FX + PIIX, 1996)"), "QEMU"},
      {dmi("innotek GmbH", "VirtualBox"), "VirtualBox"},
      {dmi("VMware, Inc.", "VMware Virtual Platform"), "VMware"},
      {dmi("Microsoft Corporation", "Virtual Machine"), "Microsoft Hyper-V"},
      {dmi("Microsoft Corporation", "Surface Laptop 5"), ""},
      {dmi("Dell Inc.", "OptiPlex 7070"), ""},
      {MachineState{}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(hypervisorOf(c.state).name, c.name) << c.name;
}

// The window: a memo line per finding after the technologies and the
// source note, the line under the field's hint, each in the selected
// language and replaced, never repeated, on a language switch.
TEST(MachineCheck, TheWindowShowsEachFindingInBothLanguages) {
  MachineFacts machine = factsOfSheet(kI78700, kI58400Id);
  machine.threads = 6;
  MachineState state;
  state.smt = platform::SmtControl::Off;
  const testing::FakeMachineFactsSource facts(machine);
  const testing::FakeMachineStateSource system(state);
  PassRun run;
  runPass(run, kI78700, kI58400Id, {&facts, &system}, nullptr, 1);
  ASSERT_EQ(run.form.facts.findings.size(), 1u);
  const CheckFinding& finding = run.form.facts.findings[0];
  const std::string english = findingLine(finding, Language::English);
  const std::string russian = findingLine(finding, Language::Russian);
  EXPECT_EQ(english,
            "Threads: 6 instead of the sheet's 12 - SMT (hyper-threading) is switched off in the system "
            "(smt/control: off)");
  const std::string technologies =
      "AVX2, InTru 3D, EPT, VT-D, TSX-NI, TXT, TMT, CV-HD, QSV, SK, TSE, OMS, HT, SSE, "
      "SSE2, SSE3, SSSE3, SSE4.1, SSE4.2, MMX, EM64T, AES, VT-x";
  const auto& memo = run.form[main_controls::kTechnologies].text;
  const auto& hint = run.form[main_controls::kThreads].hint;
  EXPECT_EQ(memo, technologies + "\r\n" + english);
  EXPECT_TRUE(hint.ends_with("\r" + english)) << hint;
  for (const int index : {0, 1, 0, 0, 1}) {
    run.form.comboIndex = index;
    ComboBox1Click(run.form);
    const std::string& line = index == 1 ? english : russian;
    const std::string& other = index == 1 ? russian : english;
    EXPECT_EQ(memo, technologies + "\r\n" + line) << index;
    EXPECT_TRUE(hint.ends_with("\r" + line)) << hint;
    EXPECT_EQ(hint.find(other), std::string::npos) << hint;
    EXPECT_EQ(hint.find(line), hint.rfind(line)) << "once: " << hint;
  }
}

// A sheet from the machine's own facts keeps its source note before the findings.
TEST(MachineCheck, FindingsFollowTheSourceNote) {
  MachineFacts machine;
  machine.cores = 2, machine.threads = 2, machine.technologies = {"SSE", "SSE2"};
  const testing::FakeMachineFactsSource facts(machine);
  const testing::FakeMachineStateSource system(underKvm());
  PassRun run;
  runPass(run, "QEMU Virtual CPU version 2.5+", "AMD64 Family 23 Model 1 Stepping 2", {&facts, &system}, &facts, 0);
  ASSERT_EQ(run.form.facts.sheet.source, SheetSource::Machine);
  ASSERT_EQ(run.form.facts.findings.size(), 1u) << "only the virtual machine: the sheet is the machine's";
  const auto& memo = run.form[main_controls::kTechnologies].text;
  const std::string line = findingLine(run.form.facts.findings[0], Language::Russian);
  EXPECT_TRUE(memo.starts_with("SSE, SSE2\r\n")) << memo;
  EXPECT_TRUE(memo.ends_with("\r\n" + line)) << memo;
  run.form.comboIndex = 1;
  ComboBox1Click(run.form);
  run.form.comboIndex = 0;
  ComboBox1Click(run.form);
  EXPECT_TRUE(memo.ends_with("\r\n" + line)) << memo;
  EXPECT_EQ(std::count(memo.begin(), memo.end(), '\n'), 2) << memo;
}

TEST(MachineCheck, ReadsTheBrandStringsClock) {
  EXPECT_EQ(brandClockMhz(R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)"), 2800);
  EXPECT_EQ(brandClockMhz("AMD Ryzen 5 3600 6-Core Processor"), std::nullopt);
  EXPECT_EQ(brandClockMhz("GHz"), std::nullopt);
}

// A rule without a case of OneCasePerFinding is a rule nobody has seen fire.
TEST(MachineCheck, EveryRuleHasACase) {
  std::set<CheckKind> seen;
  for (const Case& c : checkCases())
    for (const CheckFinding& finding : c.expected) seen.insert(finding.kind);
  for (const CheckRule& rule : checkRules()) EXPECT_TRUE(seen.count(rule.kind)) << "no case fires " << rule.name;
}

// No two rules share a name (the JSON's "rule").
TEST(MachineCheck, RuleNamesAreUnique) {
  std::set<std::string> names;
  for (const CheckRule& rule : checkRules()) EXPECT_TRUE(names.insert(rule.name).second) << rule.name;
}

// Every rule has its texts in both languages, and its fact a control.
TEST(MachineCheck, EveryRuleHasItsTexts) {
  for (const CheckRule& rule : checkRules()) {
    for (const Language language : {Language::Russian, Language::English}) {
      EXPECT_FALSE(textOf(rule.finding, language).empty()) << rule.name;
      EXPECT_FALSE(textOf(rule.reason, language).empty()) << rule.name;
      EXPECT_FALSE(textOf(factCaption(rule.fact), language).empty()) << rule.name;
    }
    EXPECT_TRUE(TForm15().has(factControl(rule.fact))) << rule.name;
  }
}

}  // namespace
}  // namespace wexmora
