#pragma once
// The web links of the identified processor: the URL key and the front-photo,
// back-photo and detailed-page addresses, built once from Edit20 at the end of
// the identification pass (the hand-over), and the routines that hand them to
// the browser.
#include <string>
#include <string_view>

#include "core/data/web_pages.h"
#include "core/model/form_model.h"
#include "platform/sleeper.h"
#include "platform/url_opener.h"

namespace wexmora {

// Put into Edit7 when no processor was identified; clicks then open nothing.
inline constexpr std::string_view kNoProcessorKey = "-";

// form.frontUrl, backUrl and detailedUrl from the model key in Edit20; for a
// sheet of the extended table, the brand string or the machine's facts (any
// source but the catalogue) from the model key that their model number
// replaced in Edit7 (form.facts), the site having no page of that number.
void buildLinks(TForm15& form);

inline constexpr int kHandOverWaitMs = 15;
inline constexpr int kLanguageWaitMs = 50;

// The pass's hand-over: Edit20 gets the model key; after 15 ms the link
// addresses are built from it; then 50 ms pass before the language routine.
void handOver(TForm15& form, platform::Sleeper& sleeper);

void openurl(const TForm15& form, platform::UrlOpener& opener);   // front-photo page
void openurl2(const TForm15& form, platform::UrlOpener& opener);  // back-photo page
void openurl3(const TForm15& form, platform::UrlOpener& opener);  // detailed page

}  // namespace wexmora
