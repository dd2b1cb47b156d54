#include "core/pass/handlers.h"

#include <optional>
#include <string>

#include "base/decimal.h"
#include "base/site.h"
#include "core/catalogue/links.h"
#include "core/identify/text.h"
#include "core/model/control_names.h"
#include "core/pass/settings.h"
#include "core/texts/texts.h"
#include "core/window/jpeg_writer.h"
#include "core/window/localisation.h"
#include "core/window/sheet_notes.h"
#include "core/window/sheet_source.h"

namespace wexmora {
namespace {

using namespace main_controls;  // the tables name the controls by their meaning

bool noProcessor(const TForm15& form) { return form[kModelKey].text == kNoProcessorKey; }

// A click with no processor sets the Russian hint, whatever the language.
void showNoProcessor(Control& picture) { picture.hint = textOf(TextId::NoProcessorHint, Language::Russian); }

// Every position is absolute, in the parent's coordinates. The rest place of
// Image4 is where the pass puts the QR image (203, 3), not its design place.
// clang-format off
// over              positions set, in order
const HoverShift kHoverShifts[] = {
  {kFrontPhotoImage, {{kFrontPhotoImage, 12, 21}, {kPhotoModelKey, 23, 63}, {kPhotoBaseClock, 23, 76}, {kPhotoSocket, 23, 90}}},
  {kBackPhotoImage,  {{kBackPhotoImage, 117, 21}}},
  {kQrImage,         {{kQrImage, 206, 7}}},
  {kBadgeImage,      {{kQrImage, 203, 3}}},
  {kPicturesFrame,   {{kFrontPhotoImage, 11, 18}, {kBackPhotoImage, 115, 18}, {kQrImage, 203, 3}, {kPhotoModelKey, 22, 59},
                    {kPhotoBaseClock, 22, 74}, {kPhotoSocket, 22, 87}, {kIdentityButton, 382, 16}}},
  {kAboutButton,     {{kAboutButton, 412, 18}, {kIdentityButton, 382, 16}}},
  {kIdentityButton,  {{kIdentityButton, 385, 18}}},
  {kSheetGroup,      {{kAboutButton, 410, 16}, {kIdentityButton, 382, 16}}},
};
// clang-format on

constexpr int kAboutOffsetTop = 145;
constexpr int kAboutOffsetLeft = 95;
constexpr int kCaptionRestLeft = 370;
constexpr int kCaptionPressedLeft = 372;

// The screenshot's bitmap is two rows taller than the window.
constexpr int kExtraRows = 2;

constexpr std::string_view kFallbackYear = "2024";

// A decimal integer as the text-to-number conversion reads it: leading
// blanks, an optional sign, then digits up to the end and nothing else.
std::optional<long> toInteger(std::string_view digits) {
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  return base::parseDecimal(digits);
}

}  // namespace

std::span<const PictureClick> pictureClicks() {
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
    showNoProcessor(form[kFrontPhotoImage]);
  else
    openurl(form, opener);
}

void Image3Click(TForm15& form, platform::UrlOpener& opener) {
  if (noProcessor(form))
    showNoProcessor(form[kBackPhotoImage]);
  else
    openurl2(form, opener);
}

void Image4Click(TForm15& form, platform::UrlOpener& opener) {
  if (!noProcessor(form)) return openurl3(form, opener);
  showNoProcessor(form[kBadgeImage]);  // the badge's hint, not the QR image's
  opener.open(site::homePage());
}

void ComboBox1Click(TForm15& form) {
  // The routine works on the texts as the design has them, the notes after it.
  unmarkSheetNotes(form);
  if (form.comboIndex != 0)
    Englang(form);
  else
    ruslang(form);
  markSheetNotes(form);
}

void ComboBox1Select(TForm15& form, platform::SettingsStore& settings) { saveLanguage(form, settings); }

void pickLanguage(TForm15& form, int index, platform::SettingsStore& settings) {
  form.comboIndex = index;
  ComboBox1Click(form);
  ComboBox1Select(form, settings);
}

void SpeedButton5Click(TForm15& form) {
  Control& panel = form[kIdentityPanel];
  panel.visible = !panel.visible;
}

void Button3Click(TForm15& form) { form[kIdentityPanel].visible = false; }

void SpeedButton4Click(TForm15& form, TForm4& about) {
  about.visible = !about.visible;
  about.top = form.top + kAboutOffsetTop;
  about.left = form.left + kAboutOffsetLeft;
}

std::span<const HoverShift> hoverShifts() { return kHoverShifts; }

bool MouseMoveOver(TForm15& form, std::string_view control) {
  for (const HoverShift& shift : kHoverShifts) {
    if (control != shift.over) continue;
    for (const HoverShift::Position& p : shift.positions) {
      if (p.control == nullptr) break;
      Control& c = form[p.control];
      c.left = p.left;
      c.top = p.top;
    }
    return true;
  }
  return false;
}

void Label11MouseDown(TForm15& form) { form[kScreenshotCaption].left = kCaptionPressedLeft; }
void Label11MouseUp(TForm15& form) { form[kScreenshotCaption].left = kCaptionRestLeft; }

std::optional<std::string> SpeedButton3Click(const TForm15& form, SavePictureDialog& dialog, SaveDialogRunner& runner,
                                             WindowCapture& capture) {
  const std::optional<SaveChoice> choice = runner.run(dialog);
  if (!choice) return std::nullopt;
  dialog.remember(choice->path, choice->filter);
  const RgbImage picture = capture.capture(form.width, form.height + kExtraRows);
  dialog.filterIndex = SavePictureDialog::kJpegFilter;
  const std::string path = dialog.chosenPath();
  writeJpegFile(picture, path);
  return path;
}

void FormCreate(TForm4& about, std::string_view shortDate) {
  Control& title = about[about_controls::kTitle];
  // The characters are bytes: a short date that puts a year there is ASCII.
  const std::string year = text::copy(shortDate, 7, 4);
  if (const auto number = toInteger(year); number && *number > TForm4::kDesignYear)
    title.text = TForm4::titleLine(year);
  if (title.text.size() < 7) title.text = TForm4::titleLine(kFallbackYear);
}

void FormActivate(TForm4& about, const TForm15& main) {
  const Language language = windowLanguage(main);
  about[about_controls::kClose].text = textOf(TextId::AboutClose, language);
  about[about_controls::kSiteButton].text = textOf(TextId::AboutSite, language);
  about.caption = aboutCaption(language);
}

void Button1Click(TForm4& about) { about.visible = false; }

void Button2Click(TForm4&, platform::UrlOpener& opener) { opener.open(site::homePage()); }

}  // namespace wexmora
