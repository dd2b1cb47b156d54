#include "app/info/options.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace wexmora::info {

std::span<const LanguageName> languageNames() {
  // The values are the language selector's items: 0 Russian, 1 English.
  static constexpr LanguageName kNames[] = {{"en", "1"}, {"ru", "0"}};
  return kNames;
}

std::string usage() {
  return "Usage: wexmora-info [OPTION]...\n"
         "Identifies the processor and prints its data sheet, as the Wexmora window shows it.\n"
         "\n"
         "  --brand TEXT             use TEXT as the brand string instead of this machine's\n"
         "  --identifier TEXT        use TEXT as the identifier (\"Intel64 Family 6 Model 158 Stepping 10\");\n"
         "                           with --brand and without --identifier the identifier is empty\n"
         "  --language NAME          the interface language: en (English) or ru (Russian)\n"
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
         "                           key, badge, product line and source separated by tabs, with\n"
         "                           --json one JSON object per line, or with --csv a header row and\n"
         "                           one comma-separated record per line (RFC 4180)\n"
         "  --catalogue-only         answer from the built-in catalogue alone: no extended table and no\n"
         "                           facts of the machine itself\n"
         "  --prometheus             print the data sheet and the check against this machine as metrics in\n"
         "                           Prometheus's text format (for node_exporter's textfile collector)\n"
         "  --prometheus-file FILE   the same metrics written into FILE, replaced whole: a temporary file\n"
         "                           in the same folder, then renamed\n"
         "  --list                   print the catalogue's model keys, one per line\n"
         "  --help                   print this help\n"
         "  --version                print the version\n"
         "\n"
         "Settings are only read, never written.\n";
}

std::variant<Options, UsageError> parseArguments(int argc, const char* const* argv) {
  Options options;
  bool outputChosen = false;
  bool languageGiven = false, storedLanguageGiven = false;  // they must agree
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
    } else if (arg == "--version") {
      error = chooseOutput(Output::Version, arg);
    } else if (arg == "--csv") {
      error = chooseOutput(Output::Csv, arg);
    } else if (arg == "--prometheus") {
      error = chooseOutput(Output::Prometheus, arg);
    } else if (arg == "--explain") {
      options.explain = true;
    } else if (arg == "--catalogue-only") {
      options.catalogueOnly = true;
    } else if (arg == "--brand" || arg == "--identifier" || arg == "--stored-language" || arg == "--key" ||
               arg == "--switch-language" || arg == "--brands" || arg == "--language" || arg == "--prometheus-file") {
      auto text = value();
      if (!text) return UsageError{"option " + std::string(arg) + " needs a value"};
      if (arg == "--brand") options.brand = *text;
      if (arg == "--identifier") options.identifier = *text;
      if (arg == "--stored-language") {
        if (languageGiven && options.storedLanguage != *text)
          return UsageError{"option --stored-language cannot be combined with --language"};
        options.storedLanguage = *text;
        storedLanguageGiven = true;
      }
      if (arg == "--key") options.key = *text;
      if (arg == "--brands") options.brandsFile = *text;
      if (arg == "--prometheus-file") {
        if (text->empty()) return UsageError{"option --prometheus-file needs a file name"};
        options.prometheusFile = *text;
        error = chooseOutput(Output::Prometheus, arg);
      }
      if (arg == "--language") {
        const auto names = languageNames();
        const auto it =
            std::find_if(names.begin(), names.end(), [&](const LanguageName& l) { return *text == l.name; });
        if (it == names.end()) return UsageError{"option --language takes en or ru, not '" + *text + "'"};
        if (storedLanguageGiven && options.storedLanguage != it->storedValue)
          return UsageError{"option --language cannot be combined with --stored-language"};
        options.storedLanguage = it->storedValue;
        languageGiven = true;
      }
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
    if (options.output != Output::Text && options.output != Output::Json && options.output != Output::Csv)
      return UsageError{"option --brands prints text, --json or --csv only"};
  }
  if (options.output == Output::Csv && !options.brandsFile) return UsageError{"option --csv needs --brands"};
  if (options.explain && (options.output == Output::Prometheus || options.output == Output::Csv))
    return UsageError{std::string("option --explain cannot be combined with ") +
                      (options.output == Output::Csv ? "--csv" : "--prometheus")};
  if (options.explain && options.output == Output::List)
    return UsageError{"option --explain cannot be combined with --list"};
  return options;
}

}  // namespace wexmora::info
