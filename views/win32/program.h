#pragma once
// What the Windows program's entry needs from the Win32 view, without the
// Windows headers: the screen, the frame metrics, the short date and the
// message loop.
#include <string>

#include "core/model/form_model.h"
#include "platform/settings_store.h"
#include "platform/url_opener.h"

namespace wexmora::win32 {

struct ScreenSize {
  int width, height;
};
ScreenSize primaryScreen();

// The main window's outer size as designed on this system: its client area
// of 468 x 357 pixels plus this system's frame and title bar.
void adoptFrameMetrics(TForm15& form);

// Today's date in the user's short date format, for the about dialog's year.
std::string systemShortDate();

// Shows the main window (and the error that stopped the pass, if any), with
// the hidden about dialog beside it, and runs the message loop until the main
// window is closed. Returns the exit code, 0.
int runWindows(TForm15& form, TForm4& about, platform::UrlOpener& opener, platform::SettingsStore& settings);

}  // namespace wexmora::win32
