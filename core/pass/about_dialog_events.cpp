#include "core/pass/about_dialog_events.h"

#include "core/model/control_names.h"
#include "core/pass/handlers.h"

namespace wexmora {
namespace {

using namespace about_controls;
using K = AboutEventKind;
using R = AboutRedraw;

// The dialog's handlers, called alike.
void runFormActivate(TForm4& about, const TForm15& main, platform::UrlOpener&) { FormActivate(about, main); }
void runButton1Click(TForm4& about, const TForm15&, platform::UrlOpener&) { Button1Click(about); }
void runButton2Click(TForm4& about, const TForm15&, platform::UrlOpener& opener) { Button2Click(about, opener); }

// clang-format off
// event        control        handler           then the view redraws
constexpr AboutEvent kEvents[] = {
  {K::Activate, nullptr,       runFormActivate,  R::Texts},
  {K::Click,    kClose,        runButton1Click,  R::Window},
  {K::CloseBox, nullptr,       runButton1Click,  R::Window},
  {K::Click,    kSiteButton,   runButton2Click,  R::Nothing},
  {K::Click,    kSiteLink,     runButton2Click,  R::Nothing},
};
// clang-format on

}  // namespace

std::span<const AboutEvent> aboutEvents() { return kEvents; }

AboutDialogEvents::AboutDialogEvents(TForm4& about, const TForm15& main, platform::UrlOpener& opener,
                                     AboutDialogView& view)
    : about_(about), main_(main), opener_(opener), view_(view) {}

void AboutDialogEvents::run(AboutEventKind kind, std::string_view control) {
  for (const AboutEvent& event : kEvents) {
    const std::string_view on = event.control ? event.control : "";
    if (event.kind != kind || control != on) continue;
    event.handler(about_, main_, opener_);
    if (event.redraw == R::Texts) view_.syncTexts();
    if (event.redraw == R::Window) view_.syncWindow();
  }
}

void AboutDialogEvents::activated() { run(K::Activate, {}); }
void AboutDialogEvents::click(std::string_view control) { run(K::Click, control); }
void AboutDialogEvents::closeBox() { run(K::CloseBox, {}); }

}  // namespace wexmora
