// The catalogue's invariants over all 578 entries: keys and records in step,
// the stored form, the documented records byte for byte, the value sets and
// counts of the fields, and the record list's codecs.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/data/key_list.h"
#include "core/data/record_list.h"

namespace wexmora::catalogue {
namespace {

// A record split at every "|" (16 pieces; the last is field 16 or empty).
std::vector<std::string> split(const std::string& record) {
  std::vector<std::string> pieces(1);
  for (const char c : record) {
    if (c == '|') {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  return pieces;
}

// All records, decoded to UTF-8 once for the whole suite.
const std::vector<std::string>& records() {
  static const std::vector<std::string> all = [] {
    const RecordList list;
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.count(); ++i) out.push_back(cp1251ToUtf8(decodeBase64(list.stored(i))));
    return out;
  }();
  return all;
}

std::string field(std::size_t index, int number) { return split(records().at(index)).at(number - 1); }

std::size_t indexOfKey(std::string_view key) {
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    if (keyAt(i) == key) return i;
  }
  return kEntryCount;
}

TEST(CatalogueTest, RecordListHasOneRecordPerKeyAndFieldOneIsTheKey) {
  ASSERT_EQ(RecordList().count(), kEntryCount);
  ASSERT_EQ(records().size(), kEntryCount);
  for (std::size_t i = 0; i < kEntryCount; ++i) EXPECT_EQ(field(i, 1), keyAt(i)) << "index " << i;
}

TEST(CatalogueTest, KeysAreUnique) {
  std::set<std::string_view> keys;
  for (std::size_t i = 0; i < kEntryCount; ++i) EXPECT_TRUE(keys.insert(keyAt(i)).second) << keyAt(i);
}

// The key list is generated from the record file; these two tests hold it
// to the catalogue's documented shapes and block order on their own.
TEST(CatalogueTest, EveryKeyHasExactlyOneOfTheDocumentedShapes) {
  const struct {
    const char* shape;
    std::regex pattern;
    int entries;
  } shapes[] = {
      {"Xeon 5400", std::regex("[ELX]54\\d\\d"), 18},
      {"Core 2 Extreme and Quad", std::regex("QX?\\d{4}S?"), 23},
      {"Xeon 3000", std::regex("[LX]3\\d{3}"), 18},
      {"Core", std::regex("i[3579]-\\d{3,5}(K|S|T|P|E|F|TE|KF|KS)?"), 305},
      {"Celeron and Pentium", std::regex("G\\d{3,4}(T|E|TE)?"), 105},
      {"Xeon E3", std::regex("E3-12\\d\\dL?( V[2356])?"), 68},
      {"Xeon E", std::regex("E-2\\d{3}G?"), 30},
      {"Xeon W", std::regex("W-1\\d{3}P?"), 11},
  };
  std::map<std::string, int> counts;
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    const std::string key(keyAt(i));
    int matching = 0;
    for (const auto& s : shapes) {
      if (!std::regex_match(key, s.pattern)) continue;
      ++matching;
      ++counts[s.shape];
    }
    EXPECT_EQ(matching, 1) << "index " << i << ": " << key;
  }
  for (const auto& s : shapes) EXPECT_EQ(counts[s.shape], s.entries) << s.shape;
}

TEST(CatalogueTest, BlocksStartWhereTheOrderTableSays) {
  const struct {
    std::size_t index;
    std::string_view key;
  } starts[] = {
      {0, "E5405"},      {18, "QX6700"}, {51, "i3-530"},    {81, "G440"},       {142, "i3-3210"},
      {182, "G1820"},    {277, "G3900"}, {315, "G3930"},    {349, "G4900"},     {431, "G5900"},
      {488, "i5-11400"}, {520, "G6900"}, {549, "i3-13100"}, {572, "i5-14600K"}, {577, "i9-14900KF"},
  };
  for (const auto& s : starts) EXPECT_EQ(keyAt(s.index), s.key) << "index " << s.index;
  EXPECT_THROW(keyAt(kEntryCount), std::out_of_range);
}

TEST(CatalogueTest, ShorterKeysAreEntriesOfTheirOwn) {
  const struct {
    std::string_view key;
    std::size_t index;
  } cases[] = {
      {"Q8200", 26},    {"Q8200S", 27},    {"i5-650", 55},      {"i5-6500", 290},
      {"E3-1220", 130}, {"E3-1220L", 131}, {"E3-1220 V2", 171}, {"E3-1220L V2", 172},
      {"i5-750", 61},   {"i5-750S", 62},   {"E3-1230 V2", 174}, {"i9-14900KF", 577},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(indexOfKey(c.key), c.index) << c.key;
    EXPECT_EQ(field(c.index, 1), c.key);
  }
}

// The six records the program's documentation quotes, with the degree sign as
// its CP1251 byte 0xB0.
const struct TellingRecord {
  std::size_t index;
  std::string cp1251;
} kTellingRecords[] = {
    {0,
     "E5405|Intel Xeon|-|4|-|LGA771|Server|Harpertown|67\xB0"
     "C|45 nm|DDR2 667/800 MHz DDR3 1066 MHz|-|12 Mb|-|SSE, SSE2, SSE3, SSSE3, SSE4.1, MMX, EM64T, VT-X|"},
    {51,
     "i3-530|Intel Core i3|-|2|4|LGA1156|Desktop|Clarkdale|72\xB0"
     "C|32 nm|DDR3 1066/1333 MHz|Intel HD Graphics|4 Mb|2.0|FDI, CV-HD, HT, SSE, SSE2, SSE3, SSSE3, MMX, EM64T|"},
    {174,
     "E3-1230 V2|Intel Xeon|3.70 GHz|4|8|LGA1155|Server|Ivy Bridge|65\xB0"
     "C|22 nm|DDR3 1333/1600 MHz|-|8 Mb|3.0|EPT, VT-D, TXT, HT, AES, SSE, SSE2, SSE3, SSSE3, SSE4.1, SSE4.2, MMX, "
     "EM64T, VT-X|"},
    {411,
     "i9-9900K|Intel Core i9|5.00 GHz|8|16|LGA1151 V2|Desktop|Coffee Lake|100\xB0"
     "C|14 nm|DDR4-2666 MHz|Intel UHD Graphics 630|16 Mb|3.0|AVX2, InTru 3D, EPT, VT-D, TSX-NI, TXT, TMT, CV-HD, QSV, "
     "SK, TSE, OMS, HT, SSE, SSE2, SSE3, SSSE3, SSE4.1, SSE4.2, MMX, EM64T, AES, VT-x|"},
    {520,
     "G6900|Intel Celeron|3.40 GHz|2|2|LGA1700|Desktop|Alder Lake|100\xB0"
     "C|10 nm|DDR4-3200 MHz, DDR5-4800 MHz|Intel UHD Graphics 710|4 Mb|4.0, 5.0|AVX2, EPT, VT-D, TMT, CV-HD, QSV, SK, "
     "OMS, SSE, SSE2, SSE3, SSSE3, SSE4.1, SSE4.2, MMX, EM64T, AES, AVX, FMA3, SHA|"},
    {527,
     "i5-12400|Intel Core i5|4.40 GHz|6|12|LGA1700|Desktop|Alder Lake|100\xB0"
     "C|10 nm|DDR4-3200 MHz, DDR5-4800 MHz|Intel UHD Graphics 730|18 Mb|4.0, 5.0|AVX2, EPT, VT-D, TMT, CV-HD, QSV, SK, "
     "OMS, TDT, ISM, HT, SSE, SSE2, SSE3, SSSE3, SSE4.1, SSE4.2, MMX, EM64T, AES, AVX, FMA3, SHA|@2.50 GHz"},
};

TEST(CatalogueTest, TellingRecordsDecodeByteForByte) {
  const RecordList list;
  for (const auto& t : kTellingRecords) {
    const std::string bytes = decodeBase64(list.stored(t.index));
    EXPECT_EQ(bytes, t.cp1251) << "index " << t.index;
    std::string utf8 = t.cp1251;
    utf8.replace(utf8.find('\xB0'), 1, "\xC2\xB0");
    EXPECT_EQ(cp1251ToUtf8(bytes), utf8) << "index " << t.index;
    EXPECT_EQ(encodeBase64(t.cp1251), list.stored(t.index)) << "index " << t.index;
  }
}

TEST(CatalogueTest, FirstItemIsStoredAsDocumented) {
  EXPECT_EQ(
      RecordList().stored(0),
      "RTU0MDV8SW50ZWwgWGVvbnwtfDR8LXxMR0E3NzF8U2VydmVyfEhhcnBlcnRvd258NjewQ3w0NSBubXxERFIyIDY2Ny84MDAgTUh6IEREUjMg"
      "MTA2NiBNSHp8LXwxMiBNYnwtfFNTRSwgU1NFMiwgU1NFMywgU1NTRTMsIFNTRTQuMSwgTU1YLCBFTTY0VCwgVlQtWHw=");
}

TEST(CatalogueTest, EveryItemIsBase64WithoutIntelAndDecodesToARecordOfSixteenPieces) {
  const RecordList list;
  const std::regex base64("[A-Za-z0-9+/]+={0,2}");
  std::map<std::size_t, int> padding;
  for (std::size_t i = 0; i < list.count(); ++i) {
    const std::string& item = list.stored(i);
    EXPECT_TRUE(std::regex_match(item, base64)) << "index " << i;
    EXPECT_EQ(item.size() % 4, 0u) << "index " << i;
    EXPECT_EQ(item.find("Intel"), std::string::npos) << "index " << i;
    EXPECT_NE(records()[i].find("Intel"), std::string::npos) << "index " << i;
    EXPECT_EQ(split(records()[i]).size(), 16u) << "index " << i;
    EXPECT_EQ(records()[i].find_first_of("\t\r\n"), std::string::npos) << "index " << i;
    ++padding[item.size() - item.find_last_not_of('=') - 1];
  }
  // Follows from the record lengths (mod 3) of the derived records.
  EXPECT_EQ(padding, (std::map<std::size_t, int>{{0, 164}, {1, 211}, {2, 203}}));
}

TEST(CatalogueTest, BaseClockFieldEndsExactlyTheRecordsFrom522) {
  const std::regex form("@\\d\\.\\d\\d GHz");
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    const std::string last = field(i, 16);
    if (i >= 522) {
      EXPECT_TRUE(std::regex_match(last, form)) << "index " << i << ": " << last;
    } else {
      EXPECT_EQ(last, "") << "index " << i;
    }
  }
}

