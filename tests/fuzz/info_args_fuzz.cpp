// Any argument vector (the input cut at NUL bytes) through wexmora-info's
// option parser.
//
// What must hold: parsing never throws; an accepted command line, written
// back in its plain form, parses to the same options; a refused one names
// what it refuses; and an argument that is neither a known option nor the
// value of one is always refused.
#include <algorithm>
#include <array>

#include "app/info/options.h"
#include "fuzz_support.h"

namespace {

using namespace wexmora;
using fuzz::shown;

constexpr std::array<std::string_view, 10> kFlags = {"--help", "-h",          "--json",           "--dump-controls",
                                                     "--list", "--explain",   "--catalogue-only", "--version",
                                                     "--csv",  "--prometheus"};
constexpr std::array<std::string_view, 8> kWithValue = {"--brand",    "--identifier",      "--stored-language",
                                                        "--key",      "--switch-language", "--brands",
                                                        "--language", "--prometheus-file"};

bool same(const info::Options& a, const info::Options& b) {
  return a.output == b.output && a.brand == b.brand && a.identifier == b.identifier &&
         a.storedLanguage == b.storedLanguage && a.switchLanguage == b.switchLanguage && a.key == b.key &&
         a.explain == b.explain && a.brandsFile == b.brandsFile && a.catalogueOnly == b.catalogueOnly &&
         a.prometheusFile == b.prometheusFile;
}

// The options as the shortest command line that asks for them.
std::vector<std::string> plainForm(const info::Options& options) {
  std::vector<std::string> args = {"wexmora-info"};
  const auto add = [&](const char* name, const std::optional<std::string>& value) {
    if (value) args.insert(args.end(), {name, *value});
  };
  add("--brand", options.brand);
  add("--identifier", options.identifier);
  add("--stored-language", options.storedLanguage);
  add("--key", options.key);
  add("--brands", options.brandsFile);
  add("--prometheus-file", options.prometheusFile);
  if (options.explain) args.push_back("--explain");
  if (options.catalogueOnly) args.push_back("--catalogue-only");
  if (options.switchLanguage) args.insert(args.end(), {"--switch-language", std::to_string(*options.switchLanguage)});
  switch (options.output) {
    case info::Output::Text:
      break;
    case info::Output::Json:
      args.push_back("--json");
      break;
    case info::Output::Controls:
      args.push_back("--dump-controls");
      break;
    case info::Output::List:
      args.push_back("--list");
      break;
    case info::Output::Help:
      args.push_back("--help");
      break;
    case info::Output::Version:
      args.push_back("--version");
      break;
    case info::Output::Csv:
      args.push_back("--csv");
      break;
    case info::Output::Prometheus:
      args.push_back("--prometheus");
      break;
  }
  return args;
}

std::variant<info::Options, info::UsageError> parse(const std::vector<std::string>& args) {
  std::vector<const char*> argv;
  for (const auto& arg : args) argv.push_back(arg.c_str());
  argv.push_back(nullptr);
  return info::parseArguments(static_cast<int>(args.size()), argv.data());
}

bool known(std::string_view arg) {
  return std::find(kFlags.begin(), kFlags.end(), arg) != kFlags.end() ||
         std::find(kWithValue.begin(), kWithValue.end(), arg) != kWithValue.end();
}

// True when some argument is not an option and not the value of the option before it.
bool strayArgument(const std::vector<std::string>& args) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (std::find(kWithValue.begin(), kWithValue.end(), args[i]) != kWithValue.end()) {
      ++i;  // its value, whatever it is
      continue;
    }
    if (!known(args[i])) return true;
  }
  return false;
}

std::string shownArgs(const std::vector<std::string>& args) {
  std::string out;
  for (const auto& arg : args) out += shown(arg) + " ";
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args = {"wexmora-info"};
  if (size > 0)
    for (auto& field : fuzz::fields(data, size)) args.push_back(std::move(field));
  const auto context = [&] { return " for " + shownArgs(args); };

  const auto parsed = parse(args);
  if (const auto* error = std::get_if<info::UsageError>(&parsed)) {
    bool named = false;
    for (std::size_t i = 1; i < args.size(); ++i) named = named || error->message.find(args[i]) != std::string::npos;
    FUZZ_CHECK(!error->message.empty() && named,
               "the message " + shown(error->message) + " names no argument" + context());
    return 0;
  }
  const auto& options = std::get<info::Options>(parsed);
  FUZZ_CHECK(!strayArgument(args), "a stray argument was accepted" + context());
  const auto plain = plainForm(options);
  const auto again = parse(plain);
  FUZZ_CHECK(std::holds_alternative<info::Options>(again) && same(std::get<info::Options>(again), options),
             "the plain form " + shownArgs(plain) + "parses differently" + context());
  return 0;
}
