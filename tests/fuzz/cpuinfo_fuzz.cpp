// Any bytes as /proc/cpuinfo, read into the brand string and identifier and
// handed to the probe as the Linux processor source does.
//
// What must hold: both texts are single lines taken from the file; the
// identifier is empty or "<architecture> Family F Model M Stepping S"; only
// the first processor block counts, so a block appended after a blank line
// or blank lines put in front change nothing; and an identifier of decimal
// numbers comes out of the probe as the same three numbers.
#include <algorithm>
#include <cctype>

#include "core/identify/probe.h"
#include "design_form.h"
#include "fuzz_support.h"
#include "platform/cpuinfo.h"

namespace {

using namespace wexmora;
using fuzz::shown;

constexpr std::string_view kArchitectures[] = {"Intel64 Family ", "AMD64 Family ", "x86 Family "};

constexpr std::string_view kSecondProcessor =
    "\n\nprocessor\t: 1\nvendor_id\t: AuthenticAMD\ncpu family\t: 23\nmodel\t\t: 113\n"
    "model name\t: AMD Ryzen 5 3600 6-Core Processor\nstepping\t: 0\n";

bool digits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

// "<architecture> Family F Model M Stepping S" split into F, M and S, when
// all three are decimal numbers.
bool numericIdentifier(const std::string& identifier, std::string (&numbers)[3]) {
  std::string_view rest = identifier;
  for (const auto arch : kArchitectures)
    if (rest.starts_with(arch)) rest.remove_prefix(arch.size() - std::string_view("Family ").size());
  constexpr std::string_view kWords[] = {"Family ", " Model ", " Stepping "};
  for (int i = 0; i < 3; ++i) {
    if (!rest.starts_with(kWords[i])) return false;
    rest.remove_prefix(kWords[i].size());
    const auto end = i < 2 ? rest.find(' ') : rest.size();
    numbers[i] = std::string(rest.substr(0, end));
    if (!digits(numbers[i])) return false;
    rest.remove_prefix(numbers[i].size());
  }
  return rest.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = fuzz::asText(data, size);
  const auto read = platform::parseCpuinfo(file);
  const auto context = [&] { return ": brand " + shown(read.brand) + ", identifier " + shown(read.identifier); };

  FUZZ_CHECK(read.brand.find('\n') == std::string::npos, "brand spans lines" + context());
  FUZZ_CHECK(read.identifier.find('\n') == std::string::npos, "identifier spans lines" + context());
  FUZZ_CHECK(file.find(read.brand) != std::string::npos, "brand not taken from the file" + context());
  if (!read.identifier.empty()) {
    bool known = false;
    for (const auto arch : kArchitectures) known = known || read.identifier.starts_with(arch);
    FUZZ_CHECK(known && read.identifier.find(" Model ") != std::string::npos &&
                   read.identifier.find(" Stepping ") != std::string::npos,
               "identifier shape" + context());
  }

  const auto padded = platform::parseCpuinfo("\n\n" + file);
  FUZZ_CHECK(padded.brand == read.brand && padded.identifier == read.identifier,
             "leading blank lines changed the result" + context());
  if (!read.brand.empty() || !read.identifier.empty()) {
    const auto extended = platform::parseCpuinfo(file + std::string(kSecondProcessor));
    FUZZ_CHECK(extended.brand == read.brand && extended.identifier == read.identifier,
               "a second processor block changed the result to " + shown(extended.brand) + " / " +
                   shown(extended.identifier) + context());
  }

  std::string numbers[3];
  if (numericIdentifier(read.identifier, numbers)) {
    static TForm15 form;
    fuzz::restoreControls(form);
    platform::FixedProcessorSource source(read.brand, read.identifier);
    readProcessorIdentity(form, source);
    FUZZ_CHECK(form["Edit2"].text == numbers[0] && form["Edit3"].text == numbers[1] && form["Edit4"].text == numbers[2],
               "probe shows " + form["Edit2"].text + "/" + form["Edit3"].text + "/" + form["Edit4"].text + context());
  }
  return 0;
}
