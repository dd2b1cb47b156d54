// The model-key rule chain.
//
// Each row of kRules is one rule, in evaluation order. Its form says how the
// rule finds its position p in the brand string and what it writes from there;
// most rules "write copy n": Label1 gets copy(brand, p, n) as it stands (often
// with the blank after a short model name) and Edit7 gets it trimmed. Every
// rule that fires overwrites what the rules before it wrote, so the last one
// decides. Suffix patterns ("KF", "TE", "00KS", ...) are searched in the whole
// brand string, never in the copied piece.
//
// The only value passed between rules is the suffix length L: rule 16 sets it
// to 7 and rule 17 reads it when the text after "E3-12" has no version suffix.
#include "core/identify/model_key.h"

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>

#include "core/identify/text.h"
#include "core/model/control_names.h"
#include "core/model/pass_trace.h"

namespace wexmora {
namespace {

using text::contains;
using text::copy;
using text::search;
using text::trim;

enum class RuleForm {
  Plain,                     // p = position of the pattern
  Spaced,                    // the pattern with its leading blank must occur; p = first position without the blank
  EitherOr,                  // p = position of the first pattern if it occurs, else of the second
  Group,                     // the last listed pattern that occurs gives p; blank-led patterns are spaced
  AtGuarded,                 // group; an "@" within the six characters from p shortens the copy to n - 1
  BadgeShift,                // group; "G39" anywhere in the brand string moves the badge before the write
  FirstGeneration,           // "iN CPU <model> @": writes only a model of 3, or more than 4, characters
  FirstGenerationAnyLength,  // the same, writing whatever stands between "CPU" and "@"
  HyphenInsertion,           // "E31230" becomes "E3-1230"; sets L = n
  VersionSuffix,             // copy L from the upper-cased n characters; a "Vd " suffix sets L
  OffsetCopy,                // copy n from four characters before the first pattern; the second cancels
};

// How a row's suffix writes combine with its copy n.
enum class Suffixes {
  Then,    // copy n, then each suffix write whose pattern occurs; the later one wins
  IfElse,  // the first suffix write whose pattern occurs, else copy n
};

// Whether Label1 gets the plain copy n as it stands or trimmed like Edit7.
enum class Caption { Raw, Trimmed };

struct SuffixWrite {
  std::string_view pattern;  // empty: no such write
  long count = 0;
};

struct ModelKeyRule {
  int number;
  RuleForm form;
  std::string_view patterns;  // separated by "|"
  long count;                 // n of "copy n"
  Suffixes suffixes = Suffixes::Then;
  SuffixWrite first{};
  SuffixWrite second{};
  Caption caption = Caption::Raw;
};

using enum RuleForm;
using enum Suffixes;
using enum Caption;

// clang-format off
// No.  form                      patterns                                                n   suffixes  first suffix   second suffix  Label1
constexpr std::array<ModelKeyRule, 54> kRules = {{
  {  1, Spaced,                   " X34",                                                 5},
  {  2, Spaced,                   " L34",                                                 5},
  {  3, FirstGenerationAnyLength, "i3 CPU",                                               0},
  {  4, FirstGeneration,          "i5 CPU",                                               0},
  {  5, FirstGeneration,          "i7 CPU",                                               0},
  {  6, Group,                    "E5| X32| X96| X97| X33| L5| L33| X5| QX| Q6| Q8| Q9",  6},
  {  7, AtGuarded,                "G44|G45|G46|G49|G47|G87|G84|G85",                      6},
  {  8, AtGuarded,                "G5|G6|G8|G7",                                          6},
  {  9, Plain,                    "i3-10",                                                9},
  { 10, Plain,                    "i5-10",                                                9,  Then,     {"TE",   10},  {"KF",   10}},
  { 11, Plain,                    "i7-10",                                                9,  Then,     {"TE",   10},  {"KF",   10}},
  { 12, Plain,                    "i9-10",                                                9,  Then,     {"TE",   10},  {"KF",   10}},
  { 13, EitherOr,                 "i3-2|i3-3",                                            8},
  { 14, EitherOr,                 "i5-2|i5-3",                                            8},
  { 15, EitherOr,                 "i7-2|i7-3",                                            8},
  { 16, HyphenInsertion,          " E31",                                                 7},
  { 17, VersionSuffix,            "E3-12",                                               16},
  { 18, Plain,                    "i3-6",                                                 8},
  { 19, Plain,                    "i5-6",                                                 8},
  { 20, Plain,                    "i7-6",                                                 8},
  { 21, Plain,                    "i3-7",                                                 8,  IfElse,   {"01TE",  9}},
  { 22, Plain,                    "i5-7",                                                 8},
  { 23, Plain,                    "i7-7",                                                 8},
  { 24, Plain,                    "i3-8",                                                 8},
  { 25, Plain,                    "i5-8",                                                 8},
  { 26, Plain,                    "i7-8",                                                 8},
  { 27, Plain,                    "i3-9",                                                 8,  IfElse,   {"50KF",  9},  {},            Trimmed},
  { 28, Plain,                    "i5-9",                                                 8,  IfElse,   {"00KF",  9},  {},            Trimmed},
  { 29, Plain,                    "i7-9",                                                 8,  IfElse,   {"00KF",  9},  {},            Trimmed},
  { 30, Plain,                    "i9-9",                                                 8,  IfElse,   {"00KF",  9},  {"00KS",  9},  Trimmed},
  { 31, Plain,                    "E-21",                                                 7},
  { 32, Plain,                    "E-22",                                                 7},
  { 33, BadgeShift,               "G18|G34|G32|G39",                                      6,  IfElse,   {"TE",    7}},
  { 34, OffsetCopy,               "0TE|00TE",                                             7},
  { 35, Plain,                    "i3-4",                                                 8},
  { 36, Plain,                    "i5-4",                                                 8},
  { 37, Plain,                    "i7-4",                                                 8},
  { 38, Plain,                    "i3-13",                                                9},
  { 39, Plain,                    "i5-13",                                                9,  Then,     {"KF",   11}},
  { 40, Plain,                    "i7-13",                                                9,  Then,     {"KF",   11}},
  { 41, Plain,                    "i9-13",                                                9,  Then,     {"KF",   11},  {"KS",   11}},
  { 42, Plain,                    "i5-14",                                                9,  Then,     {"KF",   11}},
  { 43, Plain,                    "i7-14",                                                9,  Then,     {"KF",   11}},
  { 44, Plain,                    "i9-14",                                                9,  Then,     {"KF",   11}},
  { 45, Plain,                    "i3-12",                                                8,  IfElse,   {"0T",    9},  {"0F",    9}},
  { 46, Plain,                    "i5-12",                                                9,  Then,     {"KF",   11}},
  { 47, Plain,                    "i7-12",                                                9,  Then,     {"KF",   11}},
  { 48, Plain,                    "i9-12",                                                9,  Then,     {"KF",   11},  {"KS",   11}},
  { 49, Plain,                    "i5-11",                                                9,  Then,     {"KF",   11}},
  { 50, Plain,                    "i7-11",                                                9,  Then,     {"KF",   11}},
  { 51, Plain,                    "i9-11",                                                9,  Then,     {"KF",   11}},
  { 52, Plain,                    "W-12",                                                 7},
  { 53, Plain,                    "W-13",                                                 7},
  { 54, Plain,                    "E-23",                                                 7},
}};
// clang-format on

constexpr bool numberedInOrder() {
  for (std::size_t i = 0; i < kRules.size(); ++i)
    if (kRules[i].number != static_cast<int>(i) + 1) return false;
  return true;
}
static_assert(numberedInOrder(), "the rows must stay in evaluation order, numbered from 1");

// Rule 33: a "G39" anywhere moves the badge image from its design left (320).
constexpr std::string_view kShiftedBadgePattern = "G39";
constexpr int kShiftedBadgeLeft = 305;

// Rule 17: the version suffixes, a letter, a digit and a blank, in the order
// they are tried; the last one found decides.
constexpr std::array<std::string_view, 5> kVersionSuffixes = {"V6 ", "V5 ", "V4 ", "V3 ", "V2 "};

// Rule 34 copies from this many characters before its pattern.
constexpr long kOffsetCopyBack = 4;

// The Core 2 Extreme quad-core processors report "X9650", "X9770", "X9775";
// the catalogue keys them with a leading "Q". Rule 6 adds it.
constexpr std::array<std::string_view, 2> kQuadExtremeStems = {"X96", "X97"};

// Calls `visit` with each "|"-separated pattern of a row, in order, until it
// answers true, walking the row in place (no allocation per rule).
template <typename Visit>
void forEachPattern(std::string_view patterns, Visit visit) {
  for (;;) {
    const auto bar = patterns.find('|');
    if (visit(patterns.substr(0, bar)) || bar == std::string_view::npos) return;
    patterns.remove_prefix(bar + 1);
  }
}

// A rule's position p and the pattern that gave it (none while p = 0).
struct Found {
  long p = 0;
  std::string_view pattern;
};

// The pairs of adjacent characters a text holds, hashed into 1,024 bits. A
// pattern whose first two characters are not a pair of the text cannot
// occur in it: the chain tries some 280 patterns on a brand string, and most
// are ruled out so without a search.
class PairFilter {
 public:
  explicit PairFilter(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) pairs_.set(bit(text[i], text[i + 1]));
  }
  bool mayOccur(std::string_view pattern) const {
    return pattern.size() < 2 || pairs_.test(bit(pattern[0], pattern[1]));
  }

