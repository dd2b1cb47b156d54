// The catalogue lookup on small hand-made key and record lists: exact keys,
// first-use decoding with its waits, and the split of the record's fields.
#include "core/catalogue/lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data/record_list.h"
#include "core/model/pass_trace.h"
#include "support/fakes.h"

namespace wexmora {
namespace {

const std::string kE5405 =
    "E5405|Intel Xeon|-|4|-|LGA771|Server|Harpertown|67\xb0"
    "C|45 nm|DDR2 667/800 MHz DDR3 1066 MHz|-|12 Mb|-|"
    "SSE, SSE2, SSE3, SSSE3, SSE4.1, MMX, EM64T, VT-X|";
const std::string kI5_12400 =
    "i5-12400|Intel Core i5|4.40 GHz|6|12|LGA1700|Desktop|Alder Lake|100\xb0"
    "C|10 nm|DDR4-3200 MHz, DDR5-4800 MHz|"
    "Intel UHD Graphics 730|18 Mb|4.0, 5.0|AVX2, SHA|@2.50 GHz";

// A form with the given model key, together with the catalogue of the given
// keys and stored records that it is looked up in.
struct FormAndLists : TForm15 {
  catalogue::Lists lists;
};
FormAndLists formWith(std::vector<std::string> keys, std::vector<std::string> records, const std::string& modelKey) {
  FormAndLists form;
  form.lists = catalogue::Lists(std::move(keys), catalogue::RecordList(std::move(records)));
  form["Edit7"].text = modelKey;
  form["Edit5"].text = "2.00 GHz";
  form["Label14"].text = "2.00 GHz";
  return form;
}

// The record as the data sheet receives it: the degree byte as UTF-8.
std::string utf8(const std::string& record) {
  std::string converted;
  for (const char c : record) converted += c == '\xb0' ? std::string("°") : std::string(1, c);
  return converted;
}

std::string recordFor(const std::string& key) {
  return key + "|Intel Core i5|-|4|4|LGA1155|Desktop|x|1|2|3|-|4|2.0|SSE|";
}

struct MatchCase {
  const char* modelKey;
  int matchedIndex;  // -1: nothing
};

TEST(Lookup, MatchesWholeKeysOnlyAndCaseSensitively) {
  const std::vector<std::string> keys = {"E3-1220", "E3-1220L", "E3-1220 V2", "i5-750", "i5-750S", "Q8200S", "Q8200"};
  const MatchCase cases[] = {
      {"E3-1220", 0}, {"E3-1220L", 1}, {"E3-1220 V2", 2}, {"i5-750", 3}, {"i5-750S", 4},     {"Q8200", 6},
      {"Q820", -1},   {"I5-750", -1},  {"i5-750 ", -1},   {"", -1},      {"E3-1220 v2", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.modelKey);
    std::vector<std::string> records;
    for (const auto& key : keys) records.push_back(recordFor(key));
    FormAndLists form = formWith(keys, records, c.modelKey);
    testing::RecordingSleeper sleeper;
    lookUpCatalogue(form, form.lists, sleeper);
    if (c.matchedIndex < 0) {
      EXPECT_TRUE(form["Image4"].picture.empty());
      EXPECT_EQ(form["Edit18"].text, "");
      EXPECT_EQ(form["Label15"].text, "Soket");
      EXPECT_TRUE(sleeper.waits.empty());
    } else {
      EXPECT_EQ(form["Image4"].picture, (Picture{PictureSource::Qr, c.matchedIndex}));
      EXPECT_EQ(form["Edit18"].text, "Intel Core i5");
      EXPECT_EQ(sleeper.waits, (std::vector<int>{10, 10}));  // these records were plain
    }
  }
}

TEST(Lookup, PlacesTheQrImage) {
  FormAndLists form = formWith({"A1", "i5-8400"}, {recordFor("A1"), recordFor("i5-8400")}, "i5-8400");
  testing::RecordingSleeper sleeper;
  lookUpCatalogue(form, form.lists, sleeper);
  const Control& qr = form["Image4"];
  EXPECT_EQ(qr.picture, (Picture{PictureSource::Qr, 1}));
  EXPECT_EQ((std::vector<int>{qr.left, qr.top, qr.width, qr.height}), (std::vector<int>{203, 3, 128, 128}));
}

TEST(Lookup, DecodesOnFirstUseOnlyWithItsWaits) {
  const std::string encoded = catalogue::encodeBase64(kE5405);
  ASSERT_EQ(catalogue::decodeBase64(encoded), kE5405) << "the base64 coder reads back what it wrote";
  FormAndLists form = formWith({"E5405", "E5410"}, {encoded, "RTU0MTA="}, "E5405");
  testing::RecordingSleeper sleeper;
  lookUpCatalogue(form, form.lists, sleeper);
  EXPECT_EQ(sleeper.waits, (std::vector<int>{10}));
  EXPECT_EQ(form.lists.ListBox2.stored(0), kE5405);      // plain CP1251 bytes kept in the list
  EXPECT_EQ(form.lists.ListBox2.stored(1), "RTU0MTA=");  // other records stay encoded

  sleeper.waits.clear();
  lookUpCatalogue(form, form.lists, sleeper);  // plain now: not decoded again
  EXPECT_EQ(sleeper.waits, (std::vector<int>{10, 10}));
  EXPECT_EQ(form.lists.ListBox2.stored(0), kE5405);
}

struct SheetCase {
  const char* name;
  std::string record;
  std::vector<std::pair<const char*, std::string>> expected;
};

TEST(Lookup, DistributesTheFields) {
  const SheetCase cases[] = {
      {"record ending with |",
       kE5405,
       {{"Edit18", "Intel Xeon"},
        {"Edit6", "-"},
        {"Edit8", "4"},
        {"Edit9", "-"},
        {"Edit11", "LGA771"},
        {"Label15", "LGA771"},
        {"Edit15", "Server"},
        {"Edit12", "Harpertown"},
        {"Edit10", "67°C"},
        {"Edit13", "45 nm"},
        {"Edit14", "DDR2 667/800 MHz DDR3 1066 MHz"},
        {"Edit19", "-"},
        {"Edit17", "12 Mb"},
        {"Edit16", "-"},
        {"Memo2", "SSE, SSE2, SSE3, SSSE3, SSE4.1, MMX, EM64T, VT-X"},
        {"Edit5", "2.00 GHz"},
        {"Label14", "2.00 GHz"}}},
      {"four-character base frequency",
       kI5_12400,
       {{"Edit18", "Intel Core i5"},
        {"Edit6", "4.40 GHz"},
        {"Edit11", "LGA1700"},
        {"Label15", "LGA1700"},
        {"Edit19", "Intel UHD Graphics 730"},
        {"Edit16", "4.0, 5.0"},
        {"Memo2", "AVX2, SHA"},
        {"Edit5", "2.50 GHz"},
        {"Label14", "2.50 GHz"}}},
      {"three-character base frequency",
       "k|Intel Core i3|-|2|4|LGA1700|Desktop|c|1|2|3|4|5|6|SSE, SHA|@3.3 GHz",
       {{"Memo2", "SSE, SHA"}, {"Edit5", "3.3 GHz"}, {"Label14", "3.3 GHz"}, {"Edit16", "6"}}},
      {"too few separators",
       "k|Intel Core i3|-|2|LGA1155",
       {{"Edit18", "Intel Core i3"},
        {"Edit6", "-"},
        {"Edit8", "2"},
        {"Edit9", ""},
        {"Edit11", ""},
        {"Label15", ""},
        {"Edit16", ""},
        {"Memo2", "LGA115"},
        {"Edit5", "2.00 GHz"}}},
      {"field 15 without its separator loses its last character",
       "k|a|b|c|d|e|f|g|h|i|j|l|m|n|SSE, MMX",
       {{"Edit16", "n"}, {"Memo2", "SSE, MM"}}},
      {"degree sign as the last character is dropped whole", "k|a|b|c|d|e|f|g|h|i|j|l|m|n|o|\xb0", {{"Memo2", "o|"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FormAndLists form = formWith({"k"}, {}, "k");
    distributeRecord(form, utf8(c.record));
    for (const auto& [control, text] : c.expected) EXPECT_EQ(form[control].text, text) << control;
  }
}

TEST(Lookup, DegreeSignComesOutAsUtf8) {
  FormAndLists form = formWith({"E5405"}, {kE5405}, "E5405");
  testing::RecordingSleeper sleeper;
  lookUpCatalogue(form, form.lists, sleeper);
  EXPECT_EQ(form["Edit10"].text, "67°C");
}

TEST(Lookup, ReadsTheModelKeyAfreshAndTestsEveryEntry) {
  // Two entries with the same key: both are applied in order, the later one
  // overwrites, and the earlier base frequency stays when the later has none.
  FormAndLists form = formWith({"k", "k"}, {kI5_12400, kE5405}, "k");
  testing::RecordingSleeper sleeper;
  lookUpCatalogue(form, form.lists, sleeper);
  EXPECT_EQ(form["Image4"].picture, (Picture{PictureSource::Qr, 1}));
  EXPECT_EQ(form["Edit18"].text, "Intel Xeon");
  EXPECT_EQ(form["Edit5"].text, "2.50 GHz");
  EXPECT_EQ(sleeper.waits.size(), 4u);
}

TEST(Lookup, AppliesEveryEntryOfTheKeyInListOrderAndNoKeyWithoutARecord) {
  struct Case {
    const char* name;
    std::vector<std::string> keys;
    std::vector<std::string> records;
    std::vector<std::size_t> applied;  // the entries applied, in order
  };
  const Case cases[] = {
      {"apart", {"k", "x", "k", "y"}, {kI5_12400, recordFor("x"), kE5405, recordFor("y")}, {0, 2}},
      {"after its record list ends", {"k", "x", "k"}, {kI5_12400, recordFor("x")}, {0}},
      {"none", {"x", "y"}, {recordFor("x"), recordFor("y")}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormAndLists form = formWith(c.keys, c.records, "k");
    PassTrace trace;
    form.trace = &trace;
    testing::RecordingSleeper sleeper;
    lookUpCatalogue(form, form.lists, sleeper);
    std::vector<std::size_t> applied;
    for (const auto& match : trace.matches) applied.push_back(match.index);
    EXPECT_EQ(applied, c.applied);
    EXPECT_EQ(sleeper.waits.size(), 2 * c.applied.size());
  }
}

}  // namespace
}  // namespace wexmora
