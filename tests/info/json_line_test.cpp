// --brands --json writes each data sheet as text without building a JSON
// value: its bytes must be the ones the value's dump() gives, for every
// sheet the pass fills and for any text a field may hold.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/info/report.h"
#include "core/data/lists.h"
#include "core/model/control_names.h"
#include "core/pass/pass.h"
#include "core/pass/settings.h"
#include "platform/processor_source.h"
#include "platform/sleeper.h"
#include "support/fakes.h"

namespace wexmora::info {
namespace {

using namespace std::string_literals;

std::string dumped(const TForm15& form, bool withSource) {
  return dataSheetJson(form, withSource).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

TForm15 identified(const std::string& brand, const std::string& identifier, const char* language) {
  platform::FixedProcessorSource processor(brand, identifier);
  testing::FakeSettingsStore settings;
  settings.values[kLanguagesSetting] = language;
  platform::SkippingSleeper noWaits;
  catalogue::Lists lists;
  PassServices services{processor, settings, noWaits, lists};
  services.second = {.consult = true};
  TForm15 form;
  startprog2test(form, services);
  return form;
}

TEST(JsonLine, EverySheetOfThePassIsWrittenAsItsValueDumps) {
  struct Case {
    const char* brand;
    const char* identifier;
  };
  // A catalogue processor, sheets of the extended table (a hybrid with its
  // core types among them), one from the brand string alone, none at all.
  const Case cases[] = {
      {"Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz", "Intel64 Family 6 Model 158 Stepping 10"},
      {"Intel(R) Core(TM) Ultra 7 155H", "Intel64 Family 6 Model 170 Stepping 4"},
      {"13th Gen Intel(R) Core(TM) i7-13700K", "Intel64 Family 6 Model 183 Stepping 1"},
      {"AMD Ryzen 7 9700X 8-Core Processor", "AMD64 Family 26 Model 68 Stepping 0"},
      {"AMD Ryzen 9 3900X 12-Core Processor", "AMD64 Family 23 Model 113 Stepping 0"},
      {"Intel(R) Pentium(R) 4 CPU 3.00GHz", "x86 Family 15 Model 4 Stepping 1"},
      {"Intel(R) Core(TM) i9-99999X CPU @ 9.99GHz", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    for (const char* language : {"0", "1"}) {
      SCOPED_TRACE(std::string(c.brand) + " / language " + language);
      const TForm15 form = identified(c.brand, c.identifier, language);
      for (const bool withSource : {false, true})
        EXPECT_EQ(dataSheetJsonLine(form, withSource), dumped(form, withSource));
    }
  }
}

TEST(JsonLine, AnyTextOfAFieldIsEscapedAsTheValueDumpsIt) {
  const std::string cases[] = {
      "plain",
      "",
      "quote \" and backslash \\",
      "tab\tnew line\ncarriage return\rbackspace\bform feed\f",
      "nul \0 and unit separator \x1f"s,
      "delete \x7f stays",
      "Настольного, 100°C",
      "malformed \xc3 sequence",
      "overlong \xc0\xaf and surrogate \xed\xa0\x80",
      "truncated at the end \xe2\x82",
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(text);
    TForm15 form;
    for (const char* field : {main_controls::kBrandString, main_controls::kModelKey, main_controls::kCodeName})
      form[field].text = text;
    form.facts.sheet.source = SheetSource::Extended;
    form.facts.sheet.technologies = {text, "HT"};
    form.frontUrl = text;
    for (const bool withSource : {false, true})
      EXPECT_EQ(dataSheetJsonLine(form, withSource), dumped(form, withSource));
  }
}

}  // namespace
}  // namespace wexmora::info
