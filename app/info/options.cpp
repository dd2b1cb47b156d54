#include "app/info/options.h"

#include <charconv>
#include <string_view>

namespace wexmora::info {

std::string usage() {
  return "Usage: wexmora-info [OPTION]...\n"
         "Identifies the processor and prints its data sheet, as the Wexmora window shows it.\n"
         "\n"
         "  --brand TEXT             use TEXT as the brand string instead of this machine's\n"
         "  --identifier TEXT        use TEXT as the identifier (\"Intel64 Family 6 Model 158 Stepping 10\");\n"
         "                           with --brand and without --identifier the identifier is empty\n"
         "  --stored-language VALUE  run as if the stored language were VALUE (\"\" = none stored)\n"
         "  --switch-language N      afterwards, pick item N of the language selector (0 Russian, 1 English)\n"
         "  --json                   print the data sheet as one JSON object\n"
         "  --dump-controls          print every control of the main window as JSON\n"
         "  --key KEY                print the data sheet of catalogue entry KEY, or of the extended\n"
         "                           table's model number KEY (text, --json or --dump-controls)\n"
         "  --explain                after the data sheet, show why: the model-key rules that fired, the\n"
         "                           catalogue entry, the badge rules that held, the corrections, the language\n"
         "  --brands FILE            identify each line of FILE (\"-\" = standard input) as a brand string,\n"
         "                           or as brand string TAB identifier; prints brand, model key, catalogue\n"
         "                           key, badge, product line and source separated by tabs, or with\n"
         "                           --json one JSON object per line\n"
         "  --catalogue-only         answer from the built-in catalogue alone: no extended table and no\n"
         "                           facts of the machine itself\n"
         "  --list                   print the catalogue's model keys, one per line\n"
         "  --help                   print this help\n"
         "\n"
         "Settings are only read, never written.\n";
}

std::variant<Options, UsageError> parseArguments(int argc, const char* const* argv) {
  Options options;
  bool outputChosen = false;
  const auto chooseOutput = [&](Output output, std::string_view name) -> std::optional<UsageError> {
    if (outputChosen && options.output != output)
      return UsageError{"option " + std::string(name) + " cannot be combined with another output option"};
    options.output = output;
    outputChosen = true;
    return std::nullopt;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    std::optional<UsageError> error;
    if (arg == "--help" || arg == "-h") {
      error = chooseOutput(Output::Help, arg);
    } else if (arg == "--json") {
      error = chooseOutput(Output::Json, arg);
    } else if (arg == "--dump-controls") {
      error = chooseOutput(Output::Controls, arg);
    } else if (arg == "--list") {
      error = chooseOutput(Output::List, arg);
    } else if (arg == "--explain") {
      options.explain = true;
    } else if (arg == "--catalogue-only") {
      options.catalogueOnly = true;
    } else if (arg == "--brand" || arg == "--identifier" || arg == "--stored-language" || arg == "--key" ||
               arg == "--switch-language" || arg == "--brands") {
      auto text = value();
      if (!text) return UsageError{"option " + std::string(arg) + " needs a value"};
      if (arg == "--brand") options.brand = *text;
      if (arg == "--identifier") options.identifier = *text;
      if (arg == "--stored-language") options.storedLanguage = *text;
      if (arg == "--key") options.key = *text;
      if (arg == "--brands") options.brandsFile = *text;
      if (arg == "--switch-language") {
        int index = 0;
        const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), index);
        if (ec != std::errc() || end != text->data() + text->size() || text->empty())
          return UsageError{"option --switch-language needs a whole number, not '" + *text + "'"};
        options.switchLanguage = index;
      }
    } else {
      return UsageError{"unknown option '" + std::string(arg) + "'"};
    }
    if (error) return *error;
  }
  if (options.brandsFile) {
    if (options.brand) return UsageError{"option --brands cannot be combined with --brand"};
    if (options.key) return UsageError{"option --brands cannot be combined with --key"};
    if (options.output == Output::Controls || options.output == Output::List)
      return UsageError{"option --brands prints text or --json only"};
  }
  if (options.explain && options.output == Output::List)
    return UsageError{"option --explain cannot be combined with --list"};
  return options;
}

}  // namespace wexmora::info
