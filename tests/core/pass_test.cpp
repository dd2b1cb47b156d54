// The whole identification pass on the window model: a realistic brand
// string per socket block of the catalogue, processors the catalogue does not
// hold, and the language the pass starts in.
#include "core/pass/pass.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/site.h"
#include "core/data/key_list.h"
#include "core/pass/handlers.h"
#include "support/fakes.h"

namespace wexmora {
namespace {

constexpr const char* kIdentifier = "Intel64 Family 6 Model 158 Stepping 10";

struct PassRun {
  TForm15 form;
  testing::FakeSettingsStore settings;
  testing::RecordingSleeper sleeper;
  catalogue::Lists catalogue;
};

void runPass(PassRun& run, const std::string& brand) {
  platform::FixedProcessorSource processor(brand, kIdentifier);
  PassServices services{processor, run.settings, run.sleeper, run.catalogue};
  FormCreate(run.form, services, 1920, 1080);
}

int catalogueIndex(const std::string& key) {
  for (std::size_t i = 0; i < catalogue::kEntryCount; ++i)
    if (catalogue::keyAt(i) == key) return static_cast<int>(i);
  return -1;
}

// wexmora-info's --key starts the pass at the model key: from there it runs
// the same stages as the pass does after the rule chain, so the catalogue's
// fields, the QR image, the links, the waits and the language agree.
TEST(Pass, FromAModelKeyTheSameStagesRunAsAfterTheRuleChain) {
  const struct {
    const char* brand;
    const char* key;
  } cases[] = {
      {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)", "i5-8400"},
      {R"(Intel(R) Xeon(R) CPU E3-1230 V2 @ 3.30GHz)", "E3-1230 V2"},
      {R"(Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz)", "i7-4770"},
      {R"(12th Gen Intel(R) Core(TM) i5-12400)", "i5-12400"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    PassRun full;
    runPass(full, c.brand);
    ASSERT_EQ(full.form["Edit7"].text, c.key);
    PassRun fromKey;
    fromKey.form["Edit7"].text = c.key;
    platform::FixedProcessorSource unread("", "");
    PassServices services{unread, fromKey.settings, fromKey.sleeper, fromKey.catalogue};
    runFromModelKey(fromKey.form, services);
    for (const char* field : {"Edit6", "Edit8", "Edit9", "Edit10", "Edit11", "Edit12", "Edit13", "Edit14", "Edit15",
                              "Edit16", "Edit17", "Edit18", "Edit19", "Edit20", "Memo2", "Label15", "Label7"})
      EXPECT_EQ(fromKey.form[field].text, full.form[field].text) << field;
    EXPECT_EQ(fromKey.form["Image4"].picture, full.form["Image4"].picture);
    EXPECT_EQ(fromKey.form.height, full.form.height);
    EXPECT_EQ(fromKey.form.detailedUrl, full.form.detailedUrl);
    EXPECT_EQ(fromKey.form.frontUrl, full.form.frontUrl);
    EXPECT_EQ(fromKey.sleeper.waits, full.sleeper.waits);
    EXPECT_EQ(fromKey.settings.values, full.settings.values);
  }
}

TEST(Pass, TypicalRun) {
  PassRun run;
  runPass(run, "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz");
  TForm15& form = run.form;
  EXPECT_EQ(form.passError, "");
  EXPECT_EQ(form.height, 387);
  EXPECT_EQ(form["Edit7"].text, "i5-8400");
  EXPECT_EQ(form["Edit18"].text, "Intel Core i5");
  EXPECT_EQ(form["Edit11"].text, "LGA1151 V2");
  EXPECT_EQ(form["Label15"].text, "LGA1151 V2");
  EXPECT_EQ(form["Edit15"].text, "Настольного");
  EXPECT_EQ(form["Edit15"].hint, "Процессор для настольного \rкомпьютера");
  EXPECT_EQ(form["Edit12"].text, "Coffee Lake");
  EXPECT_EQ(form["Edit5"].text, "2.80 GHz");
  EXPECT_EQ(form["Label14"].text, "2.80 GHz");
  EXPECT_EQ(form["Image1"].picture, (Picture{PictureSource::Badges, 26}));
  EXPECT_EQ(form["Image1"].left, 320);
  EXPECT_EQ(form["Image1"].top, 3);
  EXPECT_EQ(form["Image4"].picture, (Picture{PictureSource::Qr, catalogueIndex("i5-8400")}));
  EXPECT_EQ(form["Edit20"].text, "i5-8400");
  EXPECT_EQ(form.frontUrl, site::base() + "/cpu/front-i5-8400-photo.html");
  EXPECT_EQ(form.backUrl, site::base() + "/cpu/back-i5-8400-photo.html");
  EXPECT_EQ(form.detailedUrl, site::base() + "/cpu/detailed-i5-8400.html");
  EXPECT_EQ(run.sleeper.waits, (std::vector<int>{10, 15, 50}));
  EXPECT_EQ(form["Label7"].text, "Процессор");
  EXPECT_EQ(form["Button2"].hint, "Выход из программы");
  EXPECT_FALSE(form["Memo2"].text.empty());
  EXPECT_EQ(form["Memo2"].text.find('|'), std::string::npos);
  // The record was decoded in place; the others stay encoded.
  EXPECT_TRUE(run.catalogue.ListBox2.stored(catalogueIndex("i5-8400")).starts_with("i5-8400|Intel Core i5|"));
  EXPECT_EQ(run.catalogue.ListBox2.stored(0).find("Intel"), std::string::npos);

  testing::RecordingUrlOpener opener;
  Image4Click(form, opener);
  Image2Click(form, opener);
  EXPECT_EQ(opener.opened, (std::vector<std::string>{form.detailedUrl, form.frontUrl}));
}

struct BlockCase {
  const char* brand;
  const char* key;
  const char* socket;
  const char* productLine;
  const char* segment;  // as the Russian interface shows it
  int badge;
  int left;
  const char* baseClock;
};

// clang-format off
// brand string                                             key             socket        product line            segment        badge left  base clock
const BlockCase kBlocks[] = {
  {R"(Intel(R) Xeon(R) CPU           E5405  @ 2.00GHz)",    "E5405",        "LGA771",     "Intel Xeon",           "Сервера",         7, 320, "2.00 GHz"},
  {R"(Intel(R) Core(TM)2 Quad CPU    Q6600  @ 2.40GHz)",    "Q6600",        "LGA775",     "Intel Core2 Quad",     "Настольного",     8, 320, "2.40 GHz"},
  {R"(Intel(R) Core(TM) i5 CPU         750  @ 2.67GHz)",    "i5-750",       "LGA1156",    "Intel Core i5",        "Настольного",    10, 320, "2.67 GHz"},
  {R"(Intel(R) Core(TM) i5-2500K CPU @ 3.30GHz)",           "i5-2500K",     "LGA1155",    "Intel Core i5",        "Настольного",     3, 320, "3.30 GHz"},
  {R"(Intel(R) Xeon(R) CPU E3-1230 V2 @ 3.30GHz)",          "E3-1230 V2",   "LGA1155",    "Intel Xeon",           "Сервера",         5, 320, "3.30 GHz"},
  {R"(Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz)",            "i7-4770",      "LGA1150",    "Intel Core i7",        "Настольного",    16, 295, "3.40 GHz"},
  {R"(Intel(R) Core(TM) i5-6500 CPU @ 3.20GHz)",            "i5-6500",      "LGA1151",    "Intel Core i5",        "Настольного",    33, 320, "3.20 GHz"},
  {R"(Intel(R) Pentium(R) CPU G4560 @ 3.50GHz)",            "G4560",        "LGA1151",    "Intel Pentium",        "Настольного",    28, 320, "3.50 GHz"},
  {R"(Intel(R) Core(TM) i7-8700K CPU @ 3.70GHz)",           "i7-8700K",     "LGA1151 V2", "Intel Core i7",        "Настольного",    27, 320, "3.70 GHz"},
  {R"(Intel(R) Core(TM) i9-9900K CPU @ 3.60GHz)",           "i9-9900K",     "LGA1151 V2", "Intel Core i9",        "Настольного",    24, 322, "3.60 GHz"},
  {R"(Intel(R) Core(TM) i5-10400 CPU @ 2.90GHz)",           "i5-10400",     "LGA1200",    "Intel Core i5",        "Настольного",    36, 322, "2.90 GHz"},
  {R"(Intel(R) Xeon(R) W-1250 CPU @ 3.30GHz)",              "W-1250",       "LGA1200",    "Intel Xeon",           "Workstation",    20, 322, "3.30 GHz"},
  {R"(Intel(R) Xeon(R) E-2314 CPU @ 2.80GHz)",              "E-2314",       "LGA1200",    "Intel Xeon",           "Сервера",        39, 322, "2.80 GHz"},
  {R"(11th Gen Intel(R) Core(TM) i5-11400 @ 2.60GHz)",      "i5-11400",     "LGA1200",    "Intel Core i5",        "Настольного",    40, 322, "2.60 GHz"},
  {R"(Intel(R) Celeron(R) G6900)",                          "G6900",        "LGA1700",    "Intel Celeron",        "Настольного",    43, 322, "3.40 GHz"},
  {R"(Intel(R) Celeron(R) G6900T)",                         "G6900T",       "LGA1700",    "Intel Celeron",        "Настольного",    43, 322, "2.80 GHz"},
  {R"(12th Gen Intel(R) Core(TM) i5-12400)",                "i5-12400",     "LGA1700",    "Intel Core i5",        "Настольного",    40, 322, "2.50 GHz"},
  {R"(14th Gen Intel(R) Core(TM) i9-14900K)",               "i9-14900K",    "LGA1700",    "Intel Core i9",        "Настольного",    42, 322, "3.20 GHz"},
};
// clang-format on

TEST(Pass, OneProcessorPerSocketBlock) {
  ASSERT_EQ(catalogue::Lists().ListBox2.count(), catalogue::kEntryCount) << "the catalogue's records are not built in";
  for (const auto& c : kBlocks) {
    SCOPED_TRACE(c.brand);
    PassRun run;
    runPass(run, c.brand);
    TForm15& form = run.form;
    EXPECT_EQ(form.passError, "");
    EXPECT_EQ(form["Edit7"].text, c.key);
    EXPECT_EQ(form["Edit11"].text, c.socket);
    EXPECT_EQ(form["Label15"].text, c.socket);
    EXPECT_EQ(form["Edit18"].text, c.productLine);
    EXPECT_EQ(form["Edit15"].text, c.segment);
    EXPECT_EQ(form["Image1"].picture, (Picture{PictureSource::Badges, c.badge}));
    EXPECT_EQ(form["Image1"].left, c.left);
    EXPECT_EQ(form["Image4"].picture, (Picture{PictureSource::Qr, catalogueIndex(c.key)}));
    EXPECT_EQ(form["Edit5"].text, c.baseClock);
    EXPECT_EQ(run.sleeper.waits, (std::vector<int>{10, 15, 50}));
    // Every field of the data sheet is filled from the record.
    for (const char* field :
         {"Edit6", "Edit8", "Edit9", "Edit10", "Edit12", "Edit13", "Edit14", "Edit16", "Edit17", "Edit19", "Memo2"}) {
      EXPECT_FALSE(form[field].text.empty()) << field;
      EXPECT_NE(form[field].text, "Неизвестно") << field;
    }
    EXPECT_NE(form["Edit10"].text.find("°C"), std::string::npos) << form["Edit10"].text;
    std::string url = c.key;
    if (const auto blank = url.find(' '); blank != std::string::npos) url[blank] = '_';
    EXPECT_EQ(form.detailedUrl, site::base() + "/cpu/detailed-" + url + ".html");
  }
}

struct NoProcessorCase {
  const char* brand;
  const char* language;  // stored Languages value
  const char* keyCaption;
};

TEST(Pass, NoProcessorInBothLanguages) {
  const NoProcessorCase cases[] = {
      {"AMD Ryzen 7 5800X 8-Core Processor             ", "0", "Нет данных"},
      {"AMD Ryzen 7 5800X 8-Core Processor             ", "1", "Unknown CPU"},
      {"???", "0", "Нет данных"},
      {"???", "1", "Unknown CPU"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.brand) + " " + c.language);
    PassRun run;
    run.settings.values = {{"Languages", c.language}, {"Site_Url", site::homePage()}};
    runPass(run, c.brand);
    TForm15& form = run.form;
    EXPECT_EQ(form["Edit1"].text, c.brand);
    EXPECT_EQ(form["Edit7"].text, "-");
    EXPECT_EQ(form["Label1"].text, c.keyCaption);
    EXPECT_EQ(form["Image1"].picture, (Picture{PictureSource::Badges, 46}));
    EXPECT_EQ(form["Image4"].picture, (Picture{PictureSource::Badges, 47}));
    EXPECT_EQ(form["Image1"].top, 3);
    EXPECT_EQ(form["Edit20"].text, "");
    EXPECT_EQ(run.sleeper.waits, (std::vector<int>{15, 50}));

    testing::RecordingUrlOpener opener;
    Image2Click(form, opener);
    Image3Click(form, opener);
    Image4Click(form, opener);
    EXPECT_EQ(opener.opened, (std::vector<std::string>{site::homePage()}));
  }
}

TEST(Pass, CatalogueMissWithADerivedKey) {
  PassRun run;
  runPass(run, "Intel(R) Core(TM) i5-8401 CPU @ 2.80GHz");
  TForm15& form = run.form;
  EXPECT_EQ(form["Edit7"].text, "i5-8401");
  EXPECT_TRUE(form["Image4"].picture.empty());
  EXPECT_EQ(form["Image1"].picture, (Picture{PictureSource::Badges, 26}));  // from the brand string
  EXPECT_EQ(form["Edit5"].text, "2.80 GHz");
  EXPECT_EQ(form["Edit18"].text, "Неизвестно");
  EXPECT_EQ(form["Edit8"].text, "-");
  EXPECT_EQ(form["Memo2"].text, "Информации о данном процессоре нет в базе программы.");
  EXPECT_EQ(form.detailedUrl, site::base() + "/cpu/detailed-i5-8401.html");
  EXPECT_EQ(run.sleeper.waits, (std::vector<int>{15, 50}));
  testing::RecordingUrlOpener opener;
  Image3Click(form, opener);
  EXPECT_EQ(opener.opened, (std::vector<std::string>{form.backUrl}));
}

struct StartCase {
  const char* name;
  std::map<std::string, std::string> stored;
  int index;
  const char* closeCaption;
  const char* segment;
  std::map<std::string, std::string> after;
};

TEST(Pass, StartLanguage) {
  const std::string home = site::homePage();
  const StartCase cases[] = {
      {"no settings", {}, 0, "Закрыть", "Настольного", {{"Site_Url", home}, {"License", "FreeWare"}}},
      {"English",
       {{"Languages", "1"}, {"Site_Url", home}},
       1,
       "Close",
       "Desktop",
       {{"Languages", "1"}, {"Site_Url", home}}},
      {"not a number",
       {{"Languages", "en"}, {"Site_Url", home}},
       0,
       "Закрыть",
       "Настольного",
       {{"Languages", "en"}, {"Site_Url", home}}},
      {"out of range",
       {{"Languages", "2"}},
       0,
       "Закрыть",
       "Настольного",
       {{"Languages", "2"}, {"Site_Url", home}, {"License", "FreeWare"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PassRun run;
    run.settings.values = c.stored;
    runPass(run, "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz");
    EXPECT_EQ(run.form.passError, "");
    EXPECT_EQ(run.form.comboIndex, c.index);
    EXPECT_EQ(run.form["Button2"].text, c.closeCaption);
    EXPECT_EQ(run.form["Edit15"].text, c.segment);
    EXPECT_EQ(run.settings.values, c.after);
    EXPECT_EQ(run.form.detailedUrl, site::base() + "/cpu/detailed-i5-8400.html");
  }
}

TEST(Pass, SettingsWriteFailureStopsThePassAndIsKept) {
  PassRun run;
  run.settings.failWrites = true;  // first run: the defaults cannot be written
  runPass(run, "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz");
  EXPECT_NE(run.form.passError, "");
  EXPECT_EQ(run.form["Edit7"].text, "i5-8400");
  EXPECT_EQ(run.form["Edit18"].text, "");  // the lookup did not run
  EXPECT_EQ(run.form.frontUrl, "");
  EXPECT_EQ(run.form.height, 387);
}

}  // namespace
}  // namespace wexmora
