#pragma once
// The main window's event handlers that belong to the identification logic:
// the web links of the pictures and the language selector. The Qt layer calls
// them with the window model; they change the model only.
#include <string_view>

#include "platform/settings_store.h"
#include "platform/url_opener.h"
#include "ui/form_model.h"

namespace wexmora {

// Clicks on Image2 (also Label1, Label14, Label15), Image3 and Image4.
void Image2Click(TForm15& form, platform::UrlOpener& opener);
void Image3Click(TForm15& form, platform::UrlOpener& opener);
void Image4Click(TForm15& form, platform::UrlOpener& opener);

// The click handler of a picture link or of a caption over the front photo,
// run for a left click on `control`; false for a control without one.
bool PictureLinkClick(TForm15& form, std::string_view control, platform::UrlOpener& opener);

// A language picked in ComboBox1 (form.comboIndex already set): the click
// handler applies the texts, then the selection handler stores the index.
// ComboBox1Select throws std::runtime_error when the setting cannot be
// written; the texts already switched stay switched.
void ComboBox1Click(TForm15& form);
void ComboBox1Select(TForm15& form, platform::SettingsStore& settings);

}  // namespace wexmora
