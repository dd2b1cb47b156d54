#include "core/window/window_events.h"

#include "core/model/control_names.h"

namespace wexmora {
namespace {

using namespace main_controls;  // the tables name the controls by their meaning

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

}  // namespace

std::span<const HoverShift> hoverShifts() { return kHoverShifts; }

void SpeedButton5Click(TForm15& form) {
  Control& panel = form[main_controls::kIdentityPanel];
  panel.visible = !panel.visible;
}

void Button3Click(TForm15& form) { form[main_controls::kIdentityPanel].visible = false; }

void SpeedButton4Click(TForm15& form, TForm4& about) {
  about.visible = !about.visible;
  about.top = form.top + kAboutOffsetTop;
  about.left = form.left + kAboutOffsetLeft;
}

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

void Label11MouseDown(TForm15& form) { form[main_controls::kScreenshotCaption].left = kCaptionPressedLeft; }
void Label11MouseUp(TForm15& form) { form[main_controls::kScreenshotCaption].left = kCaptionRestLeft; }

}  // namespace wexmora
