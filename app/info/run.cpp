#include "app/info/run.h"

#include <algorithm>

#include "app/handlers.h"
#include "app/info/report.h"
#include "app/pass.h"
#include "app/settings.h"

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

void print(const nlohmann::ordered_json& json, std::ostream& out) {
  out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

void printSheet(const Options& options, const TForm15& form, std::ostream& out) {
  if (options.output == Output::Json)
    print(dataSheetJson(form), out);
  else if (options.output == Output::Controls)
    print(controlsJson(form), out);
  else
    out << dataSheetText(form);
}

}  // namespace

int run(const Options& options, platform::ProcessorSource& machine, platform::SettingsStore& stored, std::ostream& out,
        std::ostream& err) {
  if (options.output == Output::Help) {
    out << usage();
    return 0;
  }
  TForm15 form;
  if (options.output == Output::List) {
    for (const auto& key : form.ListBox1) out << key << "\n";
    return 0;
  }

  platform::MemorySettingsStore given;
  if (options.storedLanguage && !options.storedLanguage->empty())
    given.values[kLanguagesSetting] = *options.storedLanguage;
  ReadOnlySettings settings(options.storedLanguage ? static_cast<platform::SettingsStore&>(given) : stored);
  platform::SkippingSleeper noWaits;

  try {
    if (options.key) {
      if (std::find(form.ListBox1.begin(), form.ListBox1.end(), *options.key) == form.ListBox1.end()) {
        err << "wexmora-info: no catalogue entry has the key '" << *options.key << "'\n";
        return 1;
      }
      form["Edit7"].text = *options.key;
      runFromModelKey(form, settings, noWaits);
    } else {
      auto processor = chosenProcessor(options, machine);
      PassServices services{processor, settings, noWaits};
      startprog2test(form, services);
    }
  } catch (const std::exception& error) {
    form.passError = error.what();
    err << "wexmora-info: " << form.passError << "\n";
  }

  if (options.switchLanguage) {
    form.comboIndex = *options.switchLanguage;
    ComboBox1Click(form);  // the selection handler would store the index: not here
  }
  printSheet(options, form, out);
  return 0;
}

int run(const Options& options, std::ostream& out, std::ostream& err) {
  const auto machine = platform::systemProcessorSource();
  const auto stored = platform::systemSettingsStore();
  return run(options, *machine, *stored, out, err);
}

}  // namespace wexmora::info
