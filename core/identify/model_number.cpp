// The model-number reader.
//
// The brand string is first cut into words: blanks, "@" and "," end a word,
// the marks "(R)" and "(TM)" are dropped ("Core(TM)2" reads "Core2", while
// "Athlon(tm)X2" reads "Athlon" "X2", because a capital after a mark starts
// a word). Each row of kRules names the words that open a processor line
// ("Core", "Athlon 64 X2", "Ryzen # PRO", where "#" is one digit) and the form
// that reads the number after them, past filler words such as "CPU" or
// "Dual-Core". The first row whose opening words occur decides: when its form
// reads no number, the brand string gets no reading at all, so a line never
// falls through to a shorter, wrong one ("Athlon 64 X2" never to "Athlon 64").
// Lines whose brand strings carry no number ("Pentium(R) 4 CPU 3.00GHz",
// "Pentium(R) M processor 1.86GHz") have no row: a clock names no chip.
// A word written in capitals alone ("XEON", "PLATINUM") matches its lead word
// in any case: some makers' firmware writes the whole brand string so.
// A number that the product tables list under another name ("U7300" for the
// SU7300) is looked up in core/identify/number_aliases.h.
//
// readBrandLine reads the same words for what they say besides a number:
// the product line (Intel's and VIA's from kLineRules, AMD's from the rule
// that reads its number, as the extended table's tool names AMD's lines
// after the key), the clock and the core count.
#include "core/identify/model_number.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/identify/number_aliases.h"

namespace wexmora {
namespace {

struct Word {
  std::string text;  // without marks
  std::size_t begin = 0;
  std::size_t end = 0;
  bool capitals = true;  // no small letter in it
};

enum class NumberForm {
  Intel,           // Intel's processor number: lettered stands alone, digits follow the line; "v3" kept
  IntelXeon,       // as Intel, and "E31230" is "E3-1230", "E7- 4850" is "E7-4850"
  IntelCore2,      // as Intel, and a bare four-digit number is the desktop "E" model
  IntelFirstCore,  // "i5 CPU M 460": an optional letter word, then the digits
  Amd,             // AMD's number; "A10 PRO-7800B", "PRO A10-8770E" and Opteron's "HE" kept
};

// The words that open a line ("Core i#-*"), split when the tables are
// compiled: the reader tries some thirty leads on every brand string.
struct Lead {
  static constexpr std::size_t kMostWords = 4;                        // no lead has more
  constexpr Lead(const char* text) : Lead(std::string_view(text)) {}  // NOLINT: the tables write leads as text
  constexpr Lead(std::string_view text) : text(text) {
    for (std::size_t start = 0; start <= text.size() && count < kMostWords;) {
      std::size_t blank = text.find(' ', start);
      if (blank == std::string_view::npos) blank = text.size();
      words[count++] = text.substr(start, blank - start);
      start = blank + 1;
    }
  }
  operator std::string_view() const { return text; }

