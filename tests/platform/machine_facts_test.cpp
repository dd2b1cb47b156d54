// The machine's facts read from Linux's processor files: whole trees as real
// machines lay them out (hyper-threading on and off, AMD's modules, several
// L3 complexes, two sockets, virtual machines, offline processors), then
// missing, damaged and hostile files.
#include "platform/machine_facts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/processor_files.h"
#include "support/machine_facts_fakes.h"

namespace wexmora::platform {

namespace {

using testing::MemoryFileTree;
constexpr std::uint64_t kKib = 1024, kMib = 1024 * 1024;
const std::string kCpu = "sys/devices/system/cpu/";

// A processor list as the kernel writes it: "0-2,12-14".
std::string listText(std::vector<int> ids) {
  std::sort(ids.begin(), ids.end());
  std::string text;
  for (std::size_t i = 0; i < ids.size();) {
    std::size_t j = i;
    while (j + 1 < ids.size() && ids[j + 1] == ids[j] + 1) ++j;
    if (!text.empty()) text += ',';
    text += std::to_string(ids[i]);
    if (j > i) text += "-" + std::to_string(ids[j]);
    i = j + 1;
  }
  return text + "\n";
}

// How Linux lays out a machine in /sys/devices/system/cpu: the threads of a
// core are a whole machine's cores apart (cpu0 and cpu6 on a six-core
// processor), caches are listed per processor with the processors sharing
// them.
struct Layout {
  int packages, coresPerPackage, threadsPerCore;
  int coresPerL2;
  const char* l2Size;
  int coresPerL3;  // 0: no level-3 cache
  const char* l3Size;
  long maxKhz;              // 0: no cpufreq folder (virtual machines)
  int coresPerComplex = 0;  // core_id numbering with gaps: Zen numbers each complex's cores from a multiple of 4
};

MemoryFileTree sysfs(const Layout& layout, const std::string& cpuinfo) {
  MemoryFileTree tree;
  tree.files["proc/cpuinfo"] = cpuinfo;
  const int cores = layout.packages * layout.coresPerPackage;
  std::vector<int> all;
  const auto idOf = [&](int package, int core, int thread) {
    return thread * cores + package * layout.coresPerPackage + core;
  };
  const auto sharing = [&](int package, int core, int coresPer) {
    std::vector<int> ids;
    for (int c = core / coresPer * coresPer; c < (core / coresPer + 1) * coresPer; ++c)
      for (int t = 0; t < layout.threadsPerCore; ++t) ids.push_back(idOf(package, c, t));
    return listText(ids);
  };
  for (int package = 0; package < layout.packages; ++package)
    for (int core = 0; core < layout.coresPerPackage; ++core)
      for (int thread = 0; thread < layout.threadsPerCore; ++thread) {
        const int id = idOf(package, core, thread);
        all.push_back(id);
        const std::string dir = kCpu + "cpu" + std::to_string(id) + "/";
        const int coreId =
            layout.coresPerComplex ? core / layout.coresPerComplex * 4 + core % layout.coresPerComplex : core;
        tree.files[dir + "topology/physical_package_id"] = std::to_string(package) + "\n";
        tree.files[dir + "topology/die_id"] = "0\n";
        tree.files[dir + "topology/core_id"] = std::to_string(coreId) + "\n";
        if (layout.maxKhz) tree.files[dir + "cpufreq/cpuinfo_max_freq"] = std::to_string(layout.maxKhz) + "\n";
        const struct {
          int level;
          const char *type, *size;
          int coresPer;
        } caches[] = {{1, "Data", "32K", 1},
                      {1, "Instruction", "32K", 1},
                      {2, "Unified", layout.l2Size, layout.coresPerL2},
                      {3, "Unified", layout.l3Size, layout.coresPerL3}};
        for (int index = 0; index < 4; ++index) {
          if (caches[index].coresPer == 0) continue;
          const std::string cache = dir + "cache/index" + std::to_string(index) + "/";
          tree.files[cache + "level"] = std::to_string(caches[index].level) + "\n";
          tree.files[cache + "type"] = std::string(caches[index].type) + "\n";
          tree.files[cache + "size"] = std::string(caches[index].size) + "\n";
          tree.files[cache + "shared_cpu_list"] = sharing(package, core, caches[index].coresPer);
        }
      }
  tree.files[kCpu + "online"] = listText(all);
  return tree;
}

std::string cpuinfo(const char* vendor, int family, const char* flags, const char* vmxFlags = nullptr) {
  std::string text = std::string("processor\t: 0\nvendor_id\t: ") + vendor +
                     "\ncpu family\t: " + std::to_string(family) +
                     "\nmodel\t\t: 1\nmodel name\t: Some processor\nflags\t\t: " + flags + "\n";
  if (vmxFlags) text += std::string("vmx flags\t: ") + vmxFlags + "\n";
  return text + "bogomips\t: 5599.85\n\nprocessor\t: 1\nvendor_id\t: " + vendor + "\nflags\t\t: sse4a svm fma4\n\n";
}

// Real flag lines, abridged only where the line runs on with flags no technology names.
constexpr const char* kCoffeeLakeFlags =
    "fpu vme de pse tsc msr pae mce cx8 apic sep mtrr pge mca cmov pat pse36 clflush dts acpi mmx fxsr sse sse2 ss ht "
    "tm pbe syscall nx pdpe1gb rdtscp lm constant_tsc art arch_perfmon pebs bts rep_good nopl xtopology nonstop_tsc "
    "cpuid aperfmperf pni pclmulqdq dtes64 monitor ds_cpl vmx smx est tm2 ssse3 sdbg fma cx16 xtpr pdcm pcid sse4_1 "
    "sse4_2 x2apic movbe popcnt tsc_deadline_timer aes xsave avx f16c rdrand lahf_lm abm 3dnowprefetch cpuid_fault epb "
    "invpcid_single pti ssbd ibrs ibpb stibp tpr_shadow vnmi flexpriority ept vpid ept_ad fsgsbase tsc_adjust bmi1 "
    "avx2 smep bmi2 erms invpcid mpx rdseed adx smap clflushopt intel_pt xsaveopt xsavec xgetbv1 xsaves dtherm ida "
    "arat "
    "pln pts hwp hwp_notify hwp_act_window hwp_epp md_clear flush_l1d arch_capabilities";
// A newer kernel lists EPT under "vmx flags" only.
constexpr const char* kCometLakeFlags =
    "fpu vme de pse tsc msr pae mce cx8 apic sep mtrr pge mca cmov pat pse36 clflush dts acpi mmx fxsr sse sse2 ss ht "
    "tm pbe syscall nx pdpe1gb rdtscp lm constant_tsc art arch_perfmon pebs bts rep_good nopl xtopology nonstop_tsc "
    "cpuid aperfmperf pni pclmulqdq dtes64 monitor ds_cpl vmx est tm2 ssse3 sdbg fma cx16 xtpr pdcm pcid sse4_1 sse4_2 "
    "x2apic movbe popcnt tsc_deadline_timer aes xsave avx f16c rdrand lahf_lm abm 3dnowprefetch cpuid_fault epb "
    "invpcid_single ssbd ibrs ibpb stibp ibrs_enhanced tpr_shadow flexpriority fsgsbase tsc_adjust bmi1 avx2 smep bmi2 "
    "erms invpcid mpx rdseed adx smap clflushopt intel_pt xsaveopt xsavec xgetbv1 xsaves dtherm ida arat pln pts hwp "
    "hwp_notify hwp_act_window hwp_epp md_clear flush_l1d arch_capabilities";
constexpr const char* kCometLakeVmxFlags =
    "vnmi preemption_timer invvpid ept_x_only ept_ad ept_1gb flexpriority tsc_offset vtpr mtf vapic ept vpid "
    "unrestricted_guest ple shadow_vmcs pml ept_mode_based_exec";
constexpr const char* kPiledriverFlags =
    "fpu vme de pse tsc msr pae mce cx8 apic sep mtrr pge mca cmov pat pse36 clflush mmx fxsr sse sse2 ht syscall nx "
    "mmxext fxsr_opt pdpe1gb rdtscp lm constant_tsc rep_good nopl nonstop_tsc cpuid extd_apicid aperfmperf pni "
    "pclmulqdq monitor ssse3 fma cx16 sse4_1 sse4_2 popcnt aes xsave avx f16c lahf_lm cmp_legacy svm extapic "
    "cr8_legacy abm sse4a misalignsse 3dnowprefetch osvw ibs xop skinit wdt fma4 tce nodeid_msr tbm topoext "
    "perfctr_core perfctr_nb cpb hw_pstate ssbd ibpb vmmcall bmi1 arat npt lbrv svm_lock nrip_save tsc_scale "
    "vmcb_clean flushbyasid decodeassists pausefilter pfthreshold";
constexpr const char* kZen2Flags =
    "fpu vme de pse tsc msr pae mce cx8 apic sep mtrr pge mca cmov pat pse36 clflush mmx fxsr sse sse2 ht syscall nx "
    "mmxext fxsr_opt pdpe1gb rdtscp lm constant_tsc rep_good nopl nonstop_tsc cpuid extd_apicid aperfmperf rapl pni "
    "pclmulqdq monitor ssse3 fma cx16 sse4_1 sse4_2 movbe popcnt aes xsave avx f16c rdrand lahf_lm cmp_legacy svm "
    "extapic cr8_legacy abm sse4a misalignsse 3dnowprefetch osvw ibs skinit wdt tce topoext perfctr_core perfctr_nb "
    "bpext perfctr_llc mwaitx cpb cat_l3 cdp_l3 hw_pstate ssbd mba ibpb stibp vmmcall fsgsbase bmi1 avx2 smep bmi2 cqm "
    "rdt_a rdseed adx smap clflushopt clwb sha_ni xsaveopt xsavec xgetbv1 xsaves cqm_llc cqm_occup_llc cqm_mbm_total "
    "cqm_mbm_local clzero irperf xsaveerptr rdpru wbnoinvd arat npt lbrv svm_lock nrip_save tsc_scale vmcb_clean "
    "flushbyasid decodeassists pausefilter pfthreshold avic v_vmsave_vmload vgif v_spec_ctrl umip rdpid overflow_recov "
    "succor smca sme sev sev_es";
// A QEMU guest with the default processor model.
constexpr const char* kQemuFlags =
    "fpu de pse tsc msr pae mce cx8 apic sep mtrr pge mca cmov pat pse36 clflush mmx fxsr sse sse2 syscall nx lm "
    "rep_good nopl cpuid extd_apicid tsc_known_freq pni cx16 x2apic hypervisor lahf_lm cmp_legacy 3dnowprefetch "
    "vmmcall";
constexpr const char* kXeonFlags =
    "fpu vme de pse tsc msr pae mce cx8 apic sep mtrr pge mca cmov pat pse36 clflush dts acpi mmx fxsr sse sse2 ss ht "
    "tm pbe syscall nx pdpe1gb rdtscp lm constant_tsc arch_perfmon pebs bts rep_good nopl xtopology nonstop_tsc cpuid "
    "aperfmperf pni pclmulqdq dtes64 monitor ds_cpl vmx smx est tm2 ssse3 sdbg fma cx16 xtpr pdcm pcid dca sse4_1 "
    "sse4_2 x2apic movbe popcnt tsc_deadline_timer aes xsave avx f16c rdrand lahf_lm abm cpuid_fault epb "
    "invpcid_single "
    "pti intel_ppin ssbd ibrs ibpb stibp tpr_shadow vnmi flexpriority ept vpid ept_ad fsgsbase tsc_adjust bmi1 hle "
    "avx2 smep bmi2 erms invpcid rtm cqm rdt_a rdseed adx smap intel_pt xsaveopt cqm_llc cqm_occup_llc cqm_mbm_total "
    "cqm_mbm_local dtherm ida arat pln pts md_clear flush_l1d";

using Names = std::vector<std::string>;
const Names kCoffeeLakeNames = {"AVX2",   "EPT",    "TMT", "SK",    "HT",  "SSE",  "SSE2", "SSE3", "SSSE3",
                                "SSE4.1", "SSE4.2", "MMX", "EM64T", "AES", "VT-x", "AVX",  "FMA3"};
const Names kCoffeeLakeNoHtNames = {"AVX2",   "EPT",    "TMT", "SK",    "SSE", "SSE2", "SSE3", "SSSE3",
                                    "SSE4.1", "SSE4.2", "MMX", "EM64T", "AES", "VT-x", "AVX",  "FMA3"};
const Names kPiledriverNames = {"SSE", "SSE2",  "SSE3", "SSSE3", "SSE4.1", "SSE4.2", "SSE4A",
                                "MMX", "AMD64", "AES",  "AMD-V", "AVX",    "FMA3",   "FMA4"};
const Names kZen2Names = {"AVX2",  "SMT", "SSE",   "SSE2", "SSE3",  "SSSE3", "SSE4.1", "SSE4.2",
                          "SSE4A", "MMX", "AMD64", "AES",  "AMD-V", "AVX",   "FMA3",   "SHA"};
const Names kXeonNames = {"AVX2",  "EPT",    "TSX-NI", "TMT", "SK",    "HT",  "SSE",  "SSE2", "SSE3",
                          "SSSE3", "SSE4.1", "SSE4.2", "MMX", "EM64T", "AES", "VT-x", "AVX",  "FMA3"};
const Names kQemuNames = {"SSE", "SSE2", "SSE3", "MMX", "AMD64"};
const Names kCeleronNames = {"TMT", "SSE", "SSE2", "SSE3", "SSSE3", "MMX", "EM64T"};
constexpr const char* kCeleronFlags = "fpu mmx sse sse2 ss ht tm pbe nx lm pni dtes64 monitor ds_cpl est tm2 ssse3";

struct LayoutCase {
  const char* name;
  Layout layout;
  std::string cpuinfo;
  MachineFacts expected;
};

// clang-format off
const LayoutCase kLayouts[] = {
  // name
  //  layout: packages, cores/package, threads/core, cores/L2, L2, cores/L3, L3, max kHz, cores/complex
  //  /proc/cpuinfo: maker, family, flags, vmx flags
  //  expected: packages, cores, threads, L2, L3, MHz, technologies
  {"Core i7-8700, hyper-threading on",
   {1, 6, 2, 1, "256K", 6, "12288K", 4600000},      cpuinfo("GenuineIntel", 6, kCoffeeLakeFlags),
   {1, 6, 12, 1536 * kKib, 12 * kMib, 4600, kCoffeeLakeNames}},
  {"Core i7-9700K class, hyper-threading off",
   {1, 8, 1, 1, "256K", 8, "12288K", 4900000},      cpuinfo("GenuineIntel", 6, kCoffeeLakeFlags),
   {1, 8, 8, 2 * kMib, 12 * kMib, 4900, kCoffeeLakeNoHtNames}},
  {"Core i5-10400, EPT only among the vmx flags",
   {1, 6, 2, 1, "256K", 6, "12288K", 4300000},      cpuinfo("GenuineIntel", 6, kCometLakeFlags, kCometLakeVmxFlags),
   {1, 6, 12, 1536 * kKib, 12 * kMib, 4300, kCoffeeLakeNames}},
  {"FX-8350: four modules that Linux shows as cores of two threads",
   {1, 4, 2, 1, "2048K", 4, "8192K", 4000000},      cpuinfo("AuthenticAMD", 21, kPiledriverFlags),
   {1, 8, 8, 8 * kMib, 8 * kMib, 4000, kPiledriverNames}},
  {"Ryzen 9 3900X: four L3 complexes of three cores",
   {1, 12, 2, 1, "512K", 3, "16384K", 3800000, 3},  cpuinfo("AuthenticAMD", 23, kZen2Flags),
   {1, 12, 24, 6 * kMib, 64 * kMib, 3800, kZen2Names}},
  {"two Xeon E5-2650 v4 sockets: the figures of one",
   {2, 12, 2, 1, "256K", 12, "30720K", 2900000},    cpuinfo("GenuineIntel", 6, kXeonFlags),
   {2, 12, 24, 3 * kMib, 30 * kMib, 2900, kXeonNames}},
  {"QEMU guest with two sockets of one core and no cpufreq",
   {2, 1, 1, 1, "512K", 1, "16384K", 0},            cpuinfo("AuthenticAMD", 15, kQemuFlags),
   {2, 1, 1, 512 * kKib, 16 * kMib, 0, kQemuNames}},
  {"Celeron without L3, with a shared L2",
   {1, 2, 1, 2, "1024K", 0, "", 1600000},           cpuinfo("GenuineIntel", 6, kCeleronFlags),
   {1, 2, 2, 1 * kMib, std::nullopt, 1600, kCeleronNames}},
};
// clang-format on

TEST(MachineFacts, ReadsWholeMachines) {
  for (const auto& c : kLayouts) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(readLinuxMachineFacts(sysfs(c.layout, c.cpuinfo)), c.expected);
  }
}

// One file changed, added or removed in a tree of the i7-8700 above.
struct Damage {
  const char* name;
  std::map<std::string, std::string> replaced;  // file -> text; "<none>" removes it
  int cores, threads;
  std::optional<std::uint64_t> l2, l3;
  int maxMhz;
};

const std::string kCpu0 = kCpu + "cpu0/";
const std::string kCpu3 = kCpu + "cpu3/";
// clang-format off
//  what                                               file(s) replaced                                                     cores threads L2            L3            MHz
const Damage kDamages[] = {
  {"processors 3 and 9 (one core) offline",            {{kCpu + "online", "0-2,4-8,10-11\n"}},                                5,  10,  1280 * kKib,  12 * kMib,    4600},
  {"processor 9 alone offline",                        {{kCpu + "online", "0-8,10-11\n"}},                                    6,  11,  1536 * kKib,  12 * kMib,    4600},
  {"no online list: the processors of /proc/cpuinfo",  {{kCpu + "online", "<none>"}},                                         2,  2,   512 * kKib,   12 * kMib,    4600},
  {"online list past every processor number",          {{kCpu + "online", "0-4294967295\n"}},                                 2,  2,   512 * kKib,   12 * kMib,    4600},
  {"online list of garbage",                           {{kCpu + "online", "zero to eleven\n"}},                               2,  2,   512 * kKib,   12 * kMib,    4600},
  {"empty online list",                                {{kCpu + "online", ""}},                                               0,  0,   std::nullopt, std::nullopt, 0},
  {"a core number of garbage: cores unknown",          {{kCpu3 + "topology/core_id", "three\n"}},                             0,  12,  1536 * kKib,  12 * kMib,    4600},
  {"first L3 size of garbage: read at the next",       {{kCpu0 + "cache/index3/size", "lots\n"}},                             6,  12,  1536 * kKib,  12 * kMib,    4600},
  {"first L2 size of garbage: read at the sibling",    {{kCpu0 + "cache/index2/size", "lots\n"}},                             6,  12,  1536 * kKib,  12 * kMib,    4600},
  {"an L3 that does not list its own processor",       {{kCpu0 + "cache/index3/shared_cpu_list", "1-11\n"}},                  6,  12,  1536 * kKib,  12 * kMib,    4600},
  {"no level file: that processor's caches end",       {{kCpu0 + "cache/index0/level", "<none>"}},                            6,  12,  1536 * kKib,  12 * kMib,    4600},
  {"instruction caches only",                          {{kCpu0 + "cache/index2/type", "Instruction\n"}},                      6,  12,  1536 * kKib,  12 * kMib,    4600},
  {"a cache size past a tebibyte",                     {{kCpu0 + "cache/index2/size", "1099511627777K\n"}},                   6,  12,  1536 * kKib,  12 * kMib,    4600},
  {"a value file of 1 MiB",                            {{kCpu0 + "cpufreq/cpuinfo_max_freq", std::string(1 << 20, '9')}},    6,  12,  1536 * kKib,  12 * kMib,    4600},
  {"a negative clock",                                 {{kCpu0 + "cpufreq/cpuinfo_max_freq", "-4600000\n"}},                  6,  12,  1536 * kKib,  12 * kMib,    4600},
  {"a clock of 5 THz",                                 {{kCpu0 + "cpufreq/cpuinfo_max_freq", "5000000000\n"}},                6,  12,  1536 * kKib,  12 * kMib,    4600},
  {"a faster core",                                    {{kCpu3 + "cpufreq/cpuinfo_max_freq", "4700000\n"}},                   6,  12,  1536 * kKib,  12 * kMib,    4700},
  {"a faster second thread is not read",               {{kCpu + "cpu9/cpufreq/cpuinfo_max_freq", "4700000\n"}},               6,  12,  1536 * kKib,  12 * kMib,    4600},
  // Processor 11, the other thread of its core, keeps the core on the first
  // package; the core's L2 goes with its lowest processor, 5.
  {"processor 5 on a second package",                  {{kCpu + "cpu5/topology/physical_package_id", "1\n"}},                 6,  11,  1280 * kKib,  12 * kMib,    4600},
  {"all L3s on a second package",                      {{kCpu0 + "cache/index3/shared_cpu_list", "0-11\n"}, {kCpu0 + "topology/physical_package_id", "1\n"}},
                                                                                                                               6,  11,  1280 * kKib,  std::nullopt, 4600},
};
// clang-format on

TEST(MachineFacts, ToleratesDamagedFiles) {
  const Layout i7{1, 6, 2, 1, "256K", 6, "12288K", 4600000};
  // /proc/cpuinfo of a container that lists two processors of one package.
  const std::string twoBlocks =
      "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nphysical id\t: 0\ncore id\t\t: 0\nflags\t\t: sse\n\n"
      "processor\t: 1\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nphysical id\t: 0\ncore id\t\t: 1\nflags\t\t: "
      "sse\n\n";
  for (const auto& c : kDamages) {
    SCOPED_TRACE(c.name);
    auto tree = sysfs(i7, twoBlocks);
    for (const auto& [path, text] : c.replaced) {
      if (text == "<none>")
        tree.files.erase(path);
      else
        tree.files[path] = text;
    }
    const auto facts = readLinuxMachineFacts(tree);
    EXPECT_EQ(facts.cores, c.cores);
    EXPECT_EQ(facts.threads, c.threads);
    EXPECT_EQ(facts.l2Bytes, c.l2);
    EXPECT_EQ(facts.l3Bytes, c.l3);
    EXPECT_EQ(facts.maxMhz, c.maxMhz);
  }
}

TEST(MachineFacts, FallsBackToCpuinfoWithoutTheTopologyFolders) {
  // A container that shows /proc/cpuinfo but no /sys: two packages of two
  // cores with two threads each.
  std::string text;
  const int packageOf[] = {0, 0, 0, 0, 1, 1, 1, 1}, coreOf[] = {0, 1, 0, 1, 0, 1, 0, 1};
  for (int i = 0; i < 8; ++i)
    text += "processor\t: " + std::to_string(i) +
            "\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nphysical id\t: " + std::to_string(packageOf[i]) +
            "\ncore id\t\t: " + std::to_string(coreOf[i]) + "\nflags\t\t: fpu mmx sse sse2 ht lm\n\n";
  const MachineFacts facts = readLinuxMachineFacts(MemoryFileTree({{"proc/cpuinfo", text}}));
  EXPECT_EQ(facts, (MachineFacts{2, 2, 4, std::nullopt, std::nullopt, 0, {"HT", "SSE", "SSE2", "MMX", "EM64T"}}));
}

TEST(MachineFacts, KnowsNothingOfAnEmptyOrGarbageTree) {
  const std::map<std::string, std::string> trees[] = {
      {},
      {{"proc/cpuinfo", ""}},
      {{"proc/cpuinfo", std::string(3 << 20, 'x')}, {kCpu + "online", std::string(1 << 20, ',')}},
      {{"proc/cpuinfo", "\x01\x02\xff:\xfe\n\n:::\n"}, {kCpu + "online", "\xff\n"}},
      {{"proc/cpuinfo", "processor : -1\nprocessor : 99999999999999999999\n"}},
  };
  for (const auto& files : trees) EXPECT_EQ(readLinuxMachineFacts(MemoryFileTree(files)), MachineFacts{});
}

TEST(MachineFacts, ReadsFlagsOfTheFirstProcessorOnly) {
  // The second block of cpuinfo() claims sse4a, svm and fma4: they stay out.
  const auto facts = readLinuxMachineFacts(MemoryFileTree({{"proc/cpuinfo", cpuinfo("GenuineIntel", 6, "sse lm")}}));
  EXPECT_EQ(facts.technologies, (Names{"SSE", "EM64T"}));
}

TEST(MachineFacts, ReadsEachSharedCacheOnceAndEachCoreClockOnce) {
  // 64 cores with two threads, one L3: the caches of the processors of one
  // core are known from the first, and cpufreq is read once per core.
  auto tree = sysfs({1, 64, 2, 1, "512K", 64, "262144K", 3500000}, cpuinfo("AuthenticAMD", 25, "sse"));
  const auto facts = readLinuxMachineFacts(tree);
  EXPECT_EQ(facts.cores, 64);
  EXPECT_EQ(facts.l3Bytes, 256 * kMib);
  const auto count = [&](const std::string& part) {
    return std::count_if(tree.reads.begin(), tree.reads.end(),
                         [&](const std::string& path) { return path.find(part) != std::string::npos; });
  };
  EXPECT_EQ(count("/size"), 64 + 1);  // each L2, the L3 once
  EXPECT_EQ(count("cpuinfo_max_freq"), 64);
  EXPECT_LE(tree.reads.size(), 128u * 3 + 64 * 4 * 4 + 64 + 2);
}

// A hybrid as Linux shows it: the processors of the performance cores under
// cpu_core, the efficient cores' under cpu_atom, the low-power efficient
// cores outside the level-3 cache.
MemoryFileTree hybridTree(int performance, int efficient, int lowPower, bool devices = true) {
  MemoryFileTree tree;
  tree.files["proc/cpuinfo"] = cpuinfo("GenuineIntel", 6, "sse lm ht");
  int id = 0, core = 0;
  std::vector<int> underL3, pCpus, eCpus;
  const auto add = [&](int count, int threads, bool l3, std::vector<int>& kind) {
    for (int c = 0; c < count; ++c, ++core)
      for (int t = 0; t < threads; ++t, ++id) {
        const std::string folder = kCpu + "cpu" + std::to_string(id) + "/";
        tree.files[folder + "topology/physical_package_id"] = "0\n";
        tree.files[folder + "topology/core_id"] = std::to_string(core) + "\n";
        (l3 ? underL3 : kind).push_back(id);
        if (l3) kind.push_back(id);
      }
  };
  std::vector<int> lowPowerCpus;
  add(performance, 2, true, pCpus);
  add(efficient, 1, true, eCpus);
  add(lowPower, 1, false, lowPowerCpus);
  eCpus.insert(eCpus.end(), lowPowerCpus.begin(), lowPowerCpus.end());
  for (const int cpu : underL3) {
    const std::string index3 = kCpu + "cpu" + std::to_string(cpu) + "/cache/index0/";  // the L3 alone
    tree.files[index3 + "level"] = "3\n";
    tree.files[index3 + "type"] = "Unified\n";
    tree.files[index3 + "size"] = "24576K\n";
    tree.files[index3 + "shared_cpu_list"] = listText(underL3) + "\n";
  }
  tree.files[kCpu + "online"] = "0-" + std::to_string(id - 1) + "\n";
  if (devices) {
    tree.files["sys/devices/cpu_core/cpus"] = listText(pCpus) + "\n";
    tree.files["sys/devices/cpu_atom/cpus"] = listText(eCpus) + "\n";
  }
  return tree;
}

TEST(MachineFacts, CountsAHybridsKindsOfCore) {
  struct KindCase {
    const char* name;
    MemoryFileTree tree;
    int cores, threads, performance, efficient, lowPower;
  };
  // clang-format off
  const KindCase cases[] = {
    {"Core Ultra 7 155H",                        hybridTree(6, 8, 2),        16, 22, 6, 8, 2},
    {"Core i9-13900K",                           hybridTree(8, 16, 0),       24, 32, 8, 16, 0},
    {"performance and low-power cores only",     hybridTree(4, 0, 4),        8,  12, 4, 0, 4},
    {"a kernel without the hybrid devices",      hybridTree(6, 8, 2, false), 16, 22, 0, 0, 0},
    {"no hybrid: one kind of core",              hybridTree(6, 0, 0),        6,  12, 0, 0, 0},
  };
  // clang-format on
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.name);
    const MachineFacts facts = readLinuxMachineFacts(c.tree);
    EXPECT_EQ(facts.cores, c.cores);
    EXPECT_EQ(facts.threads, c.threads);
    EXPECT_EQ(facts.performanceCores, c.performance);
    EXPECT_EQ(facts.efficientCores, c.efficient);
    EXPECT_EQ(facts.lowPowerCores, c.lowPower);
  }
}

