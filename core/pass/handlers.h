#pragma once
// The event handlers of both windows, each named as the window's component
// handler it is. They change the window model, and some do more: the picture
// clicks and the about dialog's site button open web pages through the URL
// opener, the language selector writes the stored language, the screenshot
// button runs the save dialog and writes a JPEG file. The views reach them
// through the dispatchers (core/pass/main_window_events.h,
// core/pass/about_dialog_events.h) and repaint from the model.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/model/form_model.h"
#include "core/window/screenshot.h"
#include "platform/settings_store.h"
#include "platform/url_opener.h"

namespace wexmora {

// --- The main window, TForm15 ---

// Clicks on Image2 (also Label1, Label14, Label15), Image3 and Image4: the
// page of the picture, or, with no processor, the unknown-processor hint
// (and for Image4 the site's home page).
void Image2Click(TForm15& form, platform::UrlOpener& opener);
void Image3Click(TForm15& form, platform::UrlOpener& opener);
void Image4Click(TForm15& form, platform::UrlOpener& opener);

// Which click handler each clickable picture and caption has; a view calls
// the handler of the control clicked.
struct PictureClick {
  const char* control;
  void (*handler)(TForm15&, platform::UrlOpener&);
};
std::span<const PictureClick> pictureClicks();

// A language picked in ComboBox1 (form.comboIndex already set): the click
// handler applies the texts, then the selection handler stores the index.
// ComboBox1Select throws std::runtime_error when the setting cannot be
// written; the texts already switched stay switched.
void ComboBox1Click(TForm15& form);
void ComboBox1Select(TForm15& form, platform::SettingsStore& settings);

// What a view does when the user picks item `index`: sets form.comboIndex,
// then runs both handlers in their order (and throws as ComboBox1Select does).
void pickLanguage(TForm15& form, int index, platform::SettingsStore& settings);

// FMS button: hides Panel1 when it is visible, shows it otherwise.
void SpeedButton5Click(TForm15& form);
// Hide button of the FMS panel.
void Button3Click(TForm15& form);
// About button: toggles the dialog, then places it at the main window's top
// plus 145 and left plus 95, whether it was shown or hidden.
void SpeedButton4Click(TForm15& form, TForm4& about);

// A mouse-move handler: the control it belongs to and the places it sets,
// in order (a nullptr control ends the list).
struct HoverShift {
  struct Position {
    const char* control;
    int left, top;
  };
  const char* over;
  Position positions[7];
};

// One row per control with a mouse-move handler.
std::span<const HoverShift> hoverShifts();

// The mouse-move handler of the control the pointer moves over: pictures and
// tool buttons shift, a frame background puts them back. Returns false for a
// control without a mouse-move handler (labels, fields, the panel), which
// leaves every position as it is.
bool MouseMoveOver(TForm15& form, std::string_view control);

// Press effect of the screenshot caption: any mouse button moves it 2 pixels
// right while it is held.
void Label11MouseDown(TForm15& form);
void Label11MouseUp(TForm15& form);

// Screenshot handler: dialog; on a choice the capture of the window at its
// outer width by outer height plus 2; the file type back to JPEG; the JPEG
// written to the chosen name whatever its extension. Returns the path
// written, or nothing when cancelled. Throws std::runtime_error when the
// file cannot be written.
std::optional<std::string> SpeedButton3Click(const TForm15& form, SavePictureDialog& dialog, SaveDialogRunner& runner,
                                             WindowCapture& capture);

// --- The about dialog, TForm4 ---

// Creation handler: the year logic. `shortDate` is today's date written in
// the user's short date format; when its characters 7 to 10 read as a
// number above 2023, Label1 ends in that year ("... (2022-2026)").
void FormCreate(TForm4& about, std::string_view shortDate);

// Activation handler: button captions and window caption of the language
// selected in the main window (index 1 English, any other index Russian).
void FormActivate(TForm4& about, const TForm15& main);

// Close button (and the close box): hides the dialog (it lives on).
void Button1Click(TForm4& about);

// Site button and the site address label: the site's home page.
void Button2Click(TForm4& about, platform::UrlOpener& opener);

}  // namespace wexmora