std::map<std::string, int> countsOf(int number) {
  std::map<std::string, int> counts;
  for (std::size_t i = 0; i < kEntryCount; ++i) ++counts[field(i, number)];
  return counts;
}

TEST(CatalogueTest, ValueCountsFollowTheFacts) {
  const struct {
    int field;
    std::map<std::string, int> counts;
  } cases[] = {
      {2,
       {{"Intel Xeon", 145},
        {"Intel Core i5", 131},
        {"Intel Core i3", 80},
        {"Intel Core i7", 63},
        {"Intel Pentium", 45},
        {"Intel Celeron", 39},
        {"Intel Core i9", 31},
        {"Intel Pentium Gold", 21},
        {"Intel Core2 Quad", 17},
        {"Intel Core2 Extreme", 6}}},
      // QX9775 is the one Core 2 Extreme for LGA771.
      {6,
       {{"LGA771", 19},
        {"LGA775", 32},
        {"LGA1156", 30},
        {"LGA1155", 101},
        {"LGA1150", 95},
        {"LGA1151", 72},
        {"LGA1151 V2", 82},
        {"LGA1200", 89},
        {"LGA1700", 58}}},
      {7, {{"Desktop", 428}, {"Server", 131}, {"Workstation", 11}, {"Embedded", 8}}},
      {8,
       {{"Harpertown", 18},
        {"Kentsfield", 8},
        {"Yorkfield", 25},
        {"Clarkdale", 14},
        {"Lynnfield", 16},
        {"Sandy Bridge", 61},
        {"Ivy Bridge", 40},
        {"Haswell", 95},
        {"Skylake", 38},
        {"Kaby Lake", 34},
        {"Coffee Lake", 82},
        {"Comet Lake", 57},
        {"Rocket Lake", 32},
        {"Alder Lake", 29},
        {"Raptor Lake", 23},
        {"RAPTOR LAKE", 6}}},
      {10, {{"65 nm", 8}, {"45 nm", 59}, {"32 nm", 75}, {"22 nm", 135}, {"14 nm", 243}, {"10 nm", 58}}},
      // Every LGA1700 entry supports both revisions.
      {14, {{"2.0", 99}, {"3.0", 338}, {"4.0", 32}, {"4.0, 5.0", 58}, {"-", 51}}},
  };
  for (const auto& c : cases) EXPECT_EQ(countsOf(c.field), c.counts) << "field " << c.field;
}

