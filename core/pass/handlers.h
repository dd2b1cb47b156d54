#pragma once
// The main window's event handlers that belong to the identification logic:
// the web links of the pictures and the language selector. A view calls
// them with the window model; they change the model only.
#include <span>

#include "core/model/form_model.h"
#include "platform/settings_store.h"
#include "platform/url_opener.h"

namespace wexmora {

// Clicks on Image2 (also Label1, Label14, Label15), Image3 and Image4.
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

}  // namespace wexmora