 private:
  static std::size_t bit(char a, char b) {
    return (static_cast<unsigned char>(a) * 131u + static_cast<unsigned char>(b)) % kBits;
  }
  static constexpr std::size_t kBits = 1024;
  std::bitset<kBits> pairs_;
};

// One run of the chain over one brand string.
class Chain {
 public:
  explicit Chain(TForm15& form)
      : form_(form),
        key_(form[main_controls::kModelKey]),
        caption_(form[main_controls::kPhotoModelKey]),
        brand_(form[main_controls::kBrandString].text),
        pairs_(brand_),
        trace_(form.trace) {}

  void run() {
    for (const auto& rule : kRules) {
      if (trace_) {
        rule_ = &rule;
        found_ = {};
        suffix_ = {};
        shiftedLeft_.reset();
      }
      apply(rule);
    }
    if (trace_) {
      trace_->chainRan = true;
      trace_->L = suffixLength_;
      trace_->key = form_[main_controls::kModelKey].text;
    }
  }

 private:
  // A pattern with a leading blank must occur with it; the position is that of
  // the first occurrence without it, which may lie before the blank-led one.
  long position(std::string_view pattern) const {
    if (!pairs_.mayOccur(pattern)) return 0;
    if (!pattern.empty() && pattern.front() == ' ') {
      return contains(brand_, pattern) ? search(pattern.substr(1), brand_) : 0;
    }
    return search(pattern, brand_);
  }

