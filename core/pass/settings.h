#pragma once
// The per-user settings as the main window sees them: the language index,
// loaded once by the identification pass and stored on each user selection,
// and the two informational values written on the first run.
#include <optional>
#include <string>
#include <string_view>

#include "core/model/form_model.h"
#include "platform/settings_store.h"

namespace wexmora {

inline constexpr const char* kLanguagesSetting = "Languages";
inline constexpr const char* kSiteUrlSetting = "Site_Url";
inline constexpr const char* kLicenseSetting = "License";
inline constexpr std::string_view kLicense = "FreeWare";

// The language index a stored Languages text stands for: 0 or 1. A missing or
// empty text, one that is not a decimal integer, and an index other than 0
// or 1 all give nothing, so the window keeps its design language.
std::optional<int> storedLanguageIndex(const std::optional<std::string>& text);

// Puts the stored language index into ComboBox1 (no handler runs, nothing is
// switched) and, when Site_Url is missing or empty, writes Site_Url and
// License. Throws std::runtime_error when the defaults cannot be written.
void loadSettings(TForm15& form, platform::SettingsStore& store);

// Writes Languages as the decimal text of ComboBox1's index. Throws
// std::runtime_error when it cannot be written.
void saveLanguage(const TForm15& form, platform::SettingsStore& store);

}  // namespace wexmora