TEST(CatalogueTest, MissingValueMarkersFallWhereTheFactsAreMissing) {
  const struct {
    int field;
    int dashes;
  } cases[] = {{3, 207}, {5, 51}, {12, 178}, {14, 51}};
  for (const auto& c : cases) EXPECT_EQ(countsOf(c.field)["-"], c.dashes) << "field " << c.field;
  for (std::size_t i = 0; i <= 50; ++i) {
    for (const int number : {3, 5, 12, 14}) EXPECT_EQ(field(i, number), "-") << "index " << i << " field " << number;
  }
}

const std::set<std::string> kMemory = {"DDR2 667/800 MHz DDR3 1066 MHz",
                                       "DDR3 1066 MHz",
                                       "DDR3 800/1066/1333 MHz",
                                       "DDR3 1066/1333 MHz",
                                       "DDR3 1333/1600 MHz",
                                       "DDR3-1333 MHz",
                                       "DDR3-1333/1600 MHz",
                                       "DDR3-1333/1600, DDR3-1333/1600 MHz",
                                       "DDR3-1333/1600, DDR3L-1600 MHz",
                                       "DDR3-1333/1600, DDR4-1866/2133 MHz",
                                       "DDR3-1333/1600, DDR4-2133 MHz",
                                       "DDR3-1333/1600, DDR4-2133/2400 MHz",
                                       "DDR3-1333/1600, DDR4-2400 MHz",
                                       "DDR4-2400 MHz",
                                       "DDR4-2666 MHz",
                                       "DDR4-2933 MHz",
                                       "DDR4-3200 MHz",
                                       "DDR4-3200 MHz, DDR5-4800 MHz",
                                       "DDR4-3200 MHz, DDR5-5600 MHz"};
