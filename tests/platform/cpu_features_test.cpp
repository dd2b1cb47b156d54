// Feature flags and CPUID bits named as the catalogue names technologies.
#include "platform/cpu_features.h"

#include <gtest/gtest.h>

namespace wexmora::platform {
namespace {

using Names = std::vector<std::string>;

FeatureFlags flagsOf(std::string_view line) {
  FeatureFlags flags;
  addTechnologyFlags(line, flags);
  return flags;
}

// One row per CPUID bit, from the makers' manuals: the technology it proves
// on an Intel and on an AMD processor.
struct BitCase {
  CpuidWord word;
  int bit;
  const char* intel;
  const char* amd;
};

// clang-format off
const BitCase kBits[] = {
  // register          bit  Intel      AMD
  {kLeaf1Edx,          23,  "MMX",     "MMX"},
  {kLeaf1Edx,          25,  "SSE",     "SSE"},
  {kLeaf1Edx,          26,  "SSE2",    "SSE2"},
  {kLeaf1Ecx,           0,  "SSE3",    "SSE3"},
  {kLeaf1Ecx,           5,  "VT-x",    "VT-x"},
  {kLeaf1Ecx,           8,  "TMT",     "TMT"},
  {kLeaf1Ecx,           9,  "SSSE3",   "SSSE3"},
  {kLeaf1Ecx,          12,  "FMA3",    "FMA3"},
  {kLeaf1Ecx,          19,  "SSE4.1",  "SSE4.1"},
  {kLeaf1Ecx,          20,  "SSE4.2",  "SSE4.2"},
  {kLeaf1Ecx,          25,  "AES",     "AES"},
  {kLeaf1Ecx,          28,  "AVX",     "AVX"},
  {kLeaf1Ecx,          30,  "SK",      nullptr},
  {kLeaf7Ebx,           5,  "AVX2",    "AVX2"},
  {kLeaf7Ebx,          11,  "TSX-NI",  "TSX-NI"},
  {kLeaf7Ebx,          16,  "AVX-512", "AVX-512"},
  {kLeaf7Ebx,          29,  "SHA",     "SHA"},
  {kLeaf80000001Ecx,    2,  "AMD-V",   "AMD-V"},
  {kLeaf80000001Ecx,    6,  "SSE4A",   "SSE4A"},
  {kLeaf80000001Ecx,   16,  "FMA4",    "FMA4"},
  {kLeaf80000001Edx,   29,  "EM64T",   "AMD64"},
  // Bits that name nothing: HTT (set on every multi-core processor), SMX, XOP, NX.
  {kLeaf1Edx,          28,  nullptr,   nullptr},
  {kLeaf1Ecx,           6,  nullptr,   nullptr},
  {kLeaf80000001Ecx,   11,  nullptr,   nullptr},
  {kLeaf80000001Edx,   20,  nullptr,   nullptr},
};
// clang-format on

TEST(CpuFeatures, NamesEachCpuidBit) {
  for (const auto& c : kBits) {
    SCOPED_TRACE(std::to_string(c.word) + " bit " + std::to_string(c.bit));
    CpuidWords cpuid;
    cpuid.words[c.word] = 1u << c.bit;
    const auto flags = cpuidFlags(cpuid);
    EXPECT_EQ(technologyNames(Vendor::Intel, flags, false), c.intel ? Names{c.intel} : Names{});
    EXPECT_EQ(technologyNames(Vendor::Amd, flags, false), c.amd ? Names{c.amd} : Names{});
  }
}

TEST(CpuFeatures, CpuidAndCpuinfoOfOneProcessorAgree) {
  // Core i5-8400: CPUID leaves 1, 7 and 0x80000001, and its "flags" line,
  // which adds EPT (a capability of VT-x that no CPUID bit shows).
  CpuidWords cpuid;
  cpuid.words[kLeaf1Ecx] = 0x7FFAFBBF;
  cpuid.words[kLeaf1Edx] = 0xBFEBFBFF;
  cpuid.words[kLeaf7Ebx] = 0x029C67AF;
  cpuid.words[kLeaf7Ecx] = 0x40000000;
  cpuid.words[kLeaf80000001Ecx] = 0x00000121;
  cpuid.words[kLeaf80000001Edx] = 0x2C100800;
  const FeatureFlags cpuinfo = flagsOf(
      "fpu vme de pse tsc msr pae mce cx8 apic sep mtrr pge mca cmov pat pse36 clflush dts acpi mmx fxsr sse sse2 ss "
      "ht tm pbe syscall nx pdpe1gb rdtscp lm constant_tsc art arch_perfmon pebs bts rep_good nopl xtopology "
      "nonstop_tsc cpuid aperfmperf pni pclmulqdq dtes64 monitor ds_cpl vmx smx est tm2 ssse3 sdbg fma cx16 xtpr pdcm "
      "pcid sse4_1 sse4_2 x2apic movbe popcnt tsc_deadline_timer aes xsave avx f16c rdrand lahf_lm abm 3dnowprefetch "
      "cpuid_fault epb invpcid_single pti ssbd ibrs ibpb stibp tpr_shadow vnmi flexpriority ept vpid ept_ad fsgsbase "
      "tsc_adjust bmi1 avx2 smep bmi2 erms invpcid mpx rdseed adx smap clflushopt intel_pt xsaveopt xsavec xgetbv1 "
      "xsaves dtherm ida arat pln pts hwp hwp_notify hwp_act_window hwp_epp md_clear flush_l1d arch_capabilities");
  const Names expected = {"AVX2",   "TMT", "SK",    "SSE", "SSE2", "SSE3", "SSSE3", "SSE4.1",
                          "SSE4.2", "MMX", "EM64T", "AES", "VT-x", "AVX",  "FMA3"};
  EXPECT_EQ(technologyNames(Vendor::Intel, cpuidFlags(cpuid), false), expected);
  Names withEpt = expected;
  withEpt.insert(withEpt.begin() + 1, "EPT");
  EXPECT_EQ(technologyNames(Vendor::Intel, cpuinfo, false), withEpt);
}

TEST(CpuFeatures, NamesByMaker) {
  const FeatureFlags flags = flagsOf("lm rdrand");
  const struct {
    Vendor vendor;
    bool smt;
    Names names;
  } cases[] = {
      {Vendor::Intel, true, {"SK", "HT", "EM64T"}},
      {Vendor::Amd, true, {"SMT", "AMD64"}},
      {Vendor::Other, true, {"SMT", "x86-64"}},
      {Vendor::Intel, false, {"SK", "EM64T"}},
  };
  for (const auto& c : cases) EXPECT_EQ(technologyNames(c.vendor, flags, c.smt), c.names);
}

TEST(CpuFeatures, ReadsFlagLinesWholeWordsOnly) {
  const struct {
    std::string line;
    FeatureFlags flags;
  } cases[] = {
      {"sse sse2\tavx2  lm\r", {"sse", "sse2", "avx2", "lm"}},
      {"ept_ad ept_1gb sse4_1x xsse avx512 avx512fma", {}},  // near names are other features
      {"\t  \t", {}},
      {"", {}},
      {std::string(1 << 20, 'f') + " aes", {"aes"}},
      {"SSE AVX2", {}},  // Linux writes them in lower case
      {"aes aes aes", {"aes"}},
  };
  for (const auto& c : cases) EXPECT_EQ(flagsOf(c.line), c.flags) << c.line.substr(0, 60);
}

TEST(CpuFeatures, FamilyAsTheSystemsShowIt) {
  const struct {
    std::uint32_t eax;
    int family;
  } cases[] = {
      {0x000906EA, 6},   // Core i5-8400
      {0x00000F41, 15},  // Pentium 4
      {0x00600F20, 21},  // FX-8350
      {0x00870F10, 23},  // Ryzen 5 3600
      {0x00A20F10, 25},  // Ryzen 5 5600X
      {0x00000633, 6},   // Pentium II: the extended family counts only with 15
      {0x0FF00F00, 270},
  };
  for (const auto& c : cases) EXPECT_EQ(displayFamily(c.eax), c.family) << std::hex << c.eax;
}

TEST(CpuFeatures, KnowsTheMakers) {
  EXPECT_EQ(vendorOf("GenuineIntel"), Vendor::Intel);
  EXPECT_EQ(vendorOf("AuthenticAMD"), Vendor::Amd);
  EXPECT_EQ(vendorOf("HygonGenuine"), Vendor::Amd);
  for (const char* other : {"CentaurHauls", "  Shanghai  ", "GenuineIntel ", "", "genuineintel"})
    EXPECT_EQ(vendorOf(other), Vendor::Other) << other;
}

}  // namespace
}  // namespace wexmora::platform
