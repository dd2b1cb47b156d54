// The processors people buy today (tests/core/data/newer_processors.tsv:
// real brand strings and identifiers of 2022-2026, each with its maker's
// cores, threads, kinds of core, code name and L3), identified as another
// machine's processor would be: every sheet says what the maker says, and a
// processor of the product tables fills at least 13 of the 15 fields. The
// few known misses are listed with their reason; one that reads right now
// fails too, so that the list only shrinks.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/check/machine_check.h"
#include "core/extended/extended_table.h"
#include "core/model/control_names.h"
#include "core/pass/pass.h"
#include "support/fakes.h"

namespace wexmora {
namespace {

using namespace main_controls;

struct Processor {
  std::string brand, vendor, family, model, stepping, cores, threads, performance, efficient, lowPower, codeName, l3Mib;
  int line = 0;
};

std::vector<Processor> newerProcessors() {
  std::ifstream in(std::string(WEXMORA_SOURCE_DIR) + "/tests/core/data/newer_processors.tsv", std::ios::binary);
  std::vector<Processor> rows;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (text.empty() || text[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream cells(text);
    for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
    if (f.size() < 12) {
      ADD_FAILURE() << "line " << line << ": " << f.size() << " fields";
      continue;
    }
    rows.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11], line});
  }
  return rows;
}

struct Sheet {
  TForm15 form;
  testing::FakeSettingsStore settings;
  testing::RecordingSleeper sleeper;
  catalogue::Lists catalogue;
};

// The pass as for another machine's processor: the tables, none of this machine's facts.
void identify(Sheet& sheet, const Processor& p) {
  sheet.settings.values["Languages"] = "1";
  const std::string identifier = (p.vendor == "AMD" ? "AMD64" : "Intel64") + std::string(" Family ") + p.family +
                                 " Model " + p.model + " Stepping " + (p.stepping.empty() ? "0" : p.stepping);
  platform::FixedProcessorSource processor(p.brand, identifier);
  PassServices services{processor, sheet.settings, sheet.sleeper, sheet.catalogue, {.consult = true}};
  FormCreate(sheet.form, services, 1920, 1080);
}

// The 15 data fields as wexmora-info's coverage counts them: a value, or a
// "-" where it says the processor has none (turbo, graphics, L3).
int filledFields(const TForm15& form) {
  const char* const fields[] = {kProductLine, kBaseClock,      kTurboClock,  kCores,  kThreads,  kSocket,  kSegment,
                                kCodeName,    kMaxTemperature, kLithography, kMemory, kGraphics, kL3Cache, kPcie};
  int filled = form.facts.sheet.technologies.empty() ? 0 : 1;
  for (const char* field : fields) {
    const std::string& text = form[field].text;
    if (text.empty() || text == "Unknown" || text == "Неизвестно") continue;
    if (text == "-" && field != kTurboClock && field != kGraphics && field != kL3Cache) continue;
    ++filled;
  }
  return filled;
}

std::string mebibytes(const std::string& l3Text) {
  const auto bytes = cacheBytesOf(l3Text);
  if (!bytes) return l3Text;
  std::ostringstream out;
  out << static_cast<double>(*bytes) / (1024 * 1024);
  return out.str();
}

// What a sheet reads otherwise than the table says, and why (brand string, field).
// clang-format off
const std::set<std::pair<std::string, std::string>> kKnownMisses = {
  // Rows kept by hand from launch reports, which name fewer facts than a
  // product page: no maximum temperature, memory or graphics for the 6980P,
  // no cache, clocks, socket or memory for Panther Lake's first models.
  {R"(Intel(R) Xeon(R) 6980P)",          "fields"},
  {R"(Intel(R) Core(TM) Ultra X7 358H)", "l3_mib"},
  {R"(Intel(R) Core(TM) Ultra X7 358H)", "fields"},
};
// clang-format on

TEST(NewerProcessors, EverySheetSaysWhatTheMakerSays) {
  const std::vector<Processor> processors = newerProcessors();
  ASSERT_GE(processors.size(), 80u);
  std::set<std::pair<std::string, std::string>> missed;
  const auto expect = [&missed](const Processor& p, const char* field, const std::string& sheet,
                                const std::string& maker) {
    if (maker.empty() || sheet == maker) return;
    missed.insert({p.brand, field});
    if (!kKnownMisses.count({p.brand, field}))
      ADD_FAILURE() << "line " << p.line << " ‹" << p.brand << "› " << field << ": sheet \"" << sheet << "\", maker \""
                    << maker << "\"";
  };
  for (const Processor& p : processors) {
    Sheet sheet;
    identify(sheet, p);
    const TForm15& form = sheet.form;
    expect(p, "cores", form[kCores].text, p.cores);
    expect(p, "threads", form[kThreads].text, p.threads);
    const auto& types = form.facts.sheet.coreTypes;
    expect(p, "performance", types ? std::to_string(types->performance) : "", p.performance);
    expect(p, "efficient", types ? std::to_string(types->efficient) : "", p.efficient);
    expect(p, "low_power", types ? std::to_string(types->lowPower) : "", p.lowPower);
    expect(p, "code_name", sameCodeName(form[kCodeName].text, p.codeName) ? p.codeName : form[kCodeName].text,
           p.codeName);
    expect(p, "l3_mib", mebibytes(form[kL3Cache].text), p.l3Mib);
    if (form.facts.sheet.source == SheetSource::Extended) {
      const int filled = filledFields(form);
      if (filled < 13) expect(p, "fields", std::to_string(filled), "13 or more");
    }
  }
  for (const auto& [brand, field] : kKnownMisses)
    EXPECT_TRUE(missed.count({brand, field}))
        << "‹" << brand << "› " << field << " reads right now: take it off the list";
}

}  // namespace
}  // namespace wexmora