const std::set<std::string> kGraphics = {"-",
                                         "Intel HD Graphics",
                                         "Intel HD Graphics 2000",
                                         "Intel HD Graphics 2500",
                                         "Intel HD Graphics 3000",
                                         "Intel HD Graphics 4000",
                                         "Intel HD Graphics 4400",
                                         "Intel HD Graphics 4600",
                                         "Intel HD Graphics 510",
                                         "Intel HD Graphics 530",
                                         "Intel HD Graphics 610",
                                         "Intel HD Graphics 630",
                                         "Intel HD P530",
                                         "Intel HD P630",
                                         "Intel UHD Graphics 610",
                                         "Intel UHD Graphics 630",
                                         "Intel UHD Graphics P630",
                                         "Intel UHD Graphics 710",
                                         "Intel UHD Graphics 730",
                                         "Intel UHD Graphics 750",
                                         "Intel UHD Graphics P750",
                                         "Intel UHD Graphics 770"};
const std::set<std::string> kTokens = {"EM64T", "MMX",      "SSE",  "SSE2", "SSE3", "SSSE3",   "SSE4.1", "SSE4.2",
                                       "TMT",   "AES",      "EPT",  "VT-D", "SK",   "QSV",     "CV-HD",  "AVX2",
                                       "HT",    "InTru 3D", "TXT",  "OMS",  "VT-X", "FDI",     "TSE",    "TSX-NI",
                                       "VT-x",  "AVX",      "FMA3", "SHA",  "ISM",  "AVX-512", "TDT",    "O-SR"};

