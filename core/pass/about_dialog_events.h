#pragma once
// The about dialog's events, routed once for every view, as the main
// window's are (main_window_events.h). A view reports what the user did; the
// dispatcher runs the dialog's handler for it and asks the view to redraw.
#include <span>
#include <string_view>

#include "core/model/form_model.h"
#include "platform/url_opener.h"

namespace wexmora {

// What the dispatcher asks of the view of the about dialog.
class AboutDialogView {
 public:
  virtual ~AboutDialogView() = default;
  virtual void syncTexts() = 0;   // the caption and the controls again from the model
  virtual void syncWindow() = 0;  // visibility and place, then the caption and the controls
};

// What happens: the dialog becomes active, a control is clicked, the close
// box is pressed.
enum class AboutEventKind { Activate, Click, CloseBox };
// What the view redraws after the handler ran.
enum class AboutRedraw { Nothing, Texts, Window };

// The handler of one event of the dialog and what the view redraws then.
struct AboutEvent {
  AboutEventKind kind;
  const char* control;  // the control clicked; nullptr for the dialog itself
  void (*handler)(TForm4& about, const TForm15& main, platform::UrlOpener& opener);
  AboutRedraw redraw;
};

// One row per event the dialog handles.
std::span<const AboutEvent> aboutEvents();

class AboutDialogEvents {
 public:
  AboutDialogEvents(TForm4& about, const TForm15& main, platform::UrlOpener& opener, AboutDialogView& view);

  // The dialog became active (shown, or brought to the front).
  void activated();
  // A click on a button or on the site's address.
  void click(std::string_view control);
  // The title bar's close box: the dialog hides, as with its close button.
  void closeBox();

 private:
  void run(AboutEventKind kind, std::string_view control);

  TForm4& about_;
  const TForm15& main_;
  platform::UrlOpener& opener_;
  AboutDialogView& view_;
};

}  // namespace wexmora
