#pragma once
// The command line of wexmora-info.
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace wexmora::info {

enum class Output { Text, Json, Controls, List, Help, Version, Csv, Prometheus };

struct Options {
  Output output = Output::Text;
  std::optional<std::string> brand;           // --brand
  std::optional<std::string> identifier;      // --identifier
  std::optional<std::string> storedLanguage;  // --stored-language ("" = missing)
  std::optional<int> switchLanguage;          // --switch-language
  std::optional<std::string> key;             // --key: a catalogue entry instead of a processor
  bool explain = false;                       // --explain: why the processor is identified as it is
  std::optional<std::string> brandsFile;      // --brands: one brand string per line ("-" = standard input)
  bool catalogueOnly = false;                 // --catalogue-only: no extended table, no machine facts
  std::optional<std::string> prometheusFile;  // --prometheus-file: the metrics written atomically into FILE
};

// --language NAME: the interface languages by their plain names, as the
// stored language value each stands for.
struct LanguageName {
  const char* name;
  const char* storedValue;
};
std::span<const LanguageName> languageNames();

struct UsageError {
  std::string message;
};

// Parses argv[1..]; a usage error names the offending option.
std::variant<Options, UsageError> parseArguments(int argc, const char* const* argv);

// The text --help prints.
std::string usage();

}  // namespace wexmora::info