bool inSet(const std::set<std::string>& set, const std::string& value) { return set.count(value) > 0; }

TEST(CatalogueTest, EveryFieldIsInItsValueSet) {
  const std::regex clock("\\d\\.\\d\\d GHz");
  const std::regex count("1|2|4|6|8|10|12|14|16|20|24");
  const std::regex threads("1|2|4|6|8|12|16|20|24|28|32|-");
  const std::regex temperature(
      "(5[3-9]|[6-9]\\d|100)\xC2\xB0"
      "C");
  const std::regex cache("(1|1\\.5|2|3|4|6|8|9|12|16|18|20|24|25|30|33|36) Mb");
  const std::regex lithography("(65|45|32|22|14|10) nm");
  const std::regex socket("LGA(771|775|1156|1155|1150|1151|1151 V2|1200|1700)");
  const std::regex segment("Desktop|Server|Workstation|Embedded");
  const std::regex pcie("2\\.0|3\\.0|4\\.0|4\\.0, 5\\.0|-");
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    const std::vector<std::string> f = split(records()[i]);
    const std::string at = "index " + std::to_string(i) + " (" + f[0] + ")";
    EXPECT_EQ(f[1].rfind("Intel ", 0), 0u) << at;
    EXPECT_TRUE(f[2] == "-" || std::regex_match(f[2], clock)) << at << ": " << f[2];
    EXPECT_TRUE(std::regex_match(f[3], count)) << at << ": " << f[3];
    EXPECT_TRUE(std::regex_match(f[4], threads)) << at << ": " << f[4];
    EXPECT_TRUE(std::regex_match(f[5], socket)) << at << ": " << f[5];
    EXPECT_TRUE(std::regex_match(f[6], segment)) << at << ": " << f[6];
    const bool temperatureException = (f[0].rfind("E-23", 0) == 0 && f[8] ==
                                                                         "100 \xC2\xB0"
                                                                         "C") ||
                                      (f[0] == "G5400T" && f[8] ==
                                                               "100/88\xC2\xB0"
                                                               "C");
    EXPECT_TRUE(temperatureException || std::regex_match(f[8], temperature)) << at << ": " << f[8];
    EXPECT_TRUE(std::regex_match(f[9], lithography)) << at << ": " << f[9];
    EXPECT_TRUE(inSet(kMemory, f[10])) << at << ": " << f[10];
    EXPECT_TRUE(inSet(kGraphics, f[11])) << at << ": " << f[11];
    EXPECT_TRUE(std::regex_match(f[12], cache)) << at << ": " << f[12];
    EXPECT_TRUE(std::regex_match(f[13], pcie)) << at << ": " << f[13];
    std::set<std::string> seen;
    std::size_t start = 0;
    for (std::size_t end; start <= f[14].size(); start = end + 2) {
      end = std::min(f[14].find(", ", start), f[14].size());
      const std::string token = f[14].substr(start, end - start);
      EXPECT_TRUE(inSet(kTokens, token)) << at << ": token " << token;
      EXPECT_TRUE(seen.insert(token).second) << at << ": token twice " << token;
    }
    for (const char* base : {"SSE", "SSE2", "SSE3", "SSSE3", "MMX", "EM64T"})
      EXPECT_TRUE(seen.count(base)) << at << base;
    EXPECT_FALSE(seen.count("VT-X") && seen.count("VT-x")) << at;
  }
}

