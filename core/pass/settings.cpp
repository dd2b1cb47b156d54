#include "core/pass/settings.h"

#include "base/decimal.h"
#include "base/site.h"
#include "core/model/pass_trace.h"

namespace wexmora {

std::optional<int> storedLanguageIndex(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  const std::optional<long> index = base::parseDecimal(*text);
  if (index != 0 && index != 1) return std::nullopt;
  return static_cast<int>(*index);
}

void loadSettings(TForm15& form, platform::SettingsStore& store) {
  const auto stored = store.read(kLanguagesSetting);
  if (const auto index = storedLanguageIndex(stored)) form.comboIndex = *index;
  if (form.trace) {
    form.trace->storedLanguage = stored;
    form.trace->languageIndex = form.comboIndex;
  }
  const auto siteUrl = store.read(kSiteUrlSetting);
  if (siteUrl && !siteUrl->empty()) return;
  store.write(kSiteUrlSetting, site::homePage());
  store.write(kLicenseSetting, std::string(kLicense));
}

void saveLanguage(const TForm15& form, platform::SettingsStore& store) {
  store.write(kLanguagesSetting, std::to_string(form.comboIndex));
}

}  // namespace wexmora