TEST(CpuList, ReadsTheKernelsLists) {
  const struct {
    const char* text;
    std::optional<std::vector<int>> ids;
  } cases[] = {
      {"0\n", std::vector<int>{0}},
      {"0-3\n", std::vector<int>{0, 1, 2, 3}},
      {"0-2,12-14\n", std::vector<int>{0, 1, 2, 12, 13, 14}},
      {"4,0-1", std::vector<int>{0, 1, 4}},
      {"0-3,2-5,1", std::vector<int>{0, 1, 2, 3, 4, 5}},
      {"", std::vector<int>{}},
      {"\n", std::vector<int>{}},
      {"8191", std::vector<int>{8191}},
      {"8192", std::nullopt},
      {"0-4294967295", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"3-1", std::nullopt},
      {"0,", std::nullopt},
      {",0", std::nullopt},
      {"0--3", std::nullopt},
      {"-3", std::nullopt},
      {"0 1", std::nullopt},
      {"a-b", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parseCpuList(c.text, 8192), c.ids);
  }
  // The same long range many times over is merged, not spelt out each time.
  std::string repeated = "0-8191";
  for (int i = 0; i < 5000; ++i) repeated += ",0-8191";
  EXPECT_EQ(parseCpuList(repeated, 8192)->size(), 8192u);
}