  // Group: the last listed pattern that occurs decides.
  Found lastOccurring(std::string_view patterns) {
    Found found;
    forEachPattern(patterns, [&](std::string_view pattern) {
      if (const long at = position(pattern); at > 0) found = {at, pattern};
      return false;
    });
    return noted(found);
  }

  // Either-or: the first listed pattern that occurs decides.
  Found firstOccurring(std::string_view patterns) {
    Found found;
    forEachPattern(patterns, [&](std::string_view pattern) {
      if (const long at = position(pattern); at > 0) found = {at, pattern};
      return found.p > 0;
    });
    return found.p > 0 ? noted(found) : Found{};
  }

  // Remembers what set p, for the trace.
  Found noted(Found found) {
    if (trace_) found_ = found;
    return found;
  }

  bool occurs(std::string_view pattern) const {
    return !pattern.empty() && pairs_.mayOccur(pattern) && contains(brand_, pattern);
  }

  void write(std::string caption, std::string_view key) {
    key_.text = trim(key);
    caption_.text = std::move(caption);
    if (trace_) recordWrite();
  }

  void recordWrite() {
    auto& writes = trace_->keyWrites;
    if (!writes.empty()) writes.back().overwritten = true;
    const bool usesL = rule_->form == HyphenInsertion || rule_->form == VersionSuffix;
    writes.push_back({std::to_string(rule_->number), std::string(found_.pattern), found_.p, std::string(suffix_),
                      form_[main_controls::kPhotoModelKey].text, form_[main_controls::kModelKey].text,
                      usesL ? std::optional<long>(suffixLength_) : std::nullopt, shiftedLeft_});
  }
  void write(const std::string& x) { write(x, x); }
  void writeTrimmed(const std::string& x) { write(trim(x), x); }

  // "copy n", with the row's suffix writes.
  void writeCopies(const ModelKeyRule& rule, long p) {
    const auto plain = [&] {
      const auto x = copy(brand_, p, rule.count);
      rule.caption == Trimmed ? writeTrimmed(x) : write(x);
    };
    const auto suffixWrite = [&](const SuffixWrite& suffix) {
      if (trace_) suffix_ = suffix.pattern;
      write(copy(brand_, p, suffix.count));
    };
    if (rule.suffixes == IfElse) {
      for (const auto& suffix : {rule.first, rule.second}) {
        if (occurs(suffix.pattern)) return suffixWrite(suffix);
      }
      return plain();
    }
    plain();
    for (const auto& suffix : {rule.first, rule.second})
      if (occurs(suffix.pattern)) suffixWrite(suffix);
  }

