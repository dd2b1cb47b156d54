#include "app/handlers.h"

namespace wexmora {

// Placeholders until the links and the localisation land.
void Image2Click(TForm15&, platform::UrlOpener&) {}
void Image3Click(TForm15&, platform::UrlOpener&) {}
void Image4Click(TForm15&, platform::UrlOpener&) {}
void ComboBox1Click(TForm15&) {}
void ComboBox1Select(TForm15&, platform::SettingsStore&) {}

}  // namespace wexmora
