#include "app/info/run.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/info/explain.h"
#include "app/info/report.h"
#include "catalogue/data/key_list.h"
#include "pass/handlers.h"
#include "pass/pass.h"
#include "pass/settings.h"
#include "ui/model/control_names.h"

namespace wexmora::info {
namespace {

// Reads through to the stored settings; keeps whatever the pass writes (the
// first-run values) to itself, so wexmora-info never changes the user's
// settings.
class ReadOnlySettings : public platform::SettingsStore {
 public:
  explicit ReadOnlySettings(platform::SettingsStore& stored) : stored_(stored) {}
  std::optional<std::string> read(const std::string& name) override {
    if (const auto it = written_.find(name); it != written_.end()) return it->second;
    return stored_.read(name);
  }
  void write(const std::string& name, const std::string& value) override { written_[name] = value; }

 private:
  platform::SettingsStore& stored_;
  std::map<std::string, std::string> written_;
};

// The brand string and identifier the options ask for.
platform::FixedProcessorSource chosenProcessor(const Options& options, platform::ProcessorSource& machine) {
  if (options.brand) return {*options.brand, options.identifier.value_or("")};
  std::string brand = machine.readcpuname();
  return {brand, options.identifier ? *options.identifier : machine.readcpuid()};
}

// The settings the pass reads: --stored-language, or the stored ones.
platform::MemorySettingsStore givenSettings(const Options& options) {
  platform::MemorySettingsStore given;
  if (options.storedLanguage && !options.storedLanguage->empty())
    given.values[kLanguagesSetting] = *options.storedLanguage;
  return given;
}

void print(const nlohmann::ordered_json& json, std::ostream& out, int indent = 2) {
  out << json.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

// One identification: the pass on `processor` (or, with --key, the stages
// after the model key), recorded in `trace` when one is given, then the
// language switch the options ask for.
void identify(const Options& options, TForm15& form, catalogue::Lists& lists, platform::ProcessorSource& processor,
              platform::SettingsStore& settings, PassTrace* trace, std::ostream& err) {
  platform::SkippingSleeper noWaits;
  PassServices services{processor, settings, noWaits, lists};
  form.trace = trace;
  try {
    if (options.key) {
      form[main_controls::kModelKey].text = *options.key;
      runFromModelKey(form, services);
    } else {
      startprog2test(form, services);
    }
  } catch (const std::exception& error) {
    form.passError = error.what();
    err << "wexmora-info: " << form.passError << "\n";
  }
  form.trace = nullptr;  // a later language switch is the user's, not the pass's

  if (options.switchLanguage) {
    form.comboIndex = *options.switchLanguage;
    ComboBox1Click(form);  // the selection handler would store the index: not here
  }
}

nlohmann::ordered_json sheetJson(const Options& options, const TForm15& form, const PassTrace& trace) {
  auto json = options.output == Output::Controls ? controlsJson(form) : dataSheetJson(form);
  if (options.explain) json["explain"] = explainJson(form, trace, options.key);
  return json;
}

void printSheet(const Options& options, const TForm15& form, const PassTrace& trace, std::ostream& out) {
  if (options.output == Output::Json || options.output == Output::Controls)
    return print(sheetJson(options, form, trace), out);
  out << dataSheetText(form);
  if (options.explain) out << "\n" << explainText(form, trace, options.key);
}

// --brands: every line of `in` identified on its own, one output line each.
void identifyEach(const Options& options, std::istream& in, platform::SettingsStore& stored, std::ostream& out,
                  std::ostream& err) {
  // The stored settings are read once; every line sees the same ones.
  platform::MemorySettingsStore snapshot;
  for (const char* name : {kLanguagesSetting, kSiteUrlSetting, kLicenseSetting})
    if (auto value = stored.read(name)) snapshot.values[name] = std::move(*value);
  // Every line starts from a copy of the design state. The catalogue serves
  // every line: the pass never changes a key, and a record it decoded reads
  // the same as its stored form.
  const TForm15 design;
  catalogue::Lists lists;
  std::string brand;
  while (std::getline(in, brand)) {
    if (!brand.empty() && brand.back() == '\r') brand.pop_back();
    platform::FixedProcessorSource processor(brand, options.identifier.value_or(""));
    ReadOnlySettings settings(snapshot);
    TForm15 form = design;
    PassTrace trace;
    identify(options, form, lists, processor, settings, options.explain ? &trace : nullptr, err);
    if (options.output == Output::Json) {
      print(sheetJson(options, form, trace), out, -1);
      continue;
    }
    out << dataSheetRow(form);
    if (options.explain) out << explainText(form, trace, std::nullopt) << "\n";
  }
}

// Opens FILE, or standard input for "-"; a message when it cannot be read.
int runBrands(const Options& options, platform::SettingsStore& stored, std::ostream& out, std::ostream& err) {
  const std::string& name = *options.brandsFile;
  const auto cannotRead = [&](const std::string& why) {
    err << "wexmora-info: cannot read '" << name << "': " << why << "\n";
    return 2;
  };
  if (name == "-") {
    identifyEach(options, std::cin, stored, out, err);
    return std::cin.bad() ? cannotRead(std::strerror(errno)) : 0;
  }
  std::error_code ec;
  if (std::filesystem::is_directory(name, ec)) return cannotRead(std::strerror(EISDIR));
  std::ifstream in(name, std::ios::binary);
  if (!in) return cannotRead(std::strerror(errno));
  identifyEach(options, in, stored, out, err);
  return in.bad() ? cannotRead(std::strerror(errno)) : 0;
}

}  // namespace

int run(const Options& options, platform::ProcessorSource& machine, platform::SettingsStore& stored, std::ostream& out,
        std::ostream& err) {
  if (options.output == Output::Help) {
    out << usage();
    return 0;
  }
  if (options.output == Output::List) {
    for (std::size_t i = 0; i < catalogue::kEntryCount; ++i) out << catalogue::keyAt(i) << "\n";
    return 0;
  }

  platform::MemorySettingsStore given = givenSettings(options);
  platform::SettingsStore& chosen = options.storedLanguage ? static_cast<platform::SettingsStore&>(given) : stored;
  if (options.brandsFile) return runBrands(options, chosen, out, err);

  catalogue::Lists lists;
  if (options.key && std::find(lists.ListBox1.begin(), lists.ListBox1.end(), *options.key) == lists.ListBox1.end()) {
    err << "wexmora-info: no catalogue entry has the key '" << *options.key << "'\n";
    return 1;
  }
  auto processor = chosenProcessor(options, machine);
  ReadOnlySettings settings(chosen);
  TForm15 form;
  PassTrace trace;
  identify(options, form, lists, processor, settings, options.explain ? &trace : nullptr, err);
  printSheet(options, form, trace, out);
  return 0;
}

int run(const Options& options, std::ostream& out, std::ostream& err) {
  const auto machine = platform::systemProcessorSource();
  const auto stored = platform::systemSettingsStore();
  return run(options, *machine, *stored, out, err);
}

}  // namespace wexmora::info