  void apply(const ModelKeyRule& rule) {
    switch (rule.form) {
      case Plain:
      case Spaced:
        if (const long p = lastOccurring(rule.patterns).p; p > 0) writeCopies(rule, p);
        return;
      case EitherOr:
        if (const long p = firstOccurring(rule.patterns).p; p > 0) writeCopies(rule, p);
        return;
      case Group:
        if (const long p = lastOccurring(rule.patterns).p; p > 0) writeQuadExtremeMended(copy(brand_, p, rule.count));
        return;
      case AtGuarded:
        return atGuarded(rule, lastOccurring(rule.patterns).p);
      case BadgeShift:
        if (const long p = lastOccurring(rule.patterns).p; p > 0) {
          if (occurs(kShiftedBadgePattern)) {
            form_[main_controls::kBadgeImage].left = kShiftedBadgeLeft;
            if (trace_) shiftedLeft_ = kShiftedBadgeLeft;
          }
          writeCopies(rule, p);
        }
        return;
      case FirstGeneration:
      case FirstGenerationAnyLength:
        if (occurs(rule.patterns)) {
          noted({search(rule.patterns, brand_), rule.patterns});
          firstGeneration(rule);
        }
        return;
      case HyphenInsertion:
        if (const long p = lastOccurring(rule.patterns).p; p > 0) {
          suffixLength_ = rule.count;
          const auto x = copy(brand_, p, rule.count);
          write(copy(x, 1, 2) + "-" + copy(x, 3, static_cast<long>(x.size())));
        }
        return;
      case VersionSuffix:
        if (const long p = lastOccurring(rule.patterns).p; p > 0) versionSuffix(rule, p);
        return;
      case OffsetCopy:
        return offsetCopy(rule);
    }
  }

  void writeQuadExtremeMended(const std::string& x) {
    for (const auto stem : kQuadExtremeStems)
      if (search(stem, x) == 1) return write("Q" + x);
    write(x);
  }

  // Runs even when no pattern occurred: p = 0 then copies from the first
  // character, so an "@" among the first six characters still fires step a.
  void atGuarded(const ModelKeyRule& rule, long p) {
    if (contains(copy(brand_, p, rule.count), "@")) {
      write(copy(brand_, p, rule.count - 1));
      p = 0;
    }
    if (p > 0) write(copy(brand_, p, rule.count));
  }

  // The model number of the first Core i generation stands between "CPU" and
  // "@", with an optional letter in front ("K 655" is the i5-655K).
  void firstGeneration(const ModelKeyRule& rule) {
    const std::string prefix = copy(rule.patterns, 1, 2) + "-";
    const long start = search("CPU", brand_) + 3;
    const long at = search("@", brand_);
    const auto model = trim(copy(brand_, start, at - start));
    const auto length = static_cast<long>(model.size());
    if (rule.form == FirstGenerationAnyLength) return write(prefix + model);
    if (length == 3) write(prefix + model);
    if (length > 4) {
      const auto letter = trim(copy(model, 1, 1));
      const auto number = trim(copy(model, 2, length - 1));
      write(prefix + number + letter);
    }
  }

  void versionSuffix(const ModelKeyRule& rule, long p) {
    const auto x = text::upper(copy(brand_, p, rule.count));
    const long q = search(rule.patterns, x);
    for (const auto suffix : kVersionSuffixes)
      if (const long at = search(suffix, x); at > 0) suffixLength_ = at - q + 3;
    write(copy(x, q, suffixLength_));
  }

  void offsetCopy(const ModelKeyRule& rule) {
    const auto bar = rule.patterns.find('|');
    const auto first = rule.patterns.substr(0, bar);
    long p = noted({search(first, brand_), first}).p;
    if (occurs(rule.patterns.substr(bar + 1))) p = 0;
    if (p > 0) write(copy(brand_, p - kOffsetCopyBack, rule.count));
  }

  TForm15& form_;
  Control& key_;      // Edit7
  Control& caption_;  // Label1
  const std::string brand_;
  const PairFilter pairs_;  // of brand_
  long suffixLength_ = 0;   // L

  // What the trace is told about the rule being applied; kept only when
  // there is a trace.
  PassTrace* const trace_;
  const ModelKeyRule* rule_ = nullptr;
  Found found_;
  std::string_view suffix_;
  std::optional<int> shiftedLeft_;
};

}  // namespace

void deriveModelKey(TForm15& form) { Chain(form).run(); }

}  // namespace wexmora
