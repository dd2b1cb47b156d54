// wexmora-info --explain: what the stages record about themselves, read back
// through the JSON a user gets. One row per rule form, and the badge rules
// where a later rule overrides an earlier one.
#include "app/info/explain.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/info/run.h"
#include "support/fakes.h"

namespace wexmora::info {
namespace {

using nlohmann::json;

// The explanation for one brand string, English interface unless told.
json explain(const std::string& brand, const std::string& storedLanguage = "1") {
  Options options;
  options.output = Output::Json;
  options.brand = brand;
  options.storedLanguage = storedLanguage;
  options.explain = true;
  options.catalogueOnly = true;  // the catalogue alone; the sources besides it have their own cases
  platform::FixedProcessorSource machine("", "");
  testing::FakeSettingsStore stored;
  std::ostringstream out, err;
  EXPECT_EQ(run(options, machine, stored, out, err), 0);
  EXPECT_EQ(err.str(), "");
  return json::parse(out.str()).at("explain");
}

struct Write {
  const char* rule;
  const char* pattern;  // "" = none set p
  long position;
  const char* suffix;  // "" = the plain copy
  const char* label1;
  const char* edit7;
};

struct KeyCase {
  const char* form;
  const char* brand;
  std::vector<Write> writes;
  const char* key;
  long L;
};

TEST(Explain, RecordsEveryModelKeyWriteOfEachRuleForm) {
  // clang-format off
  const KeyCase cases[] = {
    {"plain", R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)",
     {{"25", "i5-8", 19, "", "i5-8400 ", "i5-8400"}}, "i5-8400", 0},
    {"spaced: p from the first occurrence without the blank", R"(XX34 X3440 @ 2.53GHz)",
     {{"1", " X34", 2, "", "X34 X", "X34 X"}}, "X34 X", 0},
    {"either-or, second pattern", R"(Intel(R) Core(TM) i7-3770T CPU @ 2.50GHz)",
     {{"15", "i7-3", 19, "", "i7-3770T", "i7-3770T"}}, "i7-3770T", 0},
    {"group", R"(Intel(R) Core(TM)2 Quad CPU    Q9550  @ 2.83GHz)",
     {{"6", " Q9", 32, "", "Q9550 ", "Q9550"}}, "Q9550", 0},
    {"@-guarded, two rules", R"(Intel(R) Pentium(R) CPU G840 @ 2.80GHz)",
     {{"7", "G84", 25, "", "G840 ", "G840"}, {"8", "G8", 25, "", "G840 ", "G840"}}, "G840", 0},
    {"@-guarded with no pattern", R"(@ 3.00GHz Processor)",
     {{"7", "", 0, "", "@ 3.0", "@ 3.0"}, {"8", "", 0, "", "@ 3.0", "@ 3.0"}}, "@ 3.0", 0},
    {"first generation", R"(Intel(R) Core(TM) i5 CPU       K 655  @ 3.20GHz)",
     {{"4", "i5 CPU", 19, "", "i5-655K", "i5-655K"}}, "i5-655K", 0},
    {"hyphen insertion", R"(Intel(R) Xeon(R) CPU E31230 @ 3.20GHz)",
     {{"16", " E31", 22, "", "E3-1230 ", "E3-1230"}}, "E3-1230", 7},
    {"version suffix reading L from rule 16", R"(Intel(R) Xeon(R) CPU E31230 E3-1230 @ 3.20GHz)",
     {{"16", " E31", 22, "", "E3-1230 ", "E3-1230"}, {"17", "E3-12", 29, "", "E3-1230", "E3-1230"}}, "E3-1230", 7},
    {"version suffix", R"(Intel(R) Xeon(R) CPU E3-1231 v3 @ 3.40GHz)",
     {{"17", "E3-12", 22, "", "E3-1231 V3 ", "E3-1231 V3"}}, "E3-1231 V3", 11},
    {"offset copy, overwritten", R"(Intel(R) Core(TM) i5-4570TE CPU @ 2.70GHz)",
     {{"34", "0TE", 25, "", "-4570TE", "-4570TE"}, {"36", "i5-4", 19, "", "i5-4570T", "i5-4570T"}}, "i5-4570T", 0},
    {"badge shift", R"(Intel(R) Celeron(R) CPU G3900TE @ 2.30GHz)",
     {{"33", "G39", 25, "TE", "G3900TE", "G3900TE"}}, "G3900TE", 0},
    {"suffix variant after the plain copy", R"(Intel(R) Core(TM) i5-10600KF CPU @ 4.10GHz)",
     {{"10", "i5-10", 19, "", "i5-10600K", "i5-10600K"}, {"10", "i5-10", 19, "KF", "i5-10600KF", "i5-10600KF"}},
     "i5-10600KF", 0},
    {"no rule", R"(AMD Ryzen 5 3600 6-Core Processor)", {}, "", 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.form);
    const json e = explain(c.brand);
    const json& key = e["model_key"];
    EXPECT_EQ(e["brand"], c.brand);
    EXPECT_EQ(e["length"], std::string(c.brand).size());
    EXPECT_EQ(key["ran"], true);
    EXPECT_EQ(key["key"], c.key);
    EXPECT_EQ(key["L"], c.L);
    ASSERT_EQ(key["rules"].size(), c.writes.size());
    for (std::size_t i = 0; i < c.writes.size(); ++i) {
      const Write& expected = c.writes[i];
      const json& got = key["rules"][i];
      SCOPED_TRACE(expected.rule);
      EXPECT_EQ(got["rule"], expected.rule);
      EXPECT_EQ(got["pattern"], *expected.pattern ? json(expected.pattern) : json());
      EXPECT_EQ(got["position"], expected.position);
      EXPECT_EQ(got["suffix"], *expected.suffix ? json(expected.suffix) : json());
      EXPECT_EQ(got["label1"], expected.label1);
      EXPECT_EQ(got["edit7"], expected.edit7);
      EXPECT_EQ(got["overwritten"], i + 1 < c.writes.size());
      const bool usesL = std::string_view(expected.rule) == "16" || std::string_view(expected.rule) == "17";
      EXPECT_EQ(got.contains("L"), usesL);
    }
  }
}

TEST(Explain, RulesSixteenAndSeventeenShowL) {
  const json both = explain(R"(Intel(R) Xeon(R) CPU E31230 E3-1230 @ 3.20GHz)")["model_key"]["rules"];
  EXPECT_EQ(both[0]["L"], 7);
  EXPECT_EQ(both[1]["L"], 7);
  EXPECT_EQ(explain(R"(Intel(R) Xeon(R) CPU E3-1231 v3 @ 3.40GHz)")["model_key"]["rules"][0]["L"], 11);
  // No version suffix and no rule 16: rule 17 writes with L = 0 and empties the key.
  const json none = explain(R"(Intel(R) Xeon(R) CPU E3-1225 @ 3.10GHz)")["model_key"];
  EXPECT_EQ(none["rules"].back()["rule"], "17");
  EXPECT_EQ(none["rules"].back()["L"], 0);
  EXPECT_EQ(none["rules"].back()["edit7"], "");
}

TEST(Explain, BadgeShiftRecordsTheLeftItGave) {
  const json e = explain(R"(Intel(R) Celeron(R) CPU G3900TE @ 2.30GHz)");
  EXPECT_EQ(e["model_key"]["rules"][0]["badge_left"], 305);
  EXPECT_FALSE(explain(R"(Intel(R) Celeron(R) CPU G1820 @ 2.70GHz)")["model_key"]["rules"][0].contains("badge_left"));
}

struct Held {
  const char* rule;
  int badge;
  int left;  // 0 = the rule sets none
};

struct BadgeCase {
  const char* brand;
  std::vector<Held> held;
  const char* decidedBy;
  int badge, left;
};

TEST(Explain, RecordsTheBadgeRulesThatHeldAndWhichDecided) {
  // clang-format off
  const BadgeCase cases[] = {
    // rule 8.2 (model key "E-23") overrides the LGA1200 Xeon rule 7.3
    {R"(Intel(R) Xeon(R) E-2314 CPU @ 2.80GHz)",     {{"7.3", 20, 322}, {"8.2", 39, 322}}, "8.2", 39, 322},
    {R"(Intel(R) Xeon(R) W-1250 CPU @ 3.30GHz)",     {{"7.3", 20, 322}},                   "7.3", 20, 322},
    // the brand-string rule 8.24 decides and leaves the design left
    {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)",   {{"8.24", 26, 0}},                    "8.24", 26, 320},
    {R"(Intel(R) Core(TM) i5-9400 CPU @ 2.90GHz)",   {{"6.5", 22, 322}},                   "6.5", 22, 322},
    // rule 33 moved the badge to 305; rule 9.1 decides the picture, not the left
    {R"(Intel(R) Celeron(R) CPU G3900TE @ 2.30GHz)", {{"9.1", 18, 0}},                     "9.1", 18, 305},
    {R"(Intel(R) Core(TM) i7-4770K CPU @ 3.50GHz)",  {{"10.5", 16, 295}},                  "10.5", 16, 295},
    {R"(Intel(R) Celeron(R) G6900T)",                {{"8.1", 43, 322}},                   "8.1", 43, 322},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brand);
    const json badge = explain(c.brand)["badge"];
    ASSERT_EQ(badge["rules"].size(), c.held.size());
    for (std::size_t i = 0; i < c.held.size(); ++i) {
      EXPECT_EQ(badge["rules"][i]["rule"], c.held[i].rule);
      EXPECT_EQ(badge["rules"][i]["badge"], c.held[i].badge);
      EXPECT_EQ(badge["rules"][i]["left"], c.held[i].left ? json(c.held[i].left) : json());
    }
    EXPECT_EQ(badge["decided_by"], c.decidedBy);
    EXPECT_EQ(badge["badge"], c.badge);
    EXPECT_EQ(badge["left"], c.left);
    EXPECT_EQ(badge["top"], 3);
  }
}