TEST(CacheSize, ReadsTheKernelsSizes) {
  const struct {
    const char* text;
    std::optional<std::uint64_t> bytes;
  } cases[] = {
      {"32K\n", 32 * kKib},
      {"16384K\n", 16 * kMib},
      {"16M", 16 * kMib},
      {"1G", 1024 * kMib},
      {"512", 512},
      {" 256K \n", 256 * kKib},
      {"0K", std::nullopt},
      {"K", std::nullopt},
      {"", std::nullopt},
      {"32 K", std::nullopt},
      {"32KB", std::nullopt},
      {"-32K", std::nullopt},
      {"1073741824K", 1ull << 40},
      {"1073741825K", std::nullopt},
      {"99999999999999999999999K", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parseCacheSize(c.text), c.bytes);
  }
}

TEST(CacheText, WritesSizesAsTheCatalogueDoes) {
  const struct {
    std::uint64_t bytes;
    const char* text;
  } cases[] = {
      {9 * kMib, "9 Mb"},
      {1536 * kKib, "1.5 Mb"},
      {19712 * kKib, "19.25 Mb"},
      {12 * kMib, "12 Mb"},
      {64 * kMib, "64 Mb"},
      {256 * kKib, "256 Kb"},
      {512 * kKib, "512 Kb"},
      {1 * kMib, "1 Mb"},
      {1023 * kKib, "1023 Kb"},
      {kMib - 100, "1 Mb"},
      {2 * kMib + 1, "2 Mb"},
      {3 * kMib + kMib / 3, "3.33 Mb"},
      {0, "0 Kb"},
      {1ull << 40, "1048576 Mb"},
      {~0ull, "17592186044416 Mb"},
  };
  for (const auto& c : cases) EXPECT_EQ(cacheText(c.bytes), c.text) << c.bytes;
}

}  // namespace
}  // namespace wexmora::platform
