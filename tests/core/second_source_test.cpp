// The sources besides the catalogue, in the whole pass: the extended table
// for the processors the catalogue lacks, a catalogue key that only
// approximates the processor, the machine's own facts where no table knows
// it, and the catalogue's sheets, which stay exactly as they were.
#include "core/extended/second_source.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/pass/handlers.h"
#include "core/pass/pass.h"
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
    EXPECT_EQ(run.form.sheetSource, SheetSource::Extended);
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
      EXPECT_EQ(both.form.sheetSource, SheetSource::Catalogue);
      for (const Control& control : alone.form.controls()) {
        const Control& other = both.form[control.name];
        EXPECT_EQ(other.text, control.text) << control.name;
        EXPECT_EQ(other.hint, control.hint) << control.name;
        EXPECT_EQ(other.picture, control.picture) << control.name;
        EXPECT_EQ(other.left, control.left) << control.name;
      }
      EXPECT_EQ(both.form.detailedUrl, alone.form.detailedUrl);
      EXPECT_EQ(facts.reads, 0) << "a catalogue processor never asks the system";
    }
  }
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
    EXPECT_EQ(run.form.sheetSource, c.source);
    PassRun alone;
    runPass(alone, c.brand, "", {});
    EXPECT_EQ(alone.form.sheetSource, SheetSource::Catalogue) << "the catalogue alone keeps its approximation";
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
  EXPECT_EQ(run.form.sheetSource, SheetSource::Machine);
  EXPECT_EQ(run.form["Edit8"].text, "4");
  EXPECT_EQ(run.form["Edit9"].text, "8");
  EXPECT_EQ(run.form["Edit17"].text, "8 Mb");
  EXPECT_EQ(run.form["Edit6"].text, "4.00 GHz");
  EXPECT_EQ(run.form["Memo2"].text, "SSE4.2, AVX2, AES\r\n" + noteOf(SheetSource::Machine, 0));

  PassRun other;
  runPass(other, brand, "Intel64 Family 6 Model 158 Stepping 10", kTables, 0);
  EXPECT_EQ(other.form.sheetSource, SheetSource::None);
  EXPECT_EQ(other.form["Edit8"].text, "-");
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
  ASSERT_EQ(run.form.sheetSource, SheetSource::Machine);
  const auto noteOf = [](SheetSource, int language) { return ::wexmora::noteOf(SheetSource::Machine, language); };
  for (const int language : {0, 1, 0}) {
    SCOPED_TRACE(language);
    run.form.comboIndex = language;
    ComboBox1Click(run.form);
    EXPECT_EQ(run.form["Memo2"].text, noteOf(SheetSource::Extended, language));
    EXPECT_EQ(technologiesOf(run.form), "");
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
