#include "core/pass/handlers.h"

#include "base/site.h"
#include "core/catalogue/links.h"
#include "core/model/control_names.h"
#include "core/pass/settings.h"
#include "core/window/localisation.h"
#include "core/window/sheet_source.h"

namespace wexmora {
namespace {

bool noProcessor(const TForm15& form) { return form[main_controls::kModelKey].text == kNoProcessorKey; }

}  // namespace

std::span<const PictureClick> pictureClicks() {
  using namespace main_controls;
  // clang-format off
  static constexpr PictureClick kClicks[] = {
    {kFrontPhotoImage, Image2Click},
    {kPhotoModelKey,   Image2Click},
    {kPhotoBaseClock,  Image2Click},
    {kPhotoSocket,     Image2Click},
    {kBackPhotoImage,  Image3Click},
    {kQrImage,         Image4Click},
  };
  // clang-format on
  return kClicks;
}

void Image2Click(TForm15& form, platform::UrlOpener& opener) {
  if (noProcessor(form))
    form[main_controls::kFrontPhotoImage].hint = std::string(kUndefinedProcessorHint);
  else
    openurl(form, opener);
}

void Image3Click(TForm15& form, platform::UrlOpener& opener) {
  if (noProcessor(form))
    form[main_controls::kBackPhotoImage].hint = std::string(kUndefinedProcessorHint);
  else
    openurl2(form, opener);
}

void Image4Click(TForm15& form, platform::UrlOpener& opener) {
  if (!noProcessor(form)) return openurl3(form, opener);
  form[main_controls::kBadgeImage].hint = std::string(kUndefinedProcessorHint);  // the badge's hint, not the QR image's
  opener.open(site::homePage());
}

void ComboBox1Click(TForm15& form) {
  if (form.comboIndex != 0)
    Englang(form);
  else
    ruslang(form);
  markSheetSource(form);
}

void ComboBox1Select(TForm15& form, platform::SettingsStore& settings) { saveLanguage(form, settings); }

void pickLanguage(TForm15& form, int index, platform::SettingsStore& settings) {
  form.comboIndex = index;
  ComboBox1Click(form);
  ComboBox1Select(form, settings);
}

}  // namespace wexmora
