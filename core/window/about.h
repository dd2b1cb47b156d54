#pragma once
// The about dialog's handlers on its model: the year in its title line, the
// texts of the current language, hiding and the site button.
#include <string>
#include <string_view>

#include "core/model/form_model.h"
#include "platform/url_opener.h"

namespace wexmora {

// Creation handler: the year logic. `shortDate` is today's date written in
// the user's short date format; when its characters 7 to 10 read as a
// number above 2023, Label1 ends in that year ("... (2022-2026)").
void FormCreate(TForm4& about, std::string_view shortDate);

// Activation handler: button captions and window caption of the language
// selected in the main window (index 1 English, any other index Russian).
void FormActivate(TForm4& about, const TForm15& main);

// The dialog's caption in the language of a selector index: "About Wexmora
// v.<version>" for 1, "О программе Wexmora v.<version>" for any other.
std::string aboutCaption(int languageIndex);

// Close button: hides the dialog (it lives on).
void Button1Click(TForm4& about);

// Site button and the site address label: the site's home page.
void Button2Click(TForm4& about, platform::UrlOpener& opener);

}  // namespace wexmora
