#include "app/settings.h"

#include <charconv>

#include "app/site.h"

namespace wexmora {

std::optional<int> storedLanguageIndex(const std::optional<std::string>& text) {
  if (!text || text->empty()) return std::nullopt;
  const char* first = text->data();
  const char* last = first + text->size();
  if (*first == '+') ++first;  // from_chars takes a minus sign but not a plus
  int index = 0;
  const auto [end, error] = std::from_chars(first, last, index);
  if (error != std::errc() || end != last || first == last) return std::nullopt;
  if (index != 0 && index != 1) return std::nullopt;
  return index;
}

void loadSettings(TForm15& form, platform::SettingsStore& store) {
  if (const auto index = storedLanguageIndex(store.read(kLanguagesSetting))) form.comboIndex = *index;
  const auto siteUrl = store.read(kSiteUrlSetting);
  if (siteUrl && !siteUrl->empty()) return;
  store.write(kSiteUrlSetting, site::homePage());
  store.write(kLicenseSetting, std::string(kLicense));
}

void saveLanguage(const TForm15& form, platform::SettingsStore& store) {
  store.write(kLanguagesSetting, std::to_string(form.comboIndex));
}

}  // namespace wexmora
