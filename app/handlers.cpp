#include "app/handlers.h"

#include "app/settings.h"
#include "app/site.h"
#include "catalogue/links.h"
#include "ui/localisation.h"

namespace wexmora {
namespace {

bool noProcessor(const TForm15& form) { return form["Edit7"].text == kNoProcessorKey; }

struct PictureLink {
  const char* control;
  void (*handler)(TForm15&, platform::UrlOpener&);
};
// clang-format off
const PictureLink kPictureLinks[] = {
  {"Image2",  Image2Click},
  {"Label1",  Image2Click},
  {"Label14", Image2Click},
  {"Label15", Image2Click},
  {"Image3",  Image3Click},
  {"Image4",  Image4Click},
};
// clang-format on

}  // namespace

void Image2Click(TForm15& form, platform::UrlOpener& opener) {
  if (noProcessor(form))
    form["Image2"].hint = std::string(kUndefinedProcessorHint);
  else
    openurl(form, opener);
}

void Image3Click(TForm15& form, platform::UrlOpener& opener) {
  if (noProcessor(form))
    form["Image3"].hint = std::string(kUndefinedProcessorHint);
  else
    openurl2(form, opener);
}

void Image4Click(TForm15& form, platform::UrlOpener& opener) {
  if (!noProcessor(form)) return openurl3(form, opener);
  form["Image1"].hint = std::string(kUndefinedProcessorHint);  // the badge's hint, not the QR image's
  opener.open(site::homePage());
}

bool PictureLinkClick(TForm15& form, std::string_view control, platform::UrlOpener& opener) {
  for (const PictureLink& link : kPictureLinks) {
    if (control != link.control) continue;
    link.handler(form, opener);
    return true;
  }
  return false;
}

void ComboBox1Click(TForm15& form) {
  if (form.comboIndex != 0)
    Englang(form);
  else
    ruslang(form);
}

void ComboBox1Select(TForm15& form, platform::SettingsStore& settings) { saveLanguage(form, settings); }

}  // namespace wexmora
