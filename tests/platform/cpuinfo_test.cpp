// /proc/cpuinfo as Linux writes it, read into the brand string and an
// identifier in the form Windows gives it.
#include "platform/cpuinfo.h"

#include <gtest/gtest.h>

namespace wexmora::platform {
namespace {

constexpr const char* kIntelDesktop = R"(processor	: 0
vendor_id	: GenuineIntel
cpu family	: 6
model		: 158
model name	: Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz
stepping	: 10
microcode	: 0xf4
cpu MHz		: 800.117
cache size	: 9216 KB
flags		: fpu vme de pse tsc msr

processor	: 1
vendor_id	: GenuineIntel
cpu family	: 6
model		: 158
model name	: Some other name
stepping	: 11
)";

constexpr const char* kAmd = R"(processor	: 0
vendor_id	: AuthenticAMD
cpu family	: 25
model		: 33
model name	: AMD Ryzen 5 5600X 6-Core Processor             
stepping	: 0
)";

constexpr const char* kArm = R"(processor	: 0
BogoMIPS	: 48.00
Features	: fp asimd evtstrm aes pmull sha1 sha2 crc32 cpuid
CPU implementer	: 0x41
CPU architecture: 8
)";

constexpr const char* kNoModelName = R"(processor	: 0
vendor_id	: GenuineIntel
cpu family	: 15
model		: 4
stepping	: 1
)";

TEST(Cpuinfo, ReadsTheFirstProcessor) {
  const struct {
    const char* name;
    const char* text;
    const char* brand;
    const char* identifier;
  } cases[] = {
      {"intel desktop", kIntelDesktop, "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz",
       "Intel64 Family 6 Model 158 Stepping 10"},
      {"amd, trailing blanks kept", kAmd, "AMD Ryzen 5 5600X 6-Core Processor             ",
       "AMD64 Family 25 Model 33 Stepping 0"},
      {"no model name", kNoModelName, "", "Intel64 Family 15 Model 4 Stepping 1"},
      {"arm", kArm, "", ""},
      {"empty file", "", "", ""},
      {"leading blank lines", "\n\nvendor_id : GenuineIntel\nmodel name : X\ncpu family : 6\nmodel : 1\nstepping : 2\n",
       "X", "Intel64 Family 6 Model 1 Stepping 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto d = parseCpuinfo(c.text);
    EXPECT_EQ(d.brand, c.brand);
    EXPECT_EQ(d.identifier, c.identifier);
  }
}

}  // namespace
}  // namespace wexmora::platform
