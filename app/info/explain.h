#pragma once
// wexmora-info --explain: the trace that the stages of the identification
// pass recorded, printed as an "Identification" section in the interface
// language, or as a JSON object with fixed English keys.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "core/model/form_model.h"
#include "core/model/pass_trace.h"

namespace wexmora::info {

// givenKey: the catalogue key of --key, when the model-key chain was skipped
// for it. The language follows ComboBox1's index (1 English, else Russian).
std::string explainText(const TForm15& form, const PassTrace& trace, const std::optional<std::string>& givenKey);
nlohmann::ordered_json explainJson(const TForm15& form, const PassTrace& trace,
                                   const std::optional<std::string>& givenKey);

}  // namespace wexmora::info
