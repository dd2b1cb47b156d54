// The language index and the first-run values as the pass loads them, and
// the language a user picks, switched and stored.
#include "core/pass/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "base/site.h"
#include "core/pass/handlers.h"
#include "support/fakes.h"

namespace wexmora {
namespace {

struct IndexCase {
  std::optional<std::string> stored;
  std::optional<int> index;
};

TEST(StoredLanguageIndex, AcceptsOnlyZeroAndOne) {
  const IndexCase cases[] = {
      {std::nullopt, std::nullopt},
      {"", std::nullopt},
      {"0", 0},
      {"1", 1},
      {"+1", 1},
      {"2", std::nullopt},
      {"-1", std::nullopt},
      {"01", 1},
      {"1x", std::nullopt},
      {" 1", std::nullopt},
      {"English", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"-", std::nullopt},
      {"+", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(storedLanguageIndex(c.stored), c.index) << c.stored.value_or("<missing>");
}

struct LoadCase {
  const char* name;
  std::map<std::string, std::string> before;
  int designIndex;
  int expectedIndex;
  std::map<std::string, std::string> after;
};

TEST(LoadSettings, LanguageAndFirstRunValues) {
  const std::string home = site::homePage();
  const LoadCase cases[] = {
      {"first run", {}, 0, 0, {{"Site_Url", home}, {"License", "FreeWare"}}},
      {"English stored", {{"Languages", "1"}, {"Site_Url", home}}, 0, 1, {{"Languages", "1"}, {"Site_Url", home}}},
      {"Russian stored over a non-design index",
       {{"Languages", "0"}, {"Site_Url", "x"}},
       1,
       0,
       {{"Languages", "0"}, {"Site_Url", "x"}}},
      {"languages without site url",
       {{"Languages", "1"}},
       0,
       1,
       {{"Languages", "1"}, {"Site_Url", home}, {"License", "FreeWare"}}},
      {"empty site url is a first run",
       {{"Site_Url", ""}, {"License", "Other"}},
       0,
       0,
       {{"Site_Url", home}, {"License", "FreeWare"}}},
      {"empty languages keeps the design index",
       {{"Languages", ""}, {"Site_Url", home}},
       0,
       0,
       {{"Languages", ""}, {"Site_Url", home}}},
      {"not a number is left alone",
       {{"Languages", "abc"}, {"Site_Url", home}},
       0,
       0,
       {{"Languages", "abc"}, {"Site_Url", home}}},
      {"out of range is left alone",
       {{"Languages", "2"}, {"Site_Url", home}},
       0,
       0,
       {{"Languages", "2"}, {"Site_Url", home}}},
      {"minus one is left alone",
       {{"Languages", "-1"}},
       0,
       0,
       {{"Languages", "-1"}, {"Site_Url", home}, {"License", "FreeWare"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TForm15 form;
    form.comboIndex = c.designIndex;
    testing::FakeSettingsStore store;
    store.values = c.before;
    loadSettings(form, store);
    EXPECT_EQ(form.comboIndex, c.expectedIndex);
    EXPECT_EQ(store.values, c.after);
    EXPECT_EQ(form["Label7"].text, "Процессор");  // no texts are switched while loading
  }
}

TEST(LoadSettings, FailedFirstRunWriteThrows) {
  TForm15 form;
  testing::FakeSettingsStore store;
  store.values = {{"Languages", "1"}};
  store.failWrites = true;
  EXPECT_THROW(loadSettings(form, store), std::runtime_error);
  EXPECT_EQ(form.comboIndex, 1);  // read before the write failed
}

struct PickCase {
  int index;
  const char* stored;
  const char* closeCaption;
};

TEST(LanguagePick, SwitchesTextsThenStoresTheIndex) {
  const PickCase cases[] = {{1, "1", "Close"}, {0, "0", "Закрыть"}, {-1, "-1", "Close"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    TForm15 form;
    testing::FakeSettingsStore store;
    store.values = {{"Site_Url", "kept"}};
    pickLanguage(form, c.index, store);
    EXPECT_EQ(form.comboIndex, c.index);
    EXPECT_EQ(form["Button2"].text, c.closeCaption);
    EXPECT_EQ(store.values.at("Languages"), c.stored);
    EXPECT_EQ(store.values.at("Site_Url"), "kept");
  }
}

TEST(LanguagePick, FailedStoreKeepsTheSwitchedTexts) {
  TForm15 form;
  testing::FakeSettingsStore store;
  store.failWrites = true;
  EXPECT_THROW(pickLanguage(form, 1, store), std::runtime_error);
  EXPECT_EQ(form["Button2"].text, "Close");
}

}  // namespace
}  // namespace wexmora