  std::string_view text;
  std::array<std::string_view, kMostWords> words{};
  std::size_t count = 0;
};

struct ModelNumberRule {
  std::string_view name;
  platform::Vendor vendor;
  Lead lead;  // words that open the line; "#" is one digit
  NumberForm form;
  std::string_view key;    // put before the number in the key; "#" is the lead's digit
  std::string_view shown;  // put before the number in the processor field; "#" as above
};

using enum NumberForm;
constexpr platform::Vendor kIntel = platform::Vendor::Intel;
constexpr platform::Vendor kAmd = platform::Vendor::Amd;

// clang-format off
// name                     vendor  lead                      form            key prefix                  shown prefix
constexpr std::array<ModelNumberRule, 59> kRules = {{
  {"intel-core-first",      kIntel, "Core i#",                IntelFirstCore, "i#-",                      "i#-"},
  {"intel-core-ultra",      kIntel, "Core Ultra #",           Intel,          "Core ",                    "U# "},
  {"intel-core-ultra-x",    kIntel, "Core Ultra X#",          Intel,          "Core ",                    "X# "},
  {"intel-core-tier",       kIntel, "Core #",                 Intel,          "Core ",                    "C# "},
  {"intel-core",            kIntel, "Core",                   Intel,          "Core ",                    ""},
  {"intel-core2",           kIntel, "Core2",                  IntelCore2,     "Core2 ",                   ""},
  {"intel-celeron-m",       kIntel, "Celeron M",              Intel,          "Celeron M ",               "M "},
  {"intel-celeron-d",       kIntel, "Celeron D",              Intel,          "Celeron D ",               "D "},
  {"intel-celeron",         kIntel, "Celeron",                Intel,          "Celeron ",                 ""},
  {"intel-pentium-gold",    kIntel, "Pentium Gold",           Intel,          "Pentium ",                 "Gold "},
  {"intel-pentium-silver",  kIntel, "Pentium Silver",         Intel,          "Pentium ",                 "Silver "},
  {"intel-pentium",         kIntel, "Pentium",                Intel,          "Pentium ",                 ""},
  {"intel-atom",            kIntel, "Atom",                   Intel,          "Atom ",                    ""},
  {"intel-xeon-gold",       kIntel, "Xeon Gold",              Intel,          "Xeon Gold ",               ""},
  {"intel-xeon-silver",     kIntel, "Xeon Silver",            Intel,          "Xeon Silver ",             ""},
  {"intel-xeon-platinum",   kIntel, "Xeon Platinum",          Intel,          "Xeon Platinum ",           ""},
  {"intel-xeon-bronze",     kIntel, "Xeon Bronze",            Intel,          "Xeon Bronze ",             ""},
  {"intel-xeon-phi",        kIntel, "Xeon Phi",               Intel,          "Xeon Phi ",                "Phi "},
  {"intel-xeon",            kIntel, "Xeon",                   IntelXeon,      "Xeon ",                    ""},
  {"intel-genuine",         kIntel, "Genuine Intel",          Intel,          "",                         ""},
  {"intel-processor",       kIntel, "Intel Processor",        Intel,          "Core ",                    ""},
  {"intel",                 kIntel, "Intel",                  Intel,          "",                         ""},
  {"amd-threadripper-pro",  kAmd,   "Ryzen Threadripper PRO", Amd,            "Ryzen Threadripper PRO ",  "TR "},
  {"amd-threadripper",      kAmd,   "Ryzen Threadripper",     Amd,            "Ryzen Threadripper ",      "TR "},
  {"amd-ryzen-embedded",    kAmd,   "Ryzen Embedded",         Amd,            "Ryzen Embedded ",          ""},
  {"amd-ryzen-ai-max-plus", kAmd,   "Ryzen AI Max+",          Amd,            "Ryzen AI Max+ ",           "Max+ "},
  {"amd-ryzen-ai-max",      kAmd,   "Ryzen AI Max",           Amd,            "Ryzen AI Max ",            "Max "},
  {"amd-ryzen-ai-hx",       kAmd,   "Ryzen AI # HX",          Amd,            "Ryzen AI # HX ",           "AI# HX "},
  {"amd-ryzen-ai-pro",      kAmd,   "Ryzen AI # PRO",         Amd,            "Ryzen AI # PRO ",          "AI # "},
  {"amd-ryzen-ai",          kAmd,   "Ryzen AI #",             Amd,            "Ryzen AI # ",              "AI # "},
  {"amd-ryzen-pro",         kAmd,   "Ryzen # PRO",            Amd,            "Ryzen # PRO ",             "R# "},
  {"amd-ryzen",             kAmd,   "Ryzen #",                Amd,            "Ryzen # ",                 "R# "},
  {"amd-epyc",              kAmd,   "EPYC",                   Amd,            "EPYC ",                    "EPYC "},
  {"amd-athlon-64-x2",      kAmd,   "Athlon 64 X2",           Amd,            "Athlon 64 X2 ",            "X2 "},
  {"amd-athlon-64",         kAmd,   "Athlon 64",              Amd,            "Athlon 64 ",               ""},
  {"amd-athlon-neo",        kAmd,   "Athlon Neo",             Amd,            "Athlon Neo ",              ""},
  {"amd-athlon-ii-xn",      kAmd,   "Athlon II X#",           Amd,            "Athlon II X# ",            "X# "},
  {"amd-athlon-ii-neo",     kAmd,   "Athlon II Neo",          Amd,            "Athlon II Neo ",           ""},
  {"amd-athlon-ii",         kAmd,   "Athlon II",              Amd,            "Athlon II ",               ""},
  {"amd-athlon-xn",         kAmd,   "Athlon X#",              Amd,            "Athlon X# ",               "X# "},
  {"amd-athlon-silver",     kAmd,   "Athlon Silver",          Amd,            "Athlon Silver ",           ""},
  {"amd-athlon-gold",       kAmd,   "Athlon Gold",            Amd,            "Athlon Gold ",             ""},
  {"amd-athlon-xp-m",       kAmd,   "Athlon XP-M",            Amd,            "Athlon XP-M ",             "XP-M "},
  {"amd-athlon-xp",         kAmd,   "Athlon XP",              Amd,            "Athlon XP ",               "XP "},
  {"amd-athlon",            kAmd,   "Athlon",                 Amd,            "Athlon ",                  ""},
  {"amd-phenom-ii-xn",      kAmd,   "Phenom II X#",           Amd,            "Phenom II X# ",            "X# "},
  {"amd-phenom-ii",         kAmd,   "Phenom II",              Amd,            "Phenom II ",               ""},
  {"amd-phenom-xn",         kAmd,   "Phenom X#",              Amd,            "Phenom X# ",               "X# "},
  {"amd-phenom",            kAmd,   "Phenom",                 Amd,            "Phenom ",                  ""},
  {"amd-turion-64-x2",      kAmd,   "Turion 64 X2",           Amd,            "Turion 64 X2 ",            ""},
  {"amd-turion-64",         kAmd,   "Turion 64",              Amd,            "Turion 64 ",               ""},
  {"amd-turion-ii-neo",     kAmd,   "Turion II Neo",          Amd,            "Turion II Neo ",           ""},
  {"amd-turion-ii",         kAmd,   "Turion II",              Amd,            "Turion II ",               ""},
  {"amd-turion-x2",         kAmd,   "Turion X2",              Amd,            "Turion X2 ",               ""},
  {"amd-turion",            kAmd,   "Turion",                 Amd,            "Turion ",                  ""},
  {"amd-sempron-xn",        kAmd,   "Sempron X#",             Amd,            "Sempron X# ",              "X# "},
  {"amd-sempron",           kAmd,   "Sempron",                Amd,            "Sempron ",                 ""},
  {"amd-opteron",           kAmd,   "Opteron",                Amd,            "Opteron ",                 ""},
  {"amd",                   kAmd,   "AMD",                    Amd,            "",                         ""},
}};
// clang-format on

// Words that stand between a line and its number, or around it, naming no other chip.
constexpr std::array<std::string_view, 21> kFillers = {
    "CPU",       "Processor", "processor",   "Dual-Core", "Dual",       "Core",     "DualCore",
    "Quad-Core", "Quad",      "Triple-Core", "Six-Core",  "Eight-Core", "Mobile",   "Technology",
    "Ultra",     "Duo",       "Solo",        "Extreme",   "Embedded",   "G-Series", "R-Series",
};

// One of the marks the maker writes after its names, at `at`: its length, else 0.
std::size_t markAt(std::string_view text, std::size_t at) {
  if (text[at] != '(') return 0;
  for (const std::string_view mark : {"(R)", "(r)", "(TM)", "(tm)"})
    if (text.substr(at, mark.size()) == mark) return mark.size();
  return 0;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLetter(char c) { return isUpper(c) || (c >= 'a' && c <= 'z'); }

std::vector<Word> words(std::string_view brand) {
  std::vector<Word> out;
  Word current;
  const auto finish = [&](std::size_t end) {
    if (!current.text.empty()) {
      current.end = end;
      out.push_back(std::move(current));
    }
    current = Word{};
  };
  std::size_t lastEnd = 0;
  for (std::size_t i = 0; i < brand.size();) {
    if (const std::size_t mark = markAt(brand, i)) {
      i += mark;
      if (i < brand.size() && isUpper(brand[i])) finish(lastEnd);
      continue;
    }
    const char c = brand[i];
    if (static_cast<unsigned char>(c) <= ' ' || c == '@' || c == ',') {
      finish(lastEnd);
      ++i;
      continue;
    }
    if (current.text.empty()) current.begin = i;
    current.text += c;
    if (c >= 'a' && c <= 'z') current.capitals = false;
    lastEnd = ++i;
  }
  finish(lastEnd);
  return out;
}

// The words of the brand string read last on this thread: a pass reads the
// same brand string for its maker, its number and its line, three or four
// times over. A caller holds its words however the next read replaces them.
std::shared_ptr<const std::vector<Word>> wordsOf(std::string_view brand) {
  thread_local std::string lastBrand;
  thread_local std::shared_ptr<const std::vector<Word>> lastWords;
  if (!lastWords || brand != lastBrand) {
    lastWords = std::make_shared<const std::vector<Word>>(words(brand));
    lastBrand.assign(brand);
  }
  return lastWords;
}

bool isFiller(std::string_view word) {
  for (const std::string_view filler : kFillers)
    if (word == filler) return true;
  return false;
}

// A word that can be a model number: letters, digits, "-" and "+", at least two digits, no clock.
bool isNumber(std::string_view word) {
  int digits = 0;
  for (const char c : word) {
    if (isDigit(c))
      ++digits;
    else if (!isLetter(c) && c != '-' && c != '+')
      return false;
  }
  if (word.size() >= 3 && (word.ends_with("Hz") || word.ends_with("HZ"))) return false;
  return digits >= 2;
}

bool hasLetter(std::string_view word) {
  for (const char c : word)
    if (isLetter(c)) return true;
  return false;
}

bool allDigits(std::string_view word) {
  if (word.empty()) return false;
  for (const char c : word)
    if (!isDigit(c)) return false;
  return true;
}

// Where the lead's words stand in `all` (index of the first), with the digit a "#" matched.
struct LeadMatch {
  std::size_t first = 0;
  std::size_t after = 0;
  char digit = 0;
};

bool isLower(char c) { return c >= 'a' && c <= 'z'; }
char upper(char c) { return isLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }

// A lead word against a brand-string word: "#" is one digit, a final "*"
// lets the word go on ("i#-*" is "i5-8250U"); a word in capitals alone
// matches in any case.
bool sameWord(std::string_view want, const Word& brandWord, char& digit) {
  const std::string_view word = brandWord.text;
  const bool prefix = want.ends_with('*');
  if (prefix) want.remove_suffix(1);
  if (prefix ? word.size() < want.size() : want.size() != word.size()) return false;
  const bool anyCase = brandWord.capitals;
  for (std::size_t c = 0; c < want.size(); ++c) {
    if (want[c] == '#' && isDigit(word[c]))
      digit = word[c];
    else if (anyCase ? upper(want[c]) != word[c] : want[c] != word[c])
      return false;
  }
  return true;
}

std::optional<LeadMatch> findLead(const std::vector<Word>& all, const Lead& lead) {
  const auto& parts = lead.words;
  const std::size_t count = lead.count;
  // The lead's first character rules most words out before a comparison.
  const char head = parts[0].empty() ? '*' : parts[0][0];
  const auto mayOpen = [head](const Word& word) {
    if (head == '*') return true;
    if (head == '#') return isDigit(word.text[0]) || word.text[0] == '#';
    return word.text[0] == head || (word.capitals && word.text[0] == upper(head));
  };
  for (std::size_t first = 0; first + count <= all.size(); ++first) {
    if (!mayOpen(all[first])) continue;
    LeadMatch match{first, first + count, 0};
    std::size_t k = 0;
    while (k < count && sameWord(parts[k], all[first + k], match.digit)) ++k;
    if (k == count) return match;
  }
  return std::nullopt;
}

std::string withDigit(std::string_view pattern, char digit) {
  std::string out(pattern);
  for (char& c : out)
    if (c == '#') c = digit;
  return out;
}

// What a form read: the number's words [first, last] and the key's number part.
struct Read {
  std::size_t first = 0;
  std::size_t last = 0;
  std::string number;  // as it goes into the key
};

std::size_t skipFillers(const std::vector<Word>& all, std::size_t at) {
  while (at < all.size() && isFiller(all[at].text)) ++at;
  return at;
}

bool isVersion(std::string_view word) {
  return word.size() == 2 && (word[0] == 'v' || word[0] == 'V') && isDigit(word[1]) && word[1] != '0';
}

std::optional<Read> readIntel(const std::vector<Word>& all, std::size_t at, NumberForm form) {
  at = skipFillers(all, at);
  if (at >= all.size()) return std::nullopt;
  Read read{at, at, all[at].text};
  std::string& number = read.number;
  if (form == IntelXeon && number.size() == 3 && number[0] == 'E' && number[2] == '-' && at + 1 < all.size() &&
      allDigits(all[at + 1].text)) {
    number += all[at + 1].text;  // "E7- 4850"
    read.last = at + 1;
  }
  if (!isNumber(number)) return std::nullopt;
  if (form == IntelXeon && number.size() >= 6 && number[0] == 'E' && number[1] == '3' && allDigits(number.substr(1, 5)))
    number.insert(2, "-");  // "E31230": the first Xeon E3 generation wrote no hyphen
  if (form == IntelCore2 && number.size() == 4 && allDigits(number)) number.insert(0, "E");
  if (number.starts_with("M-")) number.erase(0, 2);  // Core M writes "M-5Y10c"; the number is "5Y10c"
  if (read.last + 1 < all.size() && isVersion(all[read.last + 1].text)) {
    number += " v";
    number += all[read.last + 1].text[1];
    ++read.last;
  }
  return read;
}

// Intel's first Core generation: "i5 CPU M 460" is the i5-460M, "i7 CPU Q 820" the i7-820QM.
struct FirstCoreLetter {
  char letter;
  int model;  // 0: any model
  std::string_view suffix;
};

// clang-format off
// letter  model  suffix
constexpr std::array<FirstCoreLetter, 9> kFirstCoreLetters = {{
  {'M',   0,   "M"},
  {'L',   0,   "LM"},
  {'U',   0,   "UM"},
  {'Q',   0,   "QM"},
  {'S',   0,   "S"},
  {'X',  26,   ""},     // Bloomfield Extreme: i7-965, i7-975
  {'X',  30,   "XM"},   // Clarksfield: i7-920XM, i7-940XM
  {'X',  31,   "XM"},
  {'X',  44,   "X"},    // Gulftown: i7-980X, i7-990X
}};
// clang-format on

std::optional<Read> readFirstCore(const std::vector<Word>& all, std::size_t at, std::optional<FamilyModel> identity) {
  at = skipFillers(all, at);
  if (at >= all.size()) return std::nullopt;
  Read read{at, at, {}};
  std::string_view suffix;
  const std::string& first = all[at].text;
  if (first.size() == 1 && isUpper(first[0])) {
    bool known = false;
    for (const FirstCoreLetter& row : kFirstCoreLetters) {
      if (row.letter != first[0]) continue;
      if (row.model == 0 || (identity && identity->family == 6 && identity->model == row.model)) {
        suffix = row.suffix;
        known = true;
        break;
      }
    }
    if (!known || at + 1 >= all.size()) return std::nullopt;
    read.last = ++at;
  }
  const std::string& digits = all[at].text;
  if (digits.size() != 3 || !allDigits(digits)) return std::nullopt;
  read.number = digits + std::string(suffix);
  return read;
}

std::optional<Read> readAmd(const std::vector<Word>& all, std::size_t at) {
  at = skipFillers(all, at);
  if (at >= all.size()) return std::nullopt;
  Read read{at, at, all[at].text};
  std::string& number = read.number;
  const auto next = [&]() -> const std::string* {
    return read.last + 1 < all.size() ? &all[read.last + 1].text : nullptr;
  };
  if (number == "PRO" && next() && isNumber(*next())) {  // "PRO A10-8770E"
    number += " " + *next();
    ++read.last;
  } else if (number.size() >= 2 && number[0] == 'A' && allDigits(number.substr(1)) && next() &&
             (next()->starts_with("PRO-") || next()->starts_with("Micro-")) &&
             isNumber(*next())) {  // "A10 PRO-7800B", "A10 Micro-6700T"
    number += " " + *next();
    ++read.last;
  } else if (!isNumber(number)) {
    return std::nullopt;
  }
  if (const std::string* grade = next(); grade && (*grade == "HE" || *grade == "SE" || *grade == "EE")) {
    number += " " + *grade;  // Opteron's power grades
    ++read.last;
  }
  return read;
}

// The processor field holds about ten characters: AMD's "PRO" stays in the
// key and the product line, not in the field ("A10 PRO-7800B" shows "A10-7800B").
std::string withoutPro(std::string number) {
  if (number.starts_with("PRO ")) number.erase(0, 4);
  if (const std::size_t at = number.find(" PRO-"); at != std::string::npos) number.erase(at, 4);
  return number;
}

// AMD's brand strings carry "AMD" or one of its line names; the others are read as Intel's
// (the "Core" of "Athlon 64 X2 Dual Core" must never open Intel's Core line).
bool madeByAmd(const std::vector<Word>& all) {
  constexpr std::string_view kNames = "AMD Athlon Phenom Turion Sempron Opteron Ryzen EPYC";
  for (const Word& word : all) {
    if (word.text[0] != 'A' && word.text[0] != 'P' && word.text[0] != 'T' && word.text[0] != 'S' &&
        word.text[0] != 'O' && word.text[0] != 'R' && word.text[0] != 'E')
      continue;
    for (std::size_t start = 0; start < kNames.size();) {
      const std::size_t blank = std::min(kNames.find(' ', start), kNames.size());
      if (word.text.starts_with(kNames.substr(start, blank - start))) return true;
      start = blank + 1;
    }
  }
  return false;
}

// The first rule of the brand string's maker whose lead it writes, and where.
struct RuleMatch {
  const ModelNumberRule* rule = nullptr;
  LeadMatch lead;
};

std::optional<RuleMatch> firstRule(const std::vector<Word>& all, platform::Vendor vendor) {
  for (const ModelNumberRule& rule : kRules) {
    if (rule.vendor != vendor) continue;
    if (const std::optional<LeadMatch> lead = findLead(all, rule.lead)) return RuleMatch{&rule, *lead};
  }
  return std::nullopt;
}

std::optional<ModelNumberReading> applyRule(const ModelNumberRule& rule, const LeadMatch& lead,
                                            const std::vector<Word>& all, std::string_view brand,
                                            std::optional<FamilyModel> identity) {
  std::optional<Read> read;
  switch (rule.form) {
    case Intel:
    case IntelXeon:
    case IntelCore2:
      read = readIntel(all, lead.after, rule.form);
      break;
    case IntelFirstCore:
      read = readFirstCore(all, lead.after, identity);
      break;
    case Amd:
      read = readAmd(all, lead.after);
      break;
  }
  if (!read) return std::nullopt;
  ModelNumberReading reading;
  reading.vendor = rule.vendor;
  reading.rule = rule.name;
  reading.lead = rule.lead;
  reading.at = all[read->first].begin;
  reading.length = all[read->last].end - reading.at;
  reading.number = withoutMarks(brand.substr(reading.at, reading.length));
  // Intel's numbers that begin with a letter name one chip across its lines,
  // except the Core 2 ones (Core 2 Duo E6600 and Pentium E6600 are two chips);
  // the others need their line: Celeron 1000M, Pentium 987, Xeon Gold 6248.
  if (const std::optional<std::string_view> alias = aliasedKey(rule.name, read->number, identity)) {
    reading.key = *alias;
    reading.shown = alias->substr(alias->rfind(' ') + 1);  // npos + 1 is 0: the whole key
    return reading;
  }
  const bool letterFirst = isLetter(read->number[0]);
  if (rule.vendor == kIntel && letterFirst && rule.form != IntelFirstCore && rule.form != IntelCore2) {
    reading.key = read->number;
    reading.shown = read->number;
    return reading;
  }
  if (rule.form == IntelCore2 && letterFirst) {
    reading.key = std::string(rule.key) + read->number;
    reading.shown = read->number;
    return reading;
  }
  if (rule.key.empty() && !hasLetter(read->number)) return std::nullopt;  // bare digits without a line name no chip
  reading.key = withDigit(rule.key, lead.digit) + read->number;
  reading.shown = withDigit(rule.shown, lead.digit) + withoutPro(read->number);
  return reading;
}

}  // namespace

std::string withoutMarks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t mark = markAt(text, i)) {
      i += mark;
      continue;
    }
    const char c = text[i++];
    if (static_cast<unsigned char>(c) <= ' ') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

platform::Vendor brandVendor(std::string_view brand) { return madeByAmd(*wordsOf(brand)) ? kAmd : kIntel; }

std::optional<ModelNumberReading> readModelNumber(std::string_view brand, std::optional<FamilyModel> identity) {
  const auto held = wordsOf(brand);
  const std::vector<Word>& all = *held;
  const std::optional<RuleMatch> match = firstRule(all, madeByAmd(all) ? kAmd : kIntel);
  if (!match) return std::nullopt;
  return applyRule(*match->rule, match->lead, all, brand, identity);
}

namespace {

// The lines whose name the brand string writes, where the line is not read
// from the model number: Intel's, which the extended table names after the
// product's name ("Intel Pentium 4"), VIA's, and AMD's that no model-number
// rule names. The first row whose lead
// occurs decides, as in kRules; "#" in the line is the lead's digit.
struct LineRule {
  platform::Vendor vendor;
  Lead lead;
  std::string_view line;
};

constexpr platform::Vendor kOther = platform::Vendor::Other;

// clang-format off
// vendor  lead                 line
constexpr std::array<LineRule, 43> kLineRules = {{
  {kIntel, "Core Ultra #",      "Intel Core Ultra #"},
  {kIntel, "Core Ultra X#",     "Intel Core Ultra X#"},  // Panther Lake's with the larger graphics
  {kIntel, "Core #",            "Intel Core #"},         // "Intel(R) Core(TM) 5 120U"
  {kIntel, "Core i#",           "Intel Core i#"},        // the first generation: "Core(TM) i5 CPU M 460"
  {kIntel, "Core i#-*",         "Intel Core i#"},
  {kIntel, "Core m#-*",         "Intel Core m#"},
  {kIntel, "Core M-*",          "Intel Core M"},
  {kIntel, "Core Duo",          "Intel Core Duo"},
  {kIntel, "Core Solo",         "Intel Core Solo"},
  {kIntel, "Core2 Duo",         "Intel Core2 Duo"},
  {kIntel, "Core2 Quad",        "Intel Core2 Quad"},
  {kIntel, "Core2 Extreme",     "Intel Core2 Extreme"},
  {kIntel, "Core2 Solo",        "Intel Core2 Solo"},
  {kIntel, "Core2 CPU QX*",     "Intel Core2 Extreme"},  // the first ones named only the number
  {kIntel, "Core2 CPU X*",      "Intel Core2 Extreme"},
  {kIntel, "Core2 CPU Q*",      "Intel Core2 Quad"},
  {kIntel, "Core2",             "Intel Core2 Duo"},      // "Core(TM)2 CPU 6600" is the Core 2 Duo E6600
  {kIntel, "Processor #Y*",     "Intel Core M"},         // "Intel(R) Processor 5Y70 CPU" is the Core M 5Y70
  {kIntel, "Celeron M",         "Intel Celeron M"},
  {kIntel, "Celeron D",         "Intel Celeron D"},
  {kIntel, "Celeron",           "Intel Celeron"},
  {kIntel, "Pentium Gold",      "Intel Pentium Gold"},
  {kIntel, "Pentium Silver",    "Intel Pentium Silver"},
  {kIntel, "Pentium 4 - M",     "Intel Pentium 4-M"},    // "Mobile Intel(R) Pentium(R) 4 - M CPU 2.20GHz"
  {kIntel, "Pentium 4",         "Intel Pentium 4"},
  {kIntel, "Pentium D",         "Intel Pentium D"},
  {kIntel, "Pentium M",         "Intel Pentium M"},
  {kIntel, "Pentium III",       "Intel Pentium III"},
  {kIntel, "Pentium II",        "Intel Pentium II"},
  {kIntel, "Pentium MMX",       "Intel Pentium MMX"},
  {kIntel, "Pentium",           "Intel Pentium"},        // "Pentium(R) Dual-Core CPU E5300" too
  {kIntel, "Atom",              "Intel Atom"},
  {kIntel, "Xeon Gold",         "Intel Xeon Gold"},
  {kIntel, "Xeon Silver",       "Intel Xeon Silver"},
  {kIntel, "Xeon Platinum",     "Intel Xeon Platinum"},
  {kIntel, "Xeon Bronze",       "Intel Xeon Bronze"},
  {kIntel, "Xeon Phi",          "Intel Xeon Phi"},
  {kIntel, "Xeon",              "Intel Xeon"},
  {kIntel, "Intel N#*",         "Intel Processor"},      // "Intel(R) N100", Intel's "Processor N100"
  {kAmd,   "Duron",             "AMD Duron"},            // AMD's lines with a number are read from it
  {kOther, "VIA C7-M",          "VIA C7-M"},
  {kOther, "VIA C7",            "VIA C7"},
  {kOther, "VIA Nano",          "VIA Nano"},
}};
// clang-format on

// Words that say how many cores, before "Core" or "-Core": "Dual Core", "Quad-Core".
struct CoreCountWord {
  std::string_view word;
  int cores;
};

// clang-format off
constexpr std::array<CoreCountWord, 9> kCoreCountWords = {{
  {"Dual", 2}, {"Triple", 3}, {"Quad", 4}, {"Six", 6}, {"Hexa", 6}, {"Eight", 8}, {"Octa", 8}, {"Twelve", 12},
  {"Sixteen", 16},
}};
// clang-format on

bool sameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

bool endsWithLetters(std::string_view word, std::string_view end) {
  return word.size() >= end.size() && sameLetters(word.substr(word.size() - end.size()), end);
}

// "12", "1.86", "1300+": a clock's figure, in MHz for the unit; 0 when it is none.
int clockFigure(std::string_view figure, bool gigahertz) {
  if (figure.ends_with('+')) figure.remove_suffix(1);
  const std::size_t dot = figure.find('.');
  const std::string_view whole = figure.substr(0, dot);
  const std::string_view fraction = dot == std::string_view::npos ? std::string_view() : figure.substr(dot + 1);
  constexpr std::size_t kMostDigits = 5;  // no clock has more: the figure then is something else
  if (!allDigits(whole) || whole.size() > kMostDigits || (dot != std::string_view::npos && !allDigits(fraction)))
    return 0;
  int mhz = 0;
  for (const char c : whole) mhz = mhz * 10 + (c - '0');
  if (!gigahertz) return mhz;
  mhz *= 1000;
  int scale = 100;
  for (std::size_t c = 0; c < fraction.size() && scale > 0; ++c, scale /= 10) mhz += (fraction[c] - '0') * scale;
  return mhz;
}

// The first clock the words write: "3.00GHz", "1200MHz", "1300+MHz", "2.40 GHz".
int clockOf(const std::vector<Word>& all) {
  for (std::size_t i = 0; i < all.size(); ++i) {
    const std::string_view word = all[i].text;
    for (const bool gigahertz : {true, false}) {
      const std::string_view unit = gigahertz ? "GHz" : "MHz";
      int mhz = 0;
      if (word.size() > unit.size() && endsWithLetters(word, unit))
        mhz = clockFigure(word.substr(0, word.size() - unit.size()), gigahertz);
      else if (sameLetters(word, unit) && i > 0)
        mhz = clockFigure(all[i - 1].text, gigahertz);
      if (mhz > 0) return mhz;
    }
  }
  return 0;
}

int countWord(std::string_view word) {
  for (const CoreCountWord& row : kCoreCountWords)
    if (sameLetters(word, row.word)) return row.cores;
  return 0;
}

bool isCoreWord(std::string_view word) { return sameLetters(word, "Core") || sameLetters(word, "Cores"); }

// The core count the words write: "12-Core", "128-Cores", "8-core", "Dual-Core", "Dual Core", "DualCore".
int coresOf(const std::vector<Word>& all) {
  for (std::size_t i = 0; i < all.size(); ++i) {
    const std::string_view word = all[i].text;
    const std::size_t hyphen = word.find('-');
    if (hyphen != std::string_view::npos && hyphen > 0 && isCoreWord(word.substr(hyphen + 1))) {
      const std::string_view count = word.substr(0, hyphen);
      if (allDigits(count) && count.size() <= 3) return clockFigure(count, false);
      if (const int cores = countWord(count)) return cores;
    }
    if (endsWithLetters(word, "Core") && word.size() > 4)
      if (const int cores = countWord(word.substr(0, word.size() - 4))) return cores;  // "DualCore"
    if (i + 1 < all.size() && isCoreWord(all[i + 1].text))
      if (const int cores = countWord(word)) return cores;
  }
  return 0;
}

// The graphics a brand string names after "Radeon": a model with a figure
// ("780M", "8060S", "R7"), or the bare "Radeon Graphics" of AMD's APUs.
std::string graphicsOf(const std::vector<Word>& all) {
  for (std::size_t i = 0; i + 1 < all.size(); ++i) {
    if (!sameLetters(all[i].text, "Radeon")) continue;
    const std::string_view model = all[i + 1].text;
    if (sameLetters(model, "Graphics")) return "AMD Radeon Graphics";
    const bool figure = std::any_of(model.begin(), model.end(), isDigit);
    if (!figure || !std::all_of(model.begin(), model.end(), [](char c) { return isDigit(c) || isLetter(c); }))
      return {};
    const bool series = model.size() == 2 && model[0] == 'R';  // the A-series' "R7" is "Radeon R7 Graphics"
    return "AMD Radeon " + std::string(model) + (series ? " Graphics" : "");
  }
  return {};
}

bool writesWord(const std::vector<Word>& all, std::string_view want) {
  char digit = 0;
  return std::any_of(all.begin(), all.end(), [&](const Word& word) { return sameWord(want, word, digit); });
}

// The line of kLineRules for `vendor` that the words write, or nothing.
std::string lineOf(const std::vector<Word>& all, platform::Vendor vendor) {
  for (const LineRule& rule : kLineRules) {
    if (rule.vendor != vendor) continue;
    if (const std::optional<LeadMatch> lead = findLead(all, rule.lead)) return withDigit(rule.line, lead->digit);
  }
  return {};
}

// AMD's line as the extended table's tool names it after the key: "AMD" and
// the key's words before the number ("AMD Ryzen 5 PRO", "AMD Opteron" for
// "Opteron 4174 HE"); a lone number adds its letters before the hyphen
// ("AMD FX" for "FX-8350", "AMD PRO A10" for "PRO A10-8770E").
std::string amdLineOfKey(std::string_view key) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0; start <= key.size();) {
    const std::size_t blank = std::min(key.find(' ', start), key.size());
    parts.push_back(key.substr(start, blank - start));
    start = blank + 1;
  }
  std::string_view number = parts.back();
  parts.pop_back();
  if ((number == "HE" || number == "SE" || number == "EE") && !parts.empty()) {
    number = parts.back();
    parts.pop_back();
  }
  const std::size_t hyphen = number.find('-');
  const std::string_view head = hyphen == std::string_view::npos ? std::string_view() : number.substr(0, hyphen);
  if (!head.empty() && (parts.empty() || head == "PRO" || (parts.size() == 1 && parts[0] == "PRO")))
    parts.push_back(head);
  std::string line = "AMD";
  for (const std::string_view part : parts) (line += ' ') += part;
  return line;
}