TEST(Explain, CatalogueEntryOrNone) {
  const struct {
    const char* brand;
    json catalogue;
  } cases[] = {
      {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)", {{"index", 357}, {"key", "i5-8400"}}},
      {R"(Intel(R) Core(TM) i5-8401 CPU @ 2.80GHz)", nullptr},  // a key, but not in the catalogue
      {R"(AMD Ryzen 5 3600 6-Core Processor)", nullptr},
  };
  for (const auto& c : cases) EXPECT_EQ(explain(c.brand)["catalogue"], c.catalogue) << c.brand;
}

TEST(Explain, CorrectionsAndTheLanguageRoutineWhenTheyRan) {
  const struct {
    const char* brand;
    const char* stored;
    json corrections;
    json language;
  } cases[] = {
      {R"(Intel(R) Celeron(R) G6900T)",
       "1",
       json::array(
           {{{"correction", "base_clock"}, {"trigger", "G6900T"}, {"fields", {"Edit5"}}, {"value", "2.80 GHz"}}}),
       {{"stored", "1"}, {"index", 1}, {"routine", "Englang"}}},
      {R"(Intel(R) Celeron(R) G6900)",
       "",
       json::array(
           {{{"correction", "base_clock"}, {"trigger", "G6900"}, {"fields", {"Edit5"}}, {"value", "3.40 GHz"}}}),
       {{"stored", nullptr}, {"index", 0}, {"routine", "ruslang"}}},
      {R"(Intel(R) Core(TM) i7-4770K CPU @ 3.50GHz)",
       "en",
       json::array(
           {{{"correction", "lga1150_fill"}, {"trigger", "1150"}, {"fields", json::array()}, {"value", nullptr}}}),
       {{"stored", "en"}, {"index", 0}, {"routine", "ruslang"}}},
      {R"(AMD Ryzen 5 3600 6-Core Processor)",
       "1",
       json::array({{{"correction", "no_processor"},
                     {"trigger", "Englang"},
                     {"fields", {"Edit7", "Label1", "Label14", "Label15", "Image1", "Image4"}},
                     {"value", "Unknown CPU"}}}),
       {{"stored", "1"}, {"index", 1}, {"routine", "Englang"}}},
      {R"(AMD Ryzen 5 3600 6-Core Processor)",
       "0",
       json::array({{{"correction", "no_processor"},
                     {"trigger", "ruslang"},
                     {"fields", {"Edit7", "Label1", "Label14", "Label15", "Image1", "Image4"}},
                     {"value", "Нет данных"}}}),
       {{"stored", "0"}, {"index", 0}, {"routine", "ruslang"}}},
      {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)",
       "1",
       json::array(),
       {{"stored", "1"}, {"index", 1}, {"routine", "Englang"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brand);
    const json e = explain(c.brand, c.stored);
    EXPECT_EQ(e["corrections"], c.corrections);
    EXPECT_EQ(e["language"], c.language);
  }
}

TEST(Explain, AShortBrandStringRunsNoChainAndAGivenKeyNeedsNone) {
  const json shortBrand = explain("Intel(R) i")["model_key"];
  EXPECT_EQ(shortBrand["ran"], false);
  EXPECT_EQ(shortBrand["key"], nullptr);
  EXPECT_TRUE(shortBrand["rules"].empty());

  Options key;
  key.output = Output::Json;
  key.key = "E3-1230 V2";
  key.storedLanguage = "1";
  key.explain = true;
  key.catalogueOnly = true;
  platform::FixedProcessorSource machine("", "");
  testing::FakeSettingsStore stored;
  std::ostringstream out, err;
  ASSERT_EQ(run(key, machine, stored, out, err), 0);
  const json e = json::parse(out.str())["explain"];
  EXPECT_EQ(e["model_key"]["ran"], false);
  EXPECT_EQ(e["model_key"]["key"], "E3-1230 V2");
  EXPECT_EQ(e["catalogue"]["key"], "E3-1230 V2");
  EXPECT_FALSE(e["badge"]["rules"].empty());
}

TEST(Explain, TextSectionFollowsTheInterfaceLanguage) {
  const struct {
    const char* stored;
    std::vector<const char*> lines;
  } cases[] = {
      {"1",
       {"\nIdentification\n", "  Brand string: \"Intel(R) Core(TM) i5-10600KF CPU @ 4.10GHz\", length 42\n",
        "    rule 10: pattern \"i5-10\", p = 19; Label1 \"i5-10600K\", Edit7 \"i5-10600K\" (overwritten later)\n",
        "    rule 10, suffix \"KF\": pattern \"i5-10\", p = 19; Label1 \"i5-10600KF\", Edit7 \"i5-10600KF\"\n",
        "  Model key: \"i5-10600KF\", L = 0\n", "    rule 8.20: badge 36, left 322 (decides the badge and the left)\n",
        "  Language: stored \"1\", index 1, routine Englang\n"}},
      {"0",
       {"\nИдентификация\n", "  Наименование: \"Intel(R) Core(TM) i5-10600KF CPU @ 4.10GHz\", длина 42\n",
        "    правило 10, суффикс \"KF\": образец \"i5-10\", p = 19; Label1 \"i5-10600KF\", Edit7 \"i5-10600KF\"\n",
        "  Язык: сохранено \"0\", индекс 0, процедура ruslang\n"}},
  };
  for (const auto& c : cases) {
    Options options;
    options.brand = R"(Intel(R) Core(TM) i5-10600KF CPU @ 4.10GHz)";
    options.storedLanguage = c.stored;
    options.explain = true;
    options.catalogueOnly = true;
    platform::FixedProcessorSource machine("", "");
    testing::FakeSettingsStore stored;
    std::ostringstream out, err;
    ASSERT_EQ(run(options, machine, stored, out, err), 0);
    for (const char* line : c.lines) EXPECT_NE(out.str().find(line), std::string::npos) << line << "in\n" << out.str();
  }
}

// The explanation is derived once from the trace and the form; both
// renderings say what it holds: the sources' part when they were consulted
// and the catalogue did not answer, the rules that decide the badge.
TEST(Explain, OneExplanationBehindTheTextAndTheJson) {
  ModelNumberTrace none;
  ModelNumberTrace read;
  read.read = true;
  read.rule = "amd-ryzen";
  read.number = "Ryzen 5 3600";
  read.key = "Ryzen 5 3600";
  read.shown = "R5 3600";
  read.rowFound = true;
  const struct {
    const char* name;
    bool consulted;
    SheetSource source;
    std::optional<ModelNumberTrace> modelNumber;
    bool sourcesShown;
    const char* sourceName;
  } cases[] = {
      {"the catalogue alone", false, SheetSource::Catalogue, std::nullopt, false, ""},
      {"the catalogue answers after a reading", true, SheetSource::Catalogue, read, false, ""},
      {"an extended key given", true, SheetSource::Extended, std::nullopt, true, "extended"},
      {"nothing read, nothing found", true, SheetSource::None, none, true, ""},
      {"the extended row", true, SheetSource::Extended, read, true, "extended"},
      {"the machine's facts", true, SheetSource::Machine, read, true, "machine"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TForm15 form;
    form.comboIndex = 1;
    form.facts.sheet.source = c.source;
    PassTrace trace;
    trace.secondSourcesConsulted = c.consulted;
    trace.modelNumber = c.modelNumber;
    trace.badgeRules = {{"3.1", 6, std::nullopt}, {"8.20", 36, 322}, {"9.9", 20, std::nullopt}};
    const Explanation e = explanationOf(form, trace, std::nullopt);
    ASSERT_EQ(e.otherSources.has_value(), c.sourcesShown);
    if (c.sourcesShown) {
      EXPECT_EQ(e.otherSources->source, c.sourceName);
    }
    const json j = explainJson(e);
    const std::string text = explainText(e);
    EXPECT_EQ(j.contains("source"), c.sourcesShown);
    EXPECT_EQ(text.find("\n  Source: ") != std::string::npos, c.sourcesShown) << text;
    EXPECT_EQ(j.contains("model_number") && !j["model_number"].is_null(),
              c.sourcesShown && c.modelNumber && c.modelNumber->read);

    ASSERT_EQ(e.badgeRules.size(), 3u);
    EXPECT_EQ(e.badgeDecidedBy, "9.9");
    EXPECT_EQ(e.leftDecidedBy, "8.20");
    EXPECT_EQ(j["badge"]["decided_by"], "9.9");
    EXPECT_EQ(j["badge"]["left_decided_by"], "8.20");
    EXPECT_NE(text.find("rule 8.20: badge 36, left 322 (decides the left)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("rule 9.9: badge 20 (decides the badge)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("rule 3.1: badge 6\n"), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace wexmora::info
