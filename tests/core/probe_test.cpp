// The first stage of the pass: brand string, family/model/stepping, the data
// fields emptied, the base clock from the brand string.
#include "core/identify/probe.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace wexmora {
namespace {

struct ProbeCase {
  const char* name;
  std::string brand, identifier;
  std::string family, model, stepping, baseClock, clockCaption;
};

// clang-format off
const ProbeCase kCases[] = {
  // name                 brand                                        identifier                                   family model stepping baseClock    clockCaption
  {"desktop",             "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz",   "Intel64 Family 6 Model 158 Stepping 10",    "6",  "158", "10", "2.80 GHz",  "2.80 GHz"},
  {"old identifier",      "Intel(R) Pentium(R) 4 CPU 3.00GHz",         "x86 Family 15 Model 4 Stepping 1",          "15", "4",   "1",  "3.00 GHz",  "3.00 GHz"},
  {"no model word",       "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz",   "Intel64 Family 6 Stepping 10",              "6",  "",    "10", "2.80 GHz",  "2.80 GHz"},
  {"one-decimal clock",   "Some CPU @ 3.2GHz",                         "AMD64 Family 25 Model 17 Stepping 1",       "25", "17",  "1",  " 3.2 GHz",  " 3.2 GHz"},
  {"GHz at the start",    "GHz12345678",                               "",                                          "",   "",    "",   "GHz1 GHz",  "GHz1 GHz"},
  {"no clock",            "12th Gen Intel(R) Core(TM) i5-12600KF",     "Intel64 Family 6 Model 151 Stepping 5",     "6",  "151", "5",  "",          " Info"},
  {"exactly 10 chars",    "1234@ 2GHz",                                "",                                          "",   "",    "",   "",          " Info"},
  {"11 chars",            "12345@ 2GHz",                               "",                                          "",   "",    "",   "5@ 2 GHz",  "5@ 2 GHz"},
  {"missing key",         "???",                                       "???",                                       "",   "",    "",   "",          " Info"},
  {"4-char identifier",   "AMD Ryzen 5 3600 6-Core Processor",         "Fami",                                      "",   "",    "",   "",          " Info"},
  {"5-char identifier",   "AMD Ryzen 5 3600 6-Core Processor",         "Model",                                     "",   "",    "",   "",          " Info"},
};
// clang-format on

TEST(Probe, FillsBrandFamilyModelSteppingAndBaseClock) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    TForm15 form;
    platform::FixedProcessorSource source(c.brand, c.identifier);
    readProcessorIdentity(form, source);
    EXPECT_EQ(form["Edit1"].text, c.brand);
    EXPECT_EQ(form["Edit2"].text, c.family);
    EXPECT_EQ(form["Edit3"].text, c.model);
    EXPECT_EQ(form["Edit4"].text, c.stepping);
    EXPECT_EQ(form["Edit5"].text, c.baseClock);
    EXPECT_EQ(form["Label14"].text, c.clockCaption);
  }
}

TEST(Probe, KeepsLeadingBlanksOfTheBrandStringAndCountsThem) {
  TForm15 form;
  platform::FixedProcessorSource source("   x@ 1GHz", "");  // 10 characters with the blanks
  readProcessorIdentity(form, source);
  EXPECT_EQ(form["Edit1"].text, "   x@ 1GHz");
  EXPECT_EQ(form["Edit5"].text, "");
  platform::FixedProcessorSource longer("    x@ 1GHz", "");
  readProcessorIdentity(form, longer);
  EXPECT_EQ(form["Edit5"].text, "x@ 1 GHz");
}

