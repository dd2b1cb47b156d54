#include "platform/cpu_features.h"

namespace wexmora::platform {
namespace {

// Which makers' processors a technology row names.
enum Makers : unsigned { kIntel = 1, kAmd = 2, kOther = 4, kAny = kIntel | kAmd | kOther };

unsigned makerBit(Vendor vendor) {
  switch (vendor) {
    case Vendor::Intel:
      return kIntel;
    case Vendor::Amd:
      return kAmd;
    default:
      return kOther;
  }
}

// The flag that stands for "a core runs two threads": no flag proves that,
// the topology does (the "ht" flag is set on every multi-core processor).
constexpr std::string_view kSmtProof = "";

struct TechnologyRow {
  const char* name;
  std::string_view flag;  // Linux's name, or kSmtProof
  unsigned makers;
};

// clang-format off
// The technologies in the catalogue's order; a row names a technology when
// the processor is one of `makers` and has `flag`.
//  name        flag        makers
constexpr TechnologyRow kTechnologies[] = {
  {"AVX2",      "avx2",     kAny},
  {"AVX-512",   "avx512f",  kAny},
  {"EPT",       "ept",      kAny},
  {"TSX-NI",    "rtm",      kAny},
  {"TMT",       "tm2",      kAny},
  {"SK",        "rdrand",   kIntel},
  {"HT",        kSmtProof,  kIntel},
  {"SMT",       kSmtProof,  kAmd | kOther},
  {"SSE",       "sse",      kAny},
  {"SSE2",      "sse2",     kAny},
  {"SSE3",      "pni",      kAny},
  {"SSSE3",     "ssse3",    kAny},
  {"SSE4.1",    "sse4_1",   kAny},
  {"SSE4.2",    "sse4_2",   kAny},
  {"SSE4A",     "sse4a",    kAny},
  {"MMX",       "mmx",      kAny},
  {"EM64T",     "lm",       kIntel},
  {"AMD64",     "lm",       kAmd},
  {"x86-64",    "lm",       kOther},
  {"AES",       "aes",      kAny},
  {"VT-x",      "vmx",      kAny},
  {"AMD-V",     "svm",      kAny},
  {"AVX",       "avx",      kAny},
  {"FMA3",      "fma",      kAny},
  {"FMA4",      "fma4",     kAny},
  {"SHA",       "sha_ni",   kAny},
};

struct CpuidBit {
  CpuidWord word;
  int bit;
  const char* flag;  // Linux's name of the feature
};

// The CPUID bits of the features above, from the makers' manuals. EPT is a
// capability of the virtualisation unit, not a CPUID bit, and stays unread.
//  register             bit  flag
constexpr CpuidBit kCpuidBits[] = {
  {kLeaf1Edx,           23,  "mmx"},
  {kLeaf1Edx,           25,  "sse"},
  {kLeaf1Edx,           26,  "sse2"},
  {kLeaf1Ecx,            0,  "pni"},
  {kLeaf1Ecx,            5,  "vmx"},
  {kLeaf1Ecx,            8,  "tm2"},
  {kLeaf1Ecx,            9,  "ssse3"},
  {kLeaf1Ecx,           12,  "fma"},
  {kLeaf1Ecx,           19,  "sse4_1"},
  {kLeaf1Ecx,           20,  "sse4_2"},
  {kLeaf1Ecx,           25,  "aes"},
  {kLeaf1Ecx,           28,  "avx"},
  {kLeaf1Ecx,           30,  "rdrand"},
  {kLeaf7Ebx,            5,  "avx2"},
  {kLeaf7Ebx,           11,  "rtm"},
  {kLeaf7Ebx,           16,  "avx512f"},
  {kLeaf7Ebx,           29,  "sha_ni"},
  {kLeaf80000001Ecx,     2,  "svm"},
  {kLeaf80000001Ecx,     6,  "sse4a"},
  {kLeaf80000001Ecx,    16,  "fma4"},
  {kLeaf80000001Edx,    29,  "lm"},
};
// clang-format on

}  // namespace

std::vector<std::string> technologyNames(Vendor vendor, const FeatureFlags& flags, bool smt) {
  std::vector<std::string> names;
  for (const auto& row : kTechnologies) {
    if (!(row.makers & makerBit(vendor))) continue;
    if (row.flag == kSmtProof ? smt : flags.contains(row.flag)) names.emplace_back(row.name);
  }
  return names;
}

bool technologyFlagged(std::string_view name) {
  for (const auto& row : kTechnologies)
    if (row.flag != kSmtProof && row.name == name) return true;
  return false;
}

void addTechnologyFlags(std::string_view flagsLine, FeatureFlags& flags) {
  constexpr std::string_view kBlanks = " \t\r\n";
  while (!flagsLine.empty()) {
    const auto start = flagsLine.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) break;
    flagsLine.remove_prefix(start);
    const auto name = flagsLine.substr(0, flagsLine.find_first_of(kBlanks));
    flagsLine.remove_prefix(name.size());
    for (const auto& row : kTechnologies)
      if (row.flag != kSmtProof && row.flag == name) flags.emplace(name);
  }
}

FeatureFlags cpuidFlags(const CpuidWords& cpuid) {
  FeatureFlags flags;
  for (const auto& row : kCpuidBits)
    if (cpuid.words[row.word] >> row.bit & 1u) flags.emplace(row.flag);
  return flags;
}

int displayFamily(std::uint32_t leaf1Eax) {
  const int base = static_cast<int>(leaf1Eax >> 8 & 0xF);
  return base == 0xF ? base + static_cast<int>(leaf1Eax >> 20 & 0xFF) : base;
}

}  // namespace wexmora::platform
