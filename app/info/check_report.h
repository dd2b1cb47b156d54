#pragma once
// What the check against the machine found (core/check/), for wexmora-info:
// text lines after the data sheet, the JSON "check" list, and how each
// finding was reached for --explain. Only a sheet that was checked (this
// machine's own processor) has any of them.
#include <nlohmann/json.hpp>
#include <string>

#include "core/model/form_model.h"

namespace wexmora::info {

// "Check against this machine: the processor runs as its sheet says", or the
// heading and one indented line per finding, in the window's language.
std::string checkText(const TForm15& form);

// One object per finding: fact, rule, note, sheet, machine, finding, reason.
nlohmann::ordered_json checkJson(const TForm15& form);

// For --explain: each finding's rule and the evidence it rests on.
std::string checkExplainText(const TForm15& form);
nlohmann::ordered_json checkExplainJson(const TForm15& form);

}  // namespace wexmora::info