TEST(Probe, EmptiesEveryDataFieldAndBothPictures) {
  TForm15 form;
  for (const char* name : {"Edit11", "Edit7", "Edit5", "Edit6", "Edit8", "Edit9", "Edit16", "Edit15", "Edit12",
                           "Edit18", "Edit19", "Edit14", "Edit13", "Edit10", "Edit17", "Memo2"})
    form[name].text = "stale";
  form["Image1"].picture = {PictureSource::Badges, 3};
  form["Image4"].picture = {PictureSource::Qr, 3};
  platform::FixedProcessorSource source("AMD Ryzen 5 3600 6-Core Processor", "AMD64 Family 23 Model 113 Stepping 0");
  readProcessorIdentity(form, source);
  for (const char* name : {"Edit11", "Edit7", "Edit5", "Edit6", "Edit8", "Edit9", "Edit16", "Edit15", "Edit12",
                           "Edit18", "Edit19", "Edit14", "Edit13", "Edit10", "Edit17", "Memo2"})
    EXPECT_EQ(form[name].text, "") << name;
  EXPECT_TRUE(form["Image1"].picture.empty());
  EXPECT_TRUE(form["Image4"].picture.empty());
  EXPECT_EQ(form["Label15"].text, "Soket");  // captions are not emptied
}

TEST(Probe, EmptyIdentifierLeavesTheFamilyFieldsEmpty) {
  TForm15 form;
  platform::FixedProcessorSource source("", "");
  readProcessorIdentity(form, source);
  EXPECT_EQ(form["Edit1"].text, "");
  EXPECT_EQ(form["Edit2"].text + form["Edit3"].text + form["Edit4"].text, "");
}

// The probe hands the identifier's numbers and the brand string's maker on
// as facts, so that no later stage parses Edit2 to Edit4 back.
TEST(Probe, KeepsTheIdentifiersNumbersAndTheMakerAsFacts) {
  using platform::Vendor;
  constexpr std::optional<int> none;
  const struct {
    const char* brand;
    const char* identifier;
    std::optional<int> family, model, stepping;
    Vendor vendor;
  } cases[] = {
      {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)", "Intel64 Family 6 Model 158 Stepping 10", 6, 158, 10,
       Vendor::Intel},
      {"AMD Ryzen 5 3600 6-Core Processor", "AMD64 Family 23 Model 113 Stepping 0", 23, 113, 0, Vendor::Amd},
      {R"(AMD Athlon(tm) 64 X2 Dual Core Processor 4200+)", "AMD64 Family 15 Model 43 Stepping 1", 15, 43, 1,
       Vendor::Amd},
      {"Intel(R) Pentium(R) 4 CPU 3.00GHz", "x86 Family 15 Model 4", 15, 4, none, Vendor::Intel},
      {"QEMU Virtual CPU version 2.5+", "Intel64 Family 6 Stepping 3", 6, none, 3, Vendor::Intel},
      {"QEMU Virtual CPU version 2.5+", "Intel64 Family six Model 0x9E Stepping 3", none, none, 3, Vendor::Intel},
      {"AMD Ryzen 5 3600 6-Core Processor", "", none, none, none, Vendor::Amd},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.brand) + " / " + c.identifier);
    TForm15 form;
    platform::FixedProcessorSource source(c.brand, c.identifier);
    readProcessorIdentity(form, source);
    EXPECT_EQ(form.facts.family, c.family);
    EXPECT_EQ(form.facts.model, c.model);
    EXPECT_EQ(form.facts.stepping, c.stepping);
    EXPECT_EQ(form.facts.vendor, c.vendor);
    EXPECT_EQ(form.facts.familyModel().has_value(), c.family && c.model);
  }
}

// A second pass on the same window learns its facts afresh.
TEST(Probe, StartsThePassesFactsAfresh) {
  TForm15 form;
  form.facts.sheet.source = SheetSource::Catalogue;
  form.facts.modelNumberRead = true;
  form.facts.sheet.technologies = {"SSE"};
  form.facts.keyBeforeModelNumber = "i5-4570T";
  platform::FixedProcessorSource source("AMD Ryzen 5 3600 6-Core Processor", "AMD64 Family 23 Model 113 Stepping 0");
  readProcessorIdentity(form, source);
  EXPECT_EQ(form.facts.sheet.source, SheetSource::None);
  EXPECT_FALSE(form.facts.modelNumberRead);
  EXPECT_TRUE(form.facts.sheet.technologies.empty());
  EXPECT_FALSE(form.facts.keyBeforeModelNumber);
}

}  // namespace
}  // namespace wexmora