TEST(CatalogueTest, TheTemperatureExceptionsAreStoredAsWritten) {
  EXPECT_EQ(field(indexOfKey("G5400T"), 9),
            "100/88\xC2\xB0"
            "C");
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    if (keyAt(i).rfind("E-23", 0) == 0) {
      EXPECT_EQ(field(i, 9),
                "100 \xC2\xB0"
                "C")
          << keyAt(i);
    }
  }
}

TEST(Base64Test, DecodesPaddingVariantsAndSkipsForeignCharacters) {
  const struct {
    std::string_view encoded;
    std::string_view bytes;
  } cases[] = {
      {"", ""},
      {"TWFu", "Man"},
      {"TWE=", "Ma"},
      {"TWE", "Ma"},  // padding left off
      {"TQ==", "M"},
      {"TQ", "M"},
      {"TQ=", "M"},
      {"T", ""},  // a lone character holds no whole byte
      {"TW\r\nFu", "Man"},
      {"T!W@F#u$", "Man"},
      {" TWFu ", "Man"},
      {"TQ==TWFu", "M"},  // padding ends the data
      {"====", ""},
      {"!!!!", ""},
      {"\xFF\x80TWFu", "Man"},  // bytes above 127 are outside the alphabet too
      {"sA==", "\xB0"},
      {"Zm9vYmFy", "foobar"},
  };
  for (const auto& c : cases) EXPECT_EQ(decodeBase64(c.encoded), c.bytes) << "\"" << c.encoded << "\"";
}

TEST(Base64Test, EncodesTheStandardVectorsAndRoundTrips) {
  const struct {
    std::string_view bytes;
    std::string_view encoded;
  } cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
      {"\xFF\xFE\xFD", "//79"},
      {std::string_view("\0\0", 2), "AAA="},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(encodeBase64(c.bytes), c.encoded);
    EXPECT_EQ(decodeBase64(c.encoded), c.bytes);
  }
}

TEST(Cp1251Test, ConvertsBothWays) {
  const struct {
    std::string_view cp1251;
    std::string_view utf8;
  } cases[] = {
      {"67\xB0"
       "C",
       "67\xC2\xB0"
       "C"},
      {"\xCD\xE5\xE8\xE7\xE2\xE5\xF1\xF2\xED\xEE",
       "\xD0\x9D\xD0\xB5\xD0\xB8\xD0\xB7\xD0\xB2\xD0\xB5\xD1\x81\xD1\x82\xD0\xBD\xD0\xBE"},
      {"\xC0\xFF", "\xD0\x90\xD1\x8F"},  // first and last Cyrillic letters
      {"\xA8\xB8", "\xD0\x81\xD1\x91"},
      {"\xB9", "\xE2\x84\x96"},
      {"\x88", "\xE2\x82\xAC"},
      {"plain ASCII |-@", "plain ASCII |-@"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cp1251ToUtf8(c.cp1251), c.utf8);
    EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251);
  }
}

TEST(Cp1251Test, UnmappableOrBrokenUtf8BecomesAQuestionMark) {
  const struct {
    std::string_view utf8;
    std::string_view cp1251;
  } cases[] = {
      {"\xE4\xB8\xAD", "?"},  // a character CP1251 does not have
      {"a\xD0", "a?"},        // truncated sequence
      {"\x80x", "?x"},        // stray continuation byte
      {"\xD0x", "?x"},        // lead byte without its continuation
      {"\xEF\xBF\xBD", "?"},  // the replacement character itself
  };
  for (const auto& c : cases) EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251);
}

}  // namespace
}  // namespace wexmora::catalogue
