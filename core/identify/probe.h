#pragma once
// First stage of the identification pass: the processor's brand string and
// identifier into the brand and family/model/stepping fields (and their
// numbers and the maker into the pass's facts), the data fields emptied, and
// the base clock taken from the brand string.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/model/form_model.h"
#include "platform/processor_source.h"

namespace wexmora {

// The fields the stage empties, in its order.
std::span<const char* const> dataFields();

// A number of the identifier, the field that shows it and the fact that holds it.
struct IdentifierField {
  const char* word;  // "Family", "Model", "Stepping"
  const char* field;
  std::optional<int> PassFacts::*number;
};
std::span<const IdentifierField> identifierFields();

// The number after `word` in an identifier text ("" when the word is missing).
std::string identifierNumber(const std::string& identifier, std::string_view word);

// Runs the stage; the model key chain follows it when Edit1 holds more than
// 10 characters. Throws what the source throws (a value of the wrong type).
void readProcessorIdentity(TForm15& form, platform::ProcessorSource& source);

}  // namespace wexmora
