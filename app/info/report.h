#pragma once
// What wexmora-info prints, read off the window model after the pass: the
// data sheet as aligned "caption: value" lines or as JSON, and a dump of
// every control.
#include <nlohmann/json.hpp>
#include <string>

#include "ui/model/form_model.h"

namespace wexmora::info {

std::string dataSheetText(const TForm15& form);
nlohmann::ordered_json dataSheetJson(const TForm15& form);
nlohmann::ordered_json controlsJson(const TForm15& form);

}  // namespace wexmora::info
