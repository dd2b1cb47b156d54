#include "ui/window_events.h"

namespace wexmora {
namespace {

// Every position is absolute, in the parent's coordinates. The rest place of
// Image4 is where the pass puts the QR image (203, 3), not its design place.
// clang-format off
// over            positions set, in order
const HoverShift kHoverShifts[] = {
  {"Image2",       {{"Image2", 12, 21}, {"Label1", 23, 63}, {"Label14", 23, 76}, {"Label15", 23, 90}}},
  {"Image3",       {{"Image3", 117, 21}}},
  {"Image4",       {{"Image4", 206, 7}}},
  {"Image1",       {{"Image4", 203, 3}}},
  {"GroupBox1",    {{"Image2", 11, 18}, {"Image3", 115, 18}, {"Image4", 203, 3}, {"Label1", 22, 59},
                    {"Label14", 22, 74}, {"Label15", 22, 87}, {"SpeedButton5", 382, 16}}},
  {"SpeedButton4", {{"SpeedButton4", 412, 18}, {"SpeedButton5", 382, 16}}},
  {"SpeedButton5", {{"SpeedButton5", 385, 18}}},
  {"GroupBox2",    {{"SpeedButton4", 410, 16}, {"SpeedButton5", 382, 16}}},
};
// clang-format on

constexpr int kAboutOffsetTop = 145;
constexpr int kAboutOffsetLeft = 95;
constexpr int kCaptionRestLeft = 370;
constexpr int kCaptionPressedLeft = 372;

}  // namespace

std::span<const HoverShift> hoverShifts() { return kHoverShifts; }

void SpeedButton5Click(TForm15& form) {
  Control& panel = form["Panel1"];
  panel.visible = !panel.visible;
}

void Button3Click(TForm15& form) { form["Panel1"].visible = false; }

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

void Label11MouseDown(TForm15& form) { form["Label11"].left = kCaptionPressedLeft; }
void Label11MouseUp(TForm15& form) { form["Label11"].left = kCaptionRestLeft; }

}  // namespace wexmora
