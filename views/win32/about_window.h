#pragma once
// The about dialog TForm4 on screen: not modal, hidden and shown by the main
// window's about button, hidden by its close button and its close box; its
// texts follow the main window's language each time it becomes active. Its
// events go to the dispatcher both views share (about_dialog_events.h).
#include <windows.h>

#include <memory>
#include <string>

#include "core/model/form_model.h"
#include "core/pass/about_dialog_events.h"
#include "platform/url_opener.h"
#include "views/win32/form_view.h"
#include "views/win32/top_level.h"

namespace wexmora::win32 {

class AboutWindow : public FormEvents, public TopLevelWindow, private AboutDialogView {
 public:
  AboutWindow(TForm4& about, const TForm15& main, platform::UrlOpener& opener, HWND owner);

  // Visibility and place from the model, then the controls.
  void syncFromModel();

  void mouseMove(const std::string&) override {}
  void mouseDown(const std::string&, int) override {}
  void mouseUp(const std::string& control, int button, bool click) override;
  void command(const std::string& control, WORD notification) override;

 private:
  bool ownMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void syncTexts() override;
  void syncWindow() override { syncFromModel(); }

  TForm4& about_;
  AboutDialogEvents events_;
  bool syncing_ = false;
};

}  // namespace wexmora::win32
