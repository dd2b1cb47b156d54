// The sources besides the catalogue, in the whole pass: the extended table
// for the processors the catalogue lacks, a catalogue key that only
// approximates the processor, the machine's own facts where no table knows
// it, and the catalogue's sheets, which stay exactly as they were.
#include "core/extended/second_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/join.h"
#include "base/site.h"
#include "core/model/control_names.h"
#include "core/model/pass_trace.h"
#include "core/pass/handlers.h"
#include "core/pass/pass.h"
#include "core/window/core_types.h"
#include "core/window/sheet_source.h"
#include "support/fakes.h"
#include "support/machine_facts_fakes.h"

namespace wexmora {
namespace {

struct PassRun {
  TForm15 form;
  testing::FakeSettingsStore settings;
  testing::RecordingSleeper sleeper;
  catalogue::Lists catalogue;
};

void runPass(PassRun& run, const std::string& brand, const std::string& identifier, SecondSources second,
             int language = 1) {
  run.settings.values["Languages"] = std::to_string(language);
  platform::FixedProcessorSource processor(brand, identifier);
  PassServices services{processor, run.settings, run.sleeper, run.catalogue, second};
  FormCreate(run.form, services, 1920, 1080);
}

constexpr SecondSources kTables{.consult = true, .machine = nullptr};

std::string noteOf(SheetSource source, int language) {
  for (const SheetSourceTexts& row : sheetSourceTexts())
    if (row.source == source) return std::string(language == 1 ? row.english : row.russian);
  return {};
}

// Processors the catalogue lacks, as real machines report them; the extended
// row fills the sheet and the processor field shows the number read.
TEST(SecondSources, TheExtendedRowFillsTheSheetOfAProcessorTheCatalogueLacks) {
  const struct {
    const char* brand;
    const char* identifier;
    std::map<std::string, std::string> fields;
  } cases[] = {
      {R"(Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz)",
       "Intel64 Family 6 Model 142 Stepping 10",
       {{"Edit7", "i5-8250U"},
        {"Label1", "i5-8250U"},
        {"Edit18", "Intel Core i5"},
        {"Edit5", "1.60 GHz"},
        {"Edit6", "3.40 GHz"},
        {"Edit8", "4"},
        {"Edit9", "8"},
        {"Edit15", "Mobile"},
        {"Edit12", "Kaby Lake R"},
        {"Edit13", "14 nm"},
        {"Edit17", "6 Mb"}}},
      {R"(AMD Ryzen 5 3600 6-Core Processor)",
       "AMD64 Family 23 Model 113 Stepping 0",
       {{"Edit7", "R5 3600"}, {"Edit18", "AMD Ryzen 5"}, {"Edit8", "6"}, {"Edit9", "12"}, {"Edit17", "32 Mb"}}},
      {R"(Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz)",
       "Intel64 Family 6 Model 23 Stepping 10",
       {{"Edit7", "E8400"}, {"Edit8", "2"}, {"Edit9", "2"}, {"Edit5", "3.00 GHz"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brand);
    PassRun run;
    runPass(run, c.brand, c.identifier, kTables);
    EXPECT_EQ(run.form.facts.sheet.source, SheetSource::Extended);
    for (const auto& [control, text] : c.fields) EXPECT_EQ(run.form[control].text, text) << control;
    EXPECT_TRUE(run.form["Image4"].picture.empty()) << "no QR code outside the catalogue";
    const std::string& memo = run.form["Memo2"].text;
    const std::string note = noteOf(SheetSource::Extended, 1);
    EXPECT_TRUE(memo == note || memo.ends_with("\r\n" + note)) << memo;
    EXPECT_TRUE(run.form["Edit7"].hint.ends_with("\r" + noteOf(SheetSource::Extended, 1)));
  }
}

// A catalogue processor's window is the same, control for control, whether
// the second sources are consulted or not.
TEST(SecondSources, ACatalogueProcessorLooksExactlyAsWithTheCatalogueAlone) {
  const char* brands[] = {
      R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)",         R"(Intel(R) Xeon(R) CPU E3-1230 V2 @ 3.30GHz)",
      R"(Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz)",         R"(12th Gen Intel(R) Core(TM) i5-12400)",
      R"(Intel(R) Celeron(R) CPU G3900TE @ 2.30GHz)",       R"(Intel(R) Core(TM) i9-14900KF)",
      R"(Intel(R) Core(TM)2 Quad CPU    Q9550  @ 2.83GHz)", R"(Intel(R) Core(TM) i5-10600KF CPU @ 4.10GHz)",
  };
  const testing::FakeMachineFactsSource facts(
      {.packages = 1, .cores = 3, .threads = 5, .l2Bytes = {}, .l3Bytes = {}, .maxMhz = 0, .technologies = {"SSE"}});
  for (const char* brand : brands) {
    for (const int language : {0, 1}) {
      SCOPED_TRACE(std::string(brand) + " language " + std::to_string(language));
      PassRun alone, both;
      runPass(alone, brand, "Intel64 Family 6 Model 158 Stepping 10", {}, language);
      runPass(both, brand, "Intel64 Family 6 Model 158 Stepping 10", {.consult = true, .machine = &facts}, language);
      EXPECT_EQ(both.form.facts.sheet.source, SheetSource::Catalogue);
      for (const Control& control : alone.form.controls()) {
        const Control& other = both.form[control.name];
        // A record of a die without an L3 shows its stored L2 size as L2 (below).
        if (control.name == "Edit17" && other.text == control.text + " L2") continue;
        EXPECT_EQ(other.text, control.text) << control.name;
        // A hybrid's kinds of core, which no record lists, end the Cores hint.
        if (control.name == "Edit8" && both.form.facts.sheet.coreTypes) {
          const Language shown = language == 1 ? Language::English : Language::Russian;
          EXPECT_EQ(other.hint, control.hint + "\r" + coreTypesLine(*both.form.facts.sheet.coreTypes, shown));
          continue;
        }
        EXPECT_EQ(other.hint, control.hint) << control.name;
        EXPECT_EQ(other.picture, control.picture) << control.name;
        EXPECT_EQ(other.left, control.left) << control.name;
      }
      EXPECT_EQ(both.form.detailedUrl, alone.form.detailedUrl);
      EXPECT_EQ(facts.reads, 0) << "a catalogue processor never asks the system";
    }
  }
}

// The catalogue's records of the Core 2 generation store the L2 size where
// the other records store the L3: the sheet says it is the L2, except with
// the catalogue alone, which shows the record as stored.
TEST(SecondSources, AStoredL2SizeShowsAsL2) {
  // clang-format off
  const struct {
    const char* brand;
    const char* identifier;
    const char* withTables;
    const char* alone;
  } cases[] = {
    {"Intel(R) Core(TM)2 Quad  CPU   Q8200  @ 2.33GHz", "Intel64 Family 6 Model 23 Stepping 7",  "4 Mb L2",  "4 Mb"},
    {"Intel(R) Xeon(R) CPU           E5405  @ 2.00GHz", "Intel64 Family 6 Model 23 Stepping 10", "12 Mb L2", "12 Mb"},
    {"Intel(R) Core(TM)2 Quad CPU    Q6600  @ 2.40GHz", "Intel64 Family 6 Model 15 Stepping 11", "8 Mb L2",  "8 Mb"},
    // Dies with an L3 keep the size alone.
    {"Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz",         "Intel64 Family 6 Model 158 Stepping 10", "9 Mb",    "9 Mb"},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brand);
    PassRun tables, alone;
    runPass(tables, c.brand, c.identifier, kTables);
    runPass(alone, c.brand, c.identifier, {});
    EXPECT_EQ(tables.form.facts.sheet.source, SheetSource::Catalogue);
    EXPECT_EQ(tables.form["Edit17"].text, c.withTables);
    EXPECT_EQ(alone.form["Edit17"].text, c.alone);
  }
}

// A brand string whose model number no row holds: the rows of its line and
// clock whose die is the identifier's give what they share, the die its
// code name, lithography and segment, its microarchitecture the technologies.
TEST(SecondSources, TheBrandStringAndTheDieFillWhatNoRowKnows) {
  using namespace main_controls;
  // clang-format off
  const struct {
    const char* brand;
    const char* identifier;
    SheetSource source;
    std::map<std::string, std::string> fields;  // control -> text
  } cases[] = {
    // Prescott at 3.00 GHz: the rows of the Pentium 4 at 3.00 GHz agree on what is listed.
    {"Intel(R) Pentium(R) 4 CPU 3.00GHz", "Intel64 Family 15 Model 4 Stepping 3", SheetSource::Brand,
     {{kModelKey, "Pentium 4"}, {kProductLine, "Intel Pentium 4"}, {kBaseClock, "3.00 GHz"}, {kLithography, "90 nm"},
      {kCodeName, "Prescott"}, {kCores, "1"}}},
    // Northwood at 3.00 GHz: no row of that die, and no guess from Prescott's rows.
    {"Intel(R) Pentium(R) 4 CPU 3.00GHz", "Intel64 Family 15 Model 2 Stepping 9", SheetSource::Brand,
     {{kProductLine, "Intel Pentium 4"}, {kLithography, "130 nm"}, {kCodeName, "Unknown"}, {kCores, "Unknown"}, {kSegment, "Unknown"}}},
    // Without the identifier: the line and the clock, nothing of a die.
    {"Intel(R) Pentium(R) 4 CPU 3.00GHz", "", SheetSource::Brand,
     {{kProductLine, "Intel Pentium 4"}, {kBaseClock, "3.00 GHz"}, {kLithography, "Unknown"}, {kCodeName, "Unknown"}}},
    // Newer than the tables: the line and model number it writes, the die's code name and node.
    {"Intel(R) Core(TM) Ultra 5 999H", "Intel64 Family 6 Model 170 Stepping 4", SheetSource::Brand,
     {{kProductLine, "Intel Core Ultra 5"}, {kCodeName, "Meteor Lake"}, {kLithography, "Intel 4"}, {kCores, "Unknown"}}},
    {"AMD EPYC 9R14 96-Core Processor", "AMD64 Family 25 Model 17 Stepping 1", SheetSource::Brand,
     {{kProductLine, "AMD EPYC"}, {kCodeName, "Genoa"}, {kCores, "96"}, {kLithography, "5 nm"}}},
    {"AMD Processor Model Unknown", "", SheetSource::None, {{kCodeName, "Unknown"}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.brand) + " / " + c.identifier);
    PassRun run;
    runPass(run, c.brand, c.identifier, kTables);
    EXPECT_EQ(run.form.facts.sheet.source, c.source);
    for (const auto& [control, text] : c.fields) EXPECT_EQ(run.form[control].text, text) << control;
  }
}

// What no processor of the die's microarchitecture has, an empty field says
// with "-"; the threads of a microarchitecture without SMT are its cores.
// Fields that the row gives, or that the microarchitecture leaves open, stay.
TEST(SecondSources, WhatTheMicroarchitectureNeverHasIsADash) {
  using namespace main_controls;
  // clang-format off
  const struct {
    const char* brand;
    const char* identifier;
    std::map<std::string, std::string> fields;
  } cases[] = {
    {"AMD Athlon(tm) 64 X2 Dual Core Processor 4200+", "AMD64 Family 15 Model 75 Stepping 2",
     {{kTurboClock, "-"}, {kL3Cache, "-"}, {kGraphics, "-"}, {kThreads, "2"}, {kCores, "2"}}},
    // NetBurst: some have an L3 (Gallatin) and HT, so those stay unknown.
    {"Intel(R) Pentium(R) 4 CPU 3.00GHz", "Intel64 Family 15 Model 2 Stepping 9",
     {{kTurboClock, "-"}, {kGraphics, "-"}, {kL3Cache, "Unknown"}, {kThreads, "Unknown"}}},
    // Zen 5 runs two threads on every core; the brand string names the cores.
    {"AMD Ryzen 7 9799X 8-Core Processor", "AMD64 Family 26 Model 68 Stepping 0",
     {{kCores, "8"}, {kThreads, "16"}, {kCodeName, "Granite Ridge"}}},
    // Lunar Lake has no hyper-threading; the row's kinds of core stand.
    {"Intel(R) Core(TM) Ultra 7 258V", "Intel64 Family 6 Model 189 Stepping 1",
     {{kCores, "8"}, {kThreads, "8"}, {kCodeName, "Lunar Lake"}}},
    // A die of today: nothing of it is absent by its microarchitecture.
    {"AMD Ryzen 5 3600 6-Core Processor", "AMD64 Family 23 Model 113 Stepping 0",
     {{kTurboClock, "4.20 GHz"}, {kThreads, "12"}, {kL3Cache, "32 Mb"}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brand);
    PassRun run;
    runPass(run, c.brand, c.identifier, kTables);
    for (const auto& [control, text] : c.fields) EXPECT_EQ(run.form[control].text, text) << control;
  }
}

// Where a row lists no technologies, the microarchitecture's are named, with
// SMT where the threads outnumber the cores; a cut-down line gets its own.
TEST(SecondSources, TechnologiesOfTheMicroarchitectureFillAnEmptyList) {
  PassRun ryzen;
  runPass(ryzen, "AMD Ryzen 5 3600 6-Core Processor", "AMD64 Family 23 Model 113 Stepping 0", kTables);
  ASSERT_EQ(ryzen.form.facts.sheet.source, SheetSource::Extended);
  const std::vector<std::string>& named = ryzen.form.facts.sheet.technologies;
  for (const char* one : {"AVX2", "SHA", "AMD64", "AMD-V", "SMT"})
    EXPECT_NE(std::find(named.begin(), named.end(), one), named.end()) << one;
  for (const char* one : {"AVX-512", "EM64T", "HT"})
    EXPECT_EQ(std::find(named.begin(), named.end(), one), named.end()) << one;
}

// Where the number read is the catalogue key followed by more letters and
// the extended table holds it, the extended row answers; otherwise the
// catalogue does.
TEST(SecondSources, ACatalogueKeyThatOnlyApproximatesGivesWayToTheExactModel) {
  const struct {
    const char* brand;
    const char* edit7;
    SheetSource source;
  } cases[] = {
      {R"(Intel(R) Core(TM) i5-4570TE CPU @ 2.70GHz)", "i5-4570TE", SheetSource::Extended},
      {R"(Intel(R) Core(TM) i7-6700TE CPU @ 2.40GHz)", "i7-6700TE", SheetSource::Extended},
      {R"(Intel(R) Core(TM) i5-4570T CPU @ 2.90GHz)", "i5-4570T", SheetSource::Catalogue},
      {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)", "i5-8400", SheetSource::Catalogue},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brand);
    PassRun run;
    runPass(run, c.brand, "", kTables);
    EXPECT_EQ(run.form["Edit7"].text, c.edit7);
    EXPECT_EQ(run.form.facts.sheet.source, c.source);
    PassRun alone;
    runPass(alone, c.brand, "", {});
    EXPECT_EQ(alone.form.facts.sheet.source, SheetSource::Catalogue) << "the catalogue alone keeps its approximation";
  }
}

// The machine's own facts where no table knows the processor; never for a
// brand string that is not this machine's.
TEST(SecondSources, TheMachinesFactsDescribeAProcessorNoTableKnows) {
  const testing::FakeMachineFactsSource facts({.packages = 1,
                                               .cores = 4,
                                               .threads = 8,
                                               .l2Bytes = 4u << 20,
                                               .l3Bytes = 8u << 20,
                                               .maxMhz = 3995,
                                               .technologies = {"SSE4.2", "AVX2", "AES"}});
  const char* brand = "QEMU Virtual CPU version 2.5+";
  PassRun run;
  runPass(run, brand, "Intel64 Family 6 Model 158 Stepping 10", {.consult = true, .machine = &facts}, 0);
  EXPECT_EQ(run.form.facts.sheet.source, SheetSource::Machine);
  EXPECT_EQ(run.form["Edit8"].text, "4");
  EXPECT_EQ(run.form["Edit9"].text, "8");
  EXPECT_EQ(run.form["Edit17"].text, "8 Mb");
  EXPECT_EQ(run.form["Edit6"].text, "4.00 GHz");
  EXPECT_EQ(run.form["Memo2"].text, "SSE4.2, AVX2, AES\r\n" + noteOf(SheetSource::Machine, 0));

  // Without the machine, the identifier's die alone.
  PassRun other;
  runPass(other, brand, "Intel64 Family 6 Model 158 Stepping 10", kTables, 0);
  EXPECT_EQ(other.form.facts.sheet.source, SheetSource::Brand);
  EXPECT_EQ(other.form["Edit8"].text, "Неизвестно") << "a count no source knows is unknown, not none";
  EXPECT_EQ(other.form["Edit13"].text, "14 nm");
}

// A language switch replaces the note of the other language; it never adds
// a second one.
TEST(SecondSources, ALanguageSwitchKeepsOneNoteInTheNewLanguage) {
  PassRun run;
  runPass(run, R"(Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz)", "", kTables, 0);
  const std::string technologies = run.form["Memo2"].text.substr(0, run.form["Memo2"].text.find("\r\n"));
  for (const int language : {1, 0, 1, 1}) {
    SCOPED_TRACE(language);
    run.form.comboIndex = language;
    ComboBox1Click(run.form);
    EXPECT_EQ(run.form["Memo2"].text, technologies + "\r\n" + noteOf(SheetSource::Extended, language));
    EXPECT_EQ(run.form["Edit15"].text, language == 1 ? "Mobile" : "Мобильного");
    const std::string& hint = run.form["Edit7"].hint;
    EXPECT_EQ(hint.find(noteOf(SheetSource::Extended, 1 - language)), std::string::npos);
    EXPECT_TRUE(hint.ends_with("\r" + noteOf(SheetSource::Extended, language)));
  }
}

// A sheet without technologies: the memo holds the note alone, in either
// language, never the text that says the processor is unknown.
TEST(SecondSources, ASheetWithoutTechnologiesShowsTheNoteAlone) {
  const testing::FakeMachineFactsSource facts(
      {.packages = 1, .cores = 2, .threads = 2, .l2Bytes = {}, .l3Bytes = {}, .maxMhz = 0, .technologies = {}});
  PassRun run;
  runPass(run, "QEMU Virtual CPU version 2.5+", "", {.consult = true, .machine = &facts}, 0);
  ASSERT_EQ(run.form.facts.sheet.source, SheetSource::Machine);
  const auto noteOf = [](SheetSource, int language) { return ::wexmora::noteOf(SheetSource::Machine, language); };
  for (const int language : {0, 1, 0}) {
    SCOPED_TRACE(language);
    run.form.comboIndex = language;
    ComboBox1Click(run.form);
    EXPECT_EQ(run.form["Memo2"].text, noteOf(SheetSource::Extended, language));
    EXPECT_TRUE(run.form.facts.sheet.technologies.empty());
  }
}

// The web site has pages for catalogue keys only: a sheet of the extended
// table or the machine's facts links where the same brand string links with
// the catalogue alone, never to a page of the model number it shows.
TEST(SecondSources, OtherSourcesLinkAsAProcessorOutsideTheCatalogue) {
  const testing::FakeMachineFactsSource facts(
      {.packages = 1, .cores = 4, .threads = 8, .l2Bytes = {}, .l3Bytes = {}, .maxMhz = 0, .technologies = {"SSE"}});
  const struct {
    const char* brand;
    const char* identifier;
    SheetSource source;
    const char* edit7;
    const char* urlKey;
  } cases[] = {
      {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)", "Intel64 Family 6 Model 158 Stepping 10", SheetSource::Catalogue,
       "i5-8400", "i5-8400"},
      {R"(AMD Ryzen 5 3600 6-Core Processor)", "AMD64 Family 23 Model 113 Stepping 0", SheetSource::Extended, "R5 3600",
       ""},
      {R"(Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz)", "Intel64 Family 6 Model 142 Stepping 10", SheetSource::Extended,
       "i5-8250U", "i5-8250U"},
      {R"(Intel(R) Core(TM) i5-4570TE CPU @ 2.70GHz)", "Intel64 Family 6 Model 60 Stepping 3", SheetSource::Extended,
       "i5-4570TE", "i5-4570T"},
      {"QEMU Virtual CPU version 2.5+", "Intel64 Family 6 Model 158 Stepping 10", SheetSource::Machine, "-", ""},
      {R"(AMD Ryzen 5 9999X 6-Core Processor)", "AMD64 Family 25 Model 33 Stepping 0", SheetSource::Machine, "R5 9999X",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brand);
    PassRun run, alone;
    runPass(run, c.brand, c.identifier, {.consult = true, .machine = &facts});
    runPass(alone, c.brand, c.identifier, {});
    EXPECT_EQ(run.form.facts.sheet.source, c.source);
    EXPECT_EQ(run.form["Edit7"].text, c.edit7);
    EXPECT_EQ(run.form.frontUrl, site::base() + "/cpu/front-" + c.urlKey + "-photo.html");
    EXPECT_EQ(run.form.backUrl, site::base() + "/cpu/back-" + c.urlKey + "-photo.html");
    EXPECT_EQ(run.form.detailedUrl, site::base() + "/cpu/detailed-" + c.urlKey + ".html");
    EXPECT_EQ(run.form.frontUrl, alone.form.frontUrl);
    EXPECT_EQ(run.form.backUrl, alone.form.backUrl);
    EXPECT_EQ(run.form.detailedUrl, alone.form.detailedUrl);
  }
}

// The model number is read from the brand string once a pass, and only when
// a second source needs it; the trace records that one reading.
TEST(SecondSources, TheModelNumberIsReadOnceAPass) {
  const struct {
    const char* brand;
    bool read;
    const char* key;  // nullptr: no rule reads one
    bool refined;
  } cases[] = {
      {R"(Intel(R) Core(TM) i5-4570TE CPU @ 2.70GHz)", true, "i5-4570TE", true},  // before the lookup, then reused
      {R"(Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz)", true, "i5-8250U", false},   // after the lookup only
      {"QEMU Virtual CPU version 2.5+", true, nullptr, false},
      {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)", false, nullptr, false},  // the catalogue answers
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brand);
    PassRun run;
    PassTrace trace;
    run.form.trace = &trace;
    runPass(run, c.brand, "", kTables);
    const PassFacts& facts = run.form.facts;
    EXPECT_EQ(facts.modelNumberRead, c.read);
    ASSERT_EQ(facts.modelNumber.has_value(), c.key != nullptr);
    ASSERT_EQ(trace.modelNumber.has_value(), c.read);
    if (!c.read) continue;
    EXPECT_EQ(trace.modelNumber->read, c.key != nullptr);
    EXPECT_EQ(trace.modelNumber->refined, c.refined);
    if (!c.key) continue;
    EXPECT_EQ(facts.modelNumber->key, c.key);
    EXPECT_EQ(trace.modelNumber->key, c.key);
    EXPECT_TRUE(trace.modelNumber->rowFound);
  }
}

// The stage after the lookup fills the sheet from the reading the pass holds;
// it reads the brand string itself only when no stage has.
TEST(SecondSources, TheStageAfterTheLookupReusesTheReading) {
  const char* unreadable = "QEMU Virtual CPU version 2.5+";
  TForm15 held;
  held["Edit1"].text = unreadable;
  held.facts.modelNumber = readModelNumber(R"(AMD Ryzen 5 3600 6-Core Processor)");
  held.facts.modelNumberRead = true;
  fillFromSecondSources(held, kTables);
  EXPECT_EQ(held.facts.sheet.source, SheetSource::Extended);
  EXPECT_EQ(held["Edit7"].text, "R5 3600");
  EXPECT_EQ(held["Edit18"].text, "AMD Ryzen 5");

  TForm15 fresh;
  fresh["Edit1"].text = unreadable;
  fillFromSecondSources(fresh, kTables);
  EXPECT_TRUE(fresh.facts.modelNumberRead);
  EXPECT_FALSE(fresh.facts.modelNumber);
  EXPECT_EQ(fresh.facts.sheet.source, SheetSource::None);
}

// Each source hands its technologies on as a list; the memo shows them
// joined, and wexmora-info lists them from the facts.
TEST(SecondSources, EverySourceHandsOnItsTechnologiesAsAList) {
  using Names = std::vector<std::string>;
  const testing::FakeMachineFactsSource facts({.packages = 1,
                                               .cores = 4,
                                               .threads = 8,
                                               .l2Bytes = {},
                                               .l3Bytes = {},
                                               .maxMhz = 0,
                                               .technologies = {"SSE4.2", "AVX2", "AES"}});
  const struct {
    const char* brand;
    SheetSource source;
    Names technologies;
  } cases[] = {
      {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)",
       SheetSource::Catalogue,
       {"AVX2", "InTru 3D", "EPT", "VT-D", "TMT", "CV-HD", "QSV", "SK", "OMS", "SSE", "SSE2", "SSE3", "SSSE3", "SSE4.1",
        "SSE4.2", "MMX", "EM64T", "AES", "VT-x"}},
      {R"(Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz)",
       SheetSource::Extended,
       {"AVX2", "HT", "SSE4.1", "SSE4.2", "EM64T", "AES", "VT-x"}},
      {"QEMU Virtual CPU version 2.5+", SheetSource::Machine, {"SSE4.2", "AVX2", "AES"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brand);
    PassRun run;
    runPass(run, c.brand, "Intel64 Family 6 Model 158 Stepping 10", {.consult = true, .machine = &facts});
    EXPECT_EQ(run.form.facts.sheet.source, c.source);
    EXPECT_EQ(run.form.facts.sheet.technologies, c.technologies);
    EXPECT_TRUE(run.form["Memo2"].text.starts_with(base::joinWithCommas(c.technologies))) << run.form["Memo2"].text;
  }
}

// An LGA1150 row without technologies: what the fill-in writes into the
// empty memo is no technology, in either language.
TEST(SecondSources, AFillInTextIsNoTechnology) {
  const std::pair<int, const char*> cases[] = {{0, "Нет данных в нашей базе\r\n"}, {1, ""}};
  for (const auto& [language, fillIn] : cases) {
    SCOPED_TRACE(language);
    PassRun run;
    run.settings.values["Languages"] = std::to_string(language);
    platform::FixedProcessorSource processor("", "");
    PassServices services{processor, run.settings, run.sleeper, run.catalogue, kTables};
    ASSERT_TRUE(fillFromExtendedKey(run.form, "E3-1231 v3"));
    runFromModelKey(run.form, services);
    EXPECT_EQ(run.form["Edit11"].text, "FCLGA1150");
    EXPECT_EQ(run.form["Memo2"].text, fillIn + noteOf(SheetSource::Extended, language));
    EXPECT_TRUE(run.form.facts.sheet.technologies.empty());
  }
}

TEST(SecondSources, ClocksInTheCataloguesForm) {
  const std::pair<int, const char*> cases[] = {
      {2800, "2.80 GHz"}, {3995, "4.00 GHz"}, {4994, "4.99 GHz"}, {800, "0.80 GHz"}, {1, "0.00 GHz"},
  };
  for (const auto& [mhz, text] : cases) EXPECT_EQ(clockText(mhz), text) << mhz;
}

}  // namespace
}  // namespace wexmora
