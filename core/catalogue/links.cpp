#include "core/catalogue/links.h"

#include "core/data/web_pages.h"
#include "core/model/control_names.h"

namespace wexmora {

void buildLinks(TForm15& form) {
  const std::string& modelKey = form[main_controls::kHandOver].text;
  form.frontUrl = frontPageAddress(modelKey);
  form.backUrl = backPageAddress(modelKey);
  form.detailedUrl = detailedPageAddress(modelKey);
}

void handOver(TForm15& form, platform::Sleeper& sleeper) {
  form[main_controls::kHandOver].text = form[main_controls::kModelKey].text;
  sleeper.sleepMs(kHandOverWaitMs);
  buildLinks(form);
  sleeper.sleepMs(kLanguageWaitMs);
}

void openurl(const TForm15& form, platform::UrlOpener& opener) { opener.open(form.frontUrl); }
void openurl2(const TForm15& form, platform::UrlOpener& opener) { opener.open(form.backUrl); }
void openurl3(const TForm15& form, platform::UrlOpener& opener) { opener.open(form.detailedUrl); }

}  // namespace wexmora
