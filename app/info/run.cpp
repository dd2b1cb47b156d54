#include "app/info/run.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>
#include <unordered_map>

#include "app/info/check_report.h"
#include "app/info/explain.h"
#include "app/info/metrics.h"
#include "app/info/report.h"
#include "base/replace_file.h"
#include "base/site.h"
#include "base/utf8_path.h"
#include "core/data/key_list.h"
#include "core/extended/extended_table.h"
#include "core/extended/second_source.h"
#include "core/model/control_names.h"
#include "core/pass/handlers.h"
#include "core/pass/pass.h"
#include "core/pass/settings.h"

namespace wexmora::info {
namespace {

// What one --brands line prints, and what it writes to standard error.
struct Answer {
  std::string out, err;
};

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

bool isCatalogueKey(const catalogue::Lists& lists, const std::string& key) {
  return std::find(lists.ListBox1.begin(), lists.ListBox1.end(), key) != lists.ListBox1.end();
}

// One identification: the pass on `processor` (or, with --key, the stages
// after the model key), recorded in `trace` when one is given, then the
// language switch the options ask for.
void identify(const Options& options, TForm15& form, catalogue::Lists& lists, platform::ProcessorSource& processor,
              platform::SettingsStore& settings, PassTrace* trace, std::ostream& err,
              const MachineCheckSources& thisMachine = {}) {
  platform::SkippingSleeper noWaits;
  PassServices services{processor, settings, noWaits, lists};
  if (!options.catalogueOnly) services.second = {.consult = true, .machine = thisMachine.facts};
  services.check = thisMachine;
  form.trace = trace;
  try {
    if (options.key) {
      form[main_controls::kModelKey].text = *options.key;
      if (!options.catalogueOnly && !isCatalogueKey(lists, *options.key)) fillFromExtendedKey(form, *options.key);
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

// The machine's facts as --json shows them: counts, cache sizes in bytes and
// in the sheet's form, the highest clock, the technologies.
nlohmann::ordered_json machineJson(const platform::MachineFacts& facts) {
  const auto count = [](int n) { return n > 0 ? nlohmann::ordered_json(n) : nlohmann::ordered_json(nullptr); };
  const auto cache = [](const std::optional<std::uint64_t>& bytes) {
    return bytes ? nlohmann::ordered_json{{"bytes", *bytes}, {"text", platform::cacheText(*bytes)}}
                 : nlohmann::ordered_json(nullptr);
  };
  nlohmann::ordered_json machine = {
      {"packages", count(facts.packages)}, {"cores", count(facts.cores)}, {"threads", count(facts.threads)}};
  // A hybrid's online cores by kind, as the system counts them.
  if ((facts.performanceCores > 0) + (facts.efficientCores > 0) + (facts.lowPowerCores > 0) >= 2)
    machine["core_types"] = {{"performance", facts.performanceCores},
                             {"efficient", facts.efficientCores},
                             {"low_power", facts.lowPowerCores}};
  machine["l2_cache"] = cache(facts.l2Bytes);
  machine["l3_cache"] = cache(facts.l3Bytes);
  machine["max_mhz"] = count(facts.maxMhz);
  machine["technologies"] = facts.technologies;
  return machine;
}

nlohmann::ordered_json sheetJson(const Options& options, const TForm15& form, const PassTrace& trace,
                                 const platform::MachineFactsSource* machineFacts = nullptr) {
  auto json = options.output == Output::Controls ? controlsJson(form) : dataSheetJson(form, !options.catalogueOnly);
  if (options.output == Output::Json && machineFacts) json["machine"] = machineJson(machineFacts->read());
  if (options.output == Output::Json && form.facts.checked) json["check"] = checkJson(form);
  if (options.explain) json["explain"] = explainJson(form, trace, options.key);
  if (options.explain && form.facts.checked) json["explain"]["check"] = checkExplainJson(form);
  return json;
}

void printSheet(const Options& options, const TForm15& form, const PassTrace& trace, std::ostream& out,
                const platform::MachineFactsSource* machineFacts) {
  if (options.output == Output::Json || options.output == Output::Controls)
    return print(sheetJson(options, form, trace, machineFacts), out);
  out << dataSheetText(form);
  if (form.facts.checked) out << checkText(form);
  if (options.explain) out << "\n" << explainText(form, trace, options.key);
  if (options.explain && form.facts.checked) out << checkExplainText(form);
}

// --prometheus prints the metrics; --prometheus-file replaces FILE with them
// whole, so a collector reading it meanwhile sees the old metrics or the new.
int printMetrics(const Options& options, const std::string& metrics, std::ostream& out, std::ostream& err) {
  if (!options.prometheusFile) {
    out << metrics;
    return 0;
  }
  try {
    base::replaceFile(base::pathFromUtf8(*options.prometheusFile), metrics, base::FileAccess::Everyone);
  } catch (const std::exception& error) {
    err << "wexmora-info: cannot write '" << *options.prometheusFile << "': " << error.what() << "\n";
    return 2;
  }
  return 0;
}

constexpr std::size_t kRememberedBytes = 8 << 20;  // of lines and answers, all workers together
constexpr unsigned kMostBrandWorkers = 8;

// --brands: the answer to one line, computed once. A batch from an asset
// database repeats the same few hundred brand strings many times over, and
// an answer depends on the line and the options alone (the settings are one
// snapshot, no machine facts are read), so answers are kept for lines seen
// before. The memory stays bounded: short lines only, and a full memo starts
// afresh.
class BrandsAnswers {
 public:
  BrandsAnswers(const Options& options, platform::SettingsStore& stored, std::size_t rememberedBytes)
      : options_(options), rememberedBytes_(rememberedBytes) {
    // The stored settings are read once; every line sees the same ones.
    for (const char* name : {kLanguagesSetting, kSiteUrlSetting, kLicenseSetting})
      if (auto value = stored.read(name)) snapshot_.values[name] = std::move(*value);
  }

  // What the line prints, and what it writes to standard error.
  const Answer& of(const std::string& line) {
    if (line.size() > kLongestRemembered) return last_ = compute(line);
    if (const auto it = memo_.find(line); it != memo_.end()) return it->second;
    Answer answer = compute(line);
    const std::size_t size = line.size() + answer.out.size() + answer.err.size();
    if (memoBytes_ + size > rememberedBytes_) {
      memo_.clear();
      memoBytes_ = 0;
    }
    memoBytes_ += size;
    return memo_.emplace(line, std::move(answer)).first->second;
  }

 private:
  static constexpr std::size_t kLongestRemembered = 256;

  Answer compute(const std::string& line) {
    std::string brand = line;
    std::string identifier = options_.identifier.value_or("");
    // "brand<TAB>identifier"; with --catalogue-only a tab stays in the brand string, as before.
    if (const auto tab = brand.find('\t'); tab != std::string::npos && !options_.catalogueOnly) {
      identifier = brand.substr(tab + 1);
      brand.resize(tab);
    }
    platform::FixedProcessorSource processor(brand, identifier);
    ReadOnlySettings settings(snapshot_);
    // Every line starts from a copy of the design state. The catalogue serves
    // every line: the pass never changes a key, and a record it decoded reads
    // the same as its stored form.
    form_ = design_;  // assigned, so that the controls' texts reuse their memory
    TForm15& form = form_;
    PassTrace trace;
    std::ostringstream err;
    identify(options_, form, lists_, processor, settings, options_.explain ? &trace : nullptr, err);
    Answer answer;
    answer.err = err.str();
    if (options_.output == Output::Json && !options_.explain && !form.facts.checked) {
      answer.out = dataSheetJsonLine(form, !options_.catalogueOnly);
    } else if (options_.output == Output::Json) {
      answer.out =
          sheetJson(options_, form, trace).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
      answer.out += "\n";
    } else if (options_.output == Output::Csv) {
      answer.out = dataSheetCsvRow(form, !options_.catalogueOnly);
    } else {
      answer.out = dataSheetRow(form, !options_.catalogueOnly);
      if (options_.explain) answer.out += explainText(form, trace, std::nullopt) + "\n";
    }
    return answer;
  }

  const Options& options_;
  const std::size_t rememberedBytes_;  // of lines and answers
  platform::MemorySettingsStore snapshot_;
  const TForm15 design_;
  TForm15 form_;  // the line being identified
  catalogue::Lists lists_;
  std::unordered_map<std::string, Answer> memo_;
  std::size_t memoBytes_ = 0;
  Answer last_;
};

// The answers to a batch of lines, each worker taking its own stretch of
// them on a thread of its own (the first on the calling one). An exception
// of a worker reaches the caller once every worker has ended.
// Workers are made when a batch first needs them: a short batch makes one.
void answerBatch(std::vector<std::unique_ptr<BrandsAnswers>>& workers, std::size_t mostWorkers,
                 const std::function<std::unique_ptr<BrandsAnswers>()>& makeWorker,
                 const std::vector<std::string>& lines, std::vector<Answer>& answers) {
  constexpr std::size_t kLeastPerWorker = 64;  // fewer lines are not worth a thread
  answers.resize(lines.size());
  const std::size_t used =
      std::clamp<std::size_t>((lines.size() + kLeastPerWorker - 1) / kLeastPerWorker, 1, mostWorkers);
  while (workers.size() < used) workers.push_back(makeWorker());
  const std::size_t stretch = (lines.size() + used - 1) / used;
  std::vector<std::exception_ptr> failures(used);
  const auto work = [&](std::size_t worker) {
    try {
      const std::size_t end = std::min(lines.size(), (worker + 1) * stretch);
      for (std::size_t i = worker * stretch; i < end; ++i) answers[i] = workers[worker]->of(lines[i]);
    } catch (...) {
      failures[worker] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> threads;
    for (std::size_t worker = 1; worker < used; ++worker) threads.emplace_back(work, worker);
    work(0);
  }
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}

// --brands: every line of `in` identified on its own, one output line each,
// in the input's order. Lines are read in batches that the processor's
// threads share, and the output written in blocks, so a batch of any length
// runs in the same memory.
void identifyEach(const Options& options, std::istream& in, platform::SettingsStore& stored, std::ostream& out,
                  std::ostream& err) {
  const std::size_t threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMostBrandWorkers);
  const auto makeWorker = [&] { return std::make_unique<BrandsAnswers>(options, stored, kRememberedBytes / threads); };
  std::vector<std::unique_ptr<BrandsAnswers>> workers;
  std::string pending;
  constexpr std::size_t kBlock = 1 << 16;
  constexpr std::size_t kBatchLines = 4096;
  if (options.output == Output::Csv) pending = dataSheetCsvHeader(!options.catalogueOnly);
  std::vector<std::string> lines;
  std::vector<Answer> answers;
  const auto answerLines = [&] {
    answerBatch(workers, threads, makeWorker, lines, answers);
    for (const Answer& answer : answers) {
      if (!answer.err.empty()) {
        out << pending;  // the error stays next to the line it belongs to
        pending.clear();
        out.flush();
        err << answer.err;
      }
      pending += answer.out;
      if (pending.size() >= kBlock) {
        out << pending;
        pending.clear();
      }
    }
    lines.clear();
  };
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (lines.size() == kBatchLines) answerLines();
  }
  answerLines();
  out << pending;
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
        std::ostream& err, const platform::MachineFactsSource* machineFacts,
        const platform::MachineStateSource* machineState) {
  if (options.output == Output::Help) {
    out << usage();
    return 0;
  }
  if (options.output == Output::Version) {
    out << "wexmora-info (Wexmora) " << site::kVersion << "\n";
    return 0;
  }
  if (options.output == Output::List) {
    for (std::size_t i = 0; i < catalogue::kEntryCount; ++i) out << catalogue::keyAt(i) << "\n";
    return 0;
  }

  // Metrics are read by machines: in English unless a language is asked for.
  Options withLanguage = options;
  if (options.output == Output::Prometheus && !options.storedLanguage) withLanguage.storedLanguage = "1";
  platform::MemorySettingsStore given = givenSettings(withLanguage);
  platform::SettingsStore& chosen = withLanguage.storedLanguage ? static_cast<platform::SettingsStore&>(given) : stored;
  if (options.brandsFile) return runBrands(options, chosen, out, err);

  catalogue::Lists lists;
  if (options.key && !isCatalogueKey(lists, *options.key) &&
      (options.catalogueOnly || !findExtendedRow(*options.key))) {
    err << "wexmora-info: no catalogue entry " << (options.catalogueOnly ? "" : "and no extended-table row ")
        << "has the key '" << *options.key << "'\n";
    return 1;
  }
  auto processor = chosenProcessor(options, machine);
  ReadOnlySettings settings(chosen);
  TForm15 form;
  PassTrace trace;
  // This machine's own facts serve its own processor only, never --brand or --key.
  const bool thisMachine = !options.brand && !options.key && !options.catalogueOnly;
  std::optional<platform::MachineFactsReadOnce> once;
  if (thisMachine && machineFacts) once.emplace(*machineFacts);
  const platform::MachineFactsSource* facts = once ? &*once : nullptr;
  const MachineCheckSources check{facts, thisMachine ? machineState : nullptr};
  identify(options, form, lists, processor, settings, options.explain ? &trace : nullptr, err, check);
  if (options.output == Output::Prometheus) {
    const std::optional<platform::MachineFacts> machineRead = facts ? std::optional(facts->read()) : std::nullopt;
    return printMetrics(options, prometheusMetrics(form, machineRead ? &*machineRead : nullptr), out, err);
  }
  printSheet(options, form, trace, out, facts);
  return 0;
}

int run(const Options& options, std::ostream& out, std::ostream& err) {
  const auto machine = platform::systemProcessorSource();
  const auto stored = platform::systemSettingsStore();
  const auto facts = platform::makeMachineFactsSource();
  const auto state = platform::makeMachineStateSource();
  return run(options, *machine, *stored, out, err, facts.get(), state.get());
}

}  // namespace wexmora::info