// AMD's line: from the number the rule reads, else from the rule's own line
// words ("AMD Athlon(tm)" is "AMD Athlon"); the bare "AMD" rule names none.
std::string amdLineOf(const std::vector<Word>& all, std::string_view brand) {
  const std::optional<RuleMatch> match = firstRule(all, kAmd);
  if (!match) return lineOf(all, kAmd);
  if (const auto reading = applyRule(*match->rule, match->lead, all, brand, std::nullopt))
    return amdLineOfKey(reading->key);
  std::string line = withDigit(match->rule->key, match->lead.digit);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line.empty() ? lineOf(all, kAmd) : "AMD " + line;
}

}  // namespace

std::optional<BrandLine> readBrandLine(std::string_view brand) {
  const auto held = wordsOf(brand);
  const std::vector<Word>& all = *held;
  BrandLine out;
  if (writesWord(all, "VIA")) {
    out.productLine = lineOf(all, kOther);
  } else if (madeByAmd(all)) {
    out.vendor = kAmd;
    out.productLine = amdLineOf(all, brand);
  } else {
    out.productLine = lineOf(all, kIntel);
    if (!out.productLine.empty() || writesWord(all, "Intel")) out.vendor = kIntel;
  }
  out.clockMhz = clockOf(all);
  if (out.productLine.empty() && out.clockMhz == 0) return std::nullopt;
  out.cores = coresOf(all);
  if (out.vendor == kAmd) out.graphics = graphicsOf(all);
  return out;
}

}  // namespace wexmora
