#include "catalogue/links.h"

#include "catalogue/data/web_pages.h"

namespace wexmora {

void buildLinks(TForm15& form) {
  const std::string& modelKey = form["Edit20"].text;
  form.frontUrl = frontPageAddress(modelKey);
  form.backUrl = backPageAddress(modelKey);
  form.detailedUrl = detailedPageAddress(modelKey);
}

void openurl(const TForm15& form, platform::UrlOpener& opener) { opener.open(form.frontUrl); }
void openurl2(const TForm15& form, platform::UrlOpener& opener) { opener.open(form.backUrl); }
void openurl3(const TForm15& form, platform::UrlOpener& opener) { opener.open(form.detailedUrl); }

}  // namespace wexmora
