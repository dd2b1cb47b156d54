#include "app/info/metrics.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "base/decimal.h"
#include "base/trim.h"
#include "base/utf8.h"
#include "core/check/machine_check.h"
#include "core/extended/second_source.h"
#include "core/identify/model_number.h"
#include "core/model/control_names.h"

namespace wexmora::info {
namespace {

using namespace main_controls;

// What the families read: the sheet, its facts as the check reads them, and
// the machine's own facts when the sheet is this machine's.
struct MetricInput {
  const TForm15& form;
  SheetFacts sheet;
  const platform::MachineFacts* machine;
};

struct Sample {
  std::string labels;  // `name="value",...` without braces; empty for none
  double value;
};
using Samples = std::vector<Sample>;

std::string label(std::string_view name, std::string_view value) {
  return std::string(name) + "=\"" + prometheusLabelValue(value) + "\"";
}

Samples one(std::optional<double> value) { return value ? Samples{{"", *value}} : Samples{}; }
Samples count(int n) { return n > 0 ? Samples{{"", static_cast<double>(n)}} : Samples{}; }

std::optional<double> hertz(int mhz) { return mhz > 0 ? std::optional<double>(mhz * 1e6) : std::nullopt; }

const char* vendorName(platform::Vendor vendor) {
  switch (vendor) {
    case platform::Vendor::Intel:
      return "Intel";
    case platform::Vendor::Amd:
      return "AMD";
    case platform::Vendor::Other:
      return "Other";
  }
  return "";
}

std::string modelNumber(const TForm15& form) {
  const PassFacts& facts = form.facts;
  const auto reading =
      facts.modelNumberRead ? facts.modelNumber : readModelNumber(form[kBrandString].text, facts.familyModel());
  return reading ? reading->key : "";
}

Samples processorInfo(const MetricInput& in) {
  const TForm15& f = in.form;
  const std::string source = sheetSourceName(f.facts.sheet.source);
  const std::string labels[] = {label("brand", f[kBrandString].text),
                                label("vendor", vendorName(f.facts.vendor)),
                                label("model_number", modelNumber(f)),
                                label("model_key", f[kModelKey].text),
                                label("product_line", f[kProductLine].text),
                                label("code_name", f[kCodeName].text),
                                label("socket", f[kSocket].text),
                                label("source", source.empty() ? "none" : source)};
  std::string joined;
  for (const auto& l : labels) joined += (joined.empty() ? "" : ",") + l;
  return {{joined, 1}};
}

bool isVirtualMachine(CheckKind kind) {
  return kind == CheckKind::VirtualMachine || kind == CheckKind::VirtualMachineByFiles;
}
bool isSmtOff(CheckKind kind) { return kind == CheckKind::ThreadsSmtOff || kind == CheckKind::ThreadsSmtFirmware; }

Samples virtualMachine(const MetricInput& in) {
  for (const CheckFinding& finding : in.form.facts.findings)
    if (isVirtualMachine(finding.kind)) return {{label("hypervisor", finding.machine), 1}};
  return {{label("hypervisor", ""), 0}};
}

Samples smtOff(const MetricInput& in) {
  const auto& findings = in.form.facts.findings;
  return {{"", std::any_of(findings.begin(), findings.end(), [](const CheckFinding& f) { return isSmtOff(f.kind); })
                   ? 1.0
                   : 0.0}};
}

// The technologies of the sheet the machine lacks, each with the rule that
// explains it: the check's alarms on technologies name them, comma-separated,
// as the sheet's side.
std::vector<std::pair<std::string, const char*>> missingTechnologies(const MetricInput& in) {
  std::vector<std::pair<std::string, const char*>> names;
  for (const CheckFinding& finding : in.form.facts.findings) {
    const CheckRule& rule = ruleOf(finding.kind);
    if (rule.fact != CheckFact::Technologies || rule.note) continue;
    std::string_view list = finding.sheet;
    while (!list.empty()) {
      const auto comma = list.find(',');
      names.emplace_back(base::trim(list.substr(0, comma)), rule.name);
      list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
    }
  }
  return names;
}

Samples technologiesMissing(const MetricInput& in) {
  return {{"", static_cast<double>(missingTechnologies(in).size())}};
}

Samples technologyMissing(const MetricInput& in) {
  Samples samples;
  for (const auto& [name, rule] : missingTechnologies(in))
    samples.push_back({label("technology", name) + "," + label("rule", rule), 1});
  return samples;
}

Samples findings(const MetricInput& in) {
  Samples samples;
  for (const CheckFinding& finding : in.form.facts.findings) {
    const CheckRule& rule = ruleOf(finding.kind);
    samples.push_back({label("fact", factName(rule.fact)) + "," + label("rule", rule.name) + "," +
                           label("note", rule.note ? "true" : "false"),
                       1});
  }
  return samples;
}

Samples sheetCores(const MetricInput& in) { return count(in.sheet.cores); }
Samples sheetThreads(const MetricInput& in) { return count(in.sheet.threads); }
Samples baseClock(const MetricInput& in) { return one(hertz(in.sheet.baseMhz)); }
Samples turboClock(const MetricInput& in) { return one(hertz(in.sheet.turboMhz)); }
Samples l3Cache(const MetricInput& in) {
  return one(in.sheet.l3Bytes ? std::optional<double>(static_cast<double>(*in.sheet.l3Bytes)) : std::nullopt);
}
Samples maxTemperature(const MetricInput& in) { return one(in.form.facts.sheet.maxTemperatureCelsius); }
Samples lithography(const MetricInput& in) {
  const auto& node = in.form.facts.sheet.lithography;
  return one(node && node->nanometres > 0 ? std::optional<double>(node->nanometres / 1e9) : std::nullopt);
}
// A hybrid's cores by kind, labelled kind="performance", "efficient" or "low_power".
Samples coreTypes(int performance, int efficient, int lowPower) {
  if ((performance > 0) + (efficient > 0) + (lowPower > 0) < 2) return {};
  return {{label("kind", "performance"), static_cast<double>(performance)},
          {label("kind", "efficient"), static_cast<double>(efficient)},
          {label("kind", "low_power"), static_cast<double>(lowPower)}};
}
Samples sheetCoreTypes(const MetricInput& in) {
  const auto& types = in.form.facts.sheet.coreTypes;
  return types ? coreTypes(types->performance, types->efficient, types->lowPower) : Samples{};
}
Samples machineCoreTypes(const MetricInput& in) {
  return in.machine ? coreTypes(in.machine->performanceCores, in.machine->efficientCores, in.machine->lowPowerCores)
                    : Samples{};
}
Samples machineCores(const MetricInput& in) { return count(in.machine ? in.machine->cores : 0); }
Samples machineThreads(const MetricInput& in) { return count(in.machine ? in.machine->threads : 0); }

struct Family {
  const char* name;
  bool check;   // only for a sheet held against this machine
  bool always;  // written, help and type, also without a sample
  Samples (*samples)(const MetricInput&);
  const char* help;
};

// clang-format off
// name                                          check  always samples              help
constexpr Family kFamilies[] = {
  {"wexmora_processor_info",                    false, true,  processorInfo,       "The processor as the data sheet names it; always 1."},
  {"wexmora_processor_cores",                   false, true,  sheetCores,          "Cores of one processor, as the data sheet gives them."},
  {"wexmora_processor_threads",                 false, true,  sheetThreads,        "Threads of one processor, as the data sheet gives them."},
  {"wexmora_processor_core_type_cores",         false, false, sheetCoreTypes,      "A hybrid processor's cores of one kind, as the data sheet gives them."},
  {"wexmora_processor_base_clock_hertz",        false, true,  baseClock,           "Base clock of the data sheet in hertz."},
  {"wexmora_processor_turbo_clock_hertz",       false, true,  turboClock,          "Highest turbo clock of the data sheet in hertz."},
  {"wexmora_processor_l3_cache_bytes",          false, true,  l3Cache,             "Level-3 cache of the data sheet in bytes."},
  {"wexmora_processor_max_temperature_celsius", false, true,  maxTemperature,      "Highest temperature the data sheet allows, in degrees Celsius."},
  {"wexmora_processor_lithography_meters",      false, true,  lithography,         "Lithography of the data sheet in metres."},
  {"wexmora_machine_cores",                     true,  true,  machineCores,        "Cores of one processor the system uses."},
  {"wexmora_machine_threads",                   true,  true,  machineThreads,      "Logical processors of one processor the system uses."},
  {"wexmora_machine_core_type_cores",           true,  false, machineCoreTypes,    "Cores of one kind of a hybrid processor the system uses."},
  {"wexmora_machine_virtual",                   true,  true,  virtualMachine,      "1 when the system runs in a virtual machine, labelled with its hypervisor."},
  {"wexmora_machine_smt_off",                   true,  true,  smtOff,              "1 when simultaneous multithreading is switched off."},
  {"wexmora_machine_technologies_missing",      true,  true,  technologiesMissing, "Technologies of the data sheet the machine does not show."},
  {"wexmora_machine_technology_missing",        true,  true,  technologyMissing,   "A technology of the sheet the machine does not show, by the rule that explains it; 1."},
  {"wexmora_check_finding",                     true,  true,  findings,            "A difference between the data sheet and the machine, by its rule; always 1."},
};
// clang-format on

std::string number(double value) {
  if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
    return std::to_string(static_cast<long long>(value));
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

}  // namespace

std::string prometheusLabelValue(std::string_view text) {
  std::string out;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const auto cp = base::decodeUtf8(text, pos);
    if (!cp) {
      base::appendUtf8(out, 0xFFFD);
      if (pos == start) ++pos;
      continue;
    }
    if (*cp == '\\')
      out += "\\\\";
    else if (*cp == '"')
      out += "\\\"";
    else if (*cp == '\n')
      out += "\\n";
    else
      out.append(text.substr(start, pos - start));
  }
  return out;
}

std::string prometheusMetrics(const TForm15& form, const platform::MachineFacts* machine) {
  const MetricInput in{form, sheetFactsOf(form), machine};
  std::string out;
  for (const Family& family : kFamilies) {
    if (family.check && !form.facts.checked) continue;
    const Samples samples = family.samples(in);
    if (samples.empty() && !family.always) continue;
    out += std::string("# HELP ") + family.name + " " + family.help + "\n";
    out += std::string("# TYPE ") + family.name + " gauge\n";
    for (const Sample& sample : samples)
      out += family.name + (sample.labels.empty() ? "" : "{" + sample.labels + "}") + " " + number(sample.value) + "\n";
  }
  return out;
}

}  // namespace wexmora::info
