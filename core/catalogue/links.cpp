#include "core/catalogue/links.h"

#include "core/data/web_pages.h"
#include "core/model/control_names.h"

namespace wexmora {

void buildLinks(TForm15& form) {
  // The site has pages for catalogue keys only: a sheet of another source
  // whose model number replaced the model key links where the key did, as
  // any processor outside the catalogue does.
  const PassFacts& facts = form.facts;
  const bool otherSource = outsideCatalogue(facts.sheet.source);
  const std::string& modelKey =
      otherSource && facts.keyBeforeModelNumber ? *facts.keyBeforeModelNumber : form[main_controls::kHandOver].text;
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
