// wexmora-render: the main window as it looks for a given processor, saved as
// a PNG with its frame drawn, for review without the processor at hand.
#include <QApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/pass/handlers.h"
#include "core/pass/pass.h"
#include "platform/processor_source.h"
#include "platform/settings_store.h"
#include "platform/sleeper.h"
#include "platform/url_opener.h"
#include "views/qt/about_window.h"
#include "views/qt/main_window.h"
#include "views/qt/window_frame.h"

namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

struct Options {
  std::string brand, identifier, out = "wexmora.png";
  std::optional<std::string> storedLanguage;
  std::optional<int> switchLanguage;
  bool about = false;
  bool catalogueOnly = false;
};

// Clicks cannot happen in a picture; nothing is ever opened.
class NoBrowser : public wexmora::platform::UrlOpener {
 public:
  void open(const std::string&) override {}
};

int usage() {
  std::fputs(
      "usage: wexmora-render --brand TEXT --identifier TEXT [--stored-language VALUE]\n"
      "                      [--switch-language N] [--about] [--catalogue-only] [--out FILE.png]\n"
      "Paints the main window for that processor into FILE.png (default wexmora.png);\n"
      "--about also paints the about dialog into FILE-about.png.\n",
      stderr);
  return 2;
}

std::optional<Options> parse(int argc, char** argv) {
  Options options;
  bool haveBrand = false, haveIdentifier = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--catalogue-only") {
      options.catalogueOnly = true;
    } else if (arg == "--about") {
      options.about = true;
    } else if (arg == "--brand" && hasValue) {
      options.brand = argv[++i];
      haveBrand = true;
    } else if (arg == "--identifier" && hasValue) {
      options.identifier = argv[++i];
      haveIdentifier = true;
    } else if (arg == "--stored-language" && hasValue) {
      options.storedLanguage = argv[++i];
    } else if (arg == "--switch-language" && hasValue) {
      char* end = nullptr;
      const long index = std::strtol(argv[++i], &end, 10);
      if (*end != '\0') return std::nullopt;
      options.switchLanguage = static_cast<int>(index);
    } else if (arg == "--out" && hasValue) {
      options.out = argv[++i];
    } else {
      return std::nullopt;
    }
  }
  if (!haveBrand || !haveIdentifier) return std::nullopt;
  return options;
}

bool save(const QImage& image, const std::string& path) {
  if (image.save(QString::fromStdString(path), "PNG")) {
    std::printf("%s\n", path.c_str());
    return true;
  }
  std::fprintf(stderr, "wexmora-render: cannot write %s\n", path.c_str());
  return false;
}

std::string aboutPath(const std::string& out) {
  const auto dot = out.rfind('.');
  const auto slash = out.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return out + "-about.png";
  return out.substr(0, dot) + "-about" + out.substr(dot);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace wexmora;
  const std::optional<Options> options = parse(argc, argv);
  if (!options) return usage();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  platform::FixedProcessorSource processor(options->brand, options->identifier);
  platform::MemorySettingsStore settings;
  if (options->storedLanguage) settings.values["Languages"] = *options->storedLanguage;
  platform::SkippingSleeper sleeper;
  NoBrowser opener;
  catalogue::Lists lists;
  PassServices services{processor, settings, sleeper, lists};
  // The extended table as the window program uses it; the machine's own facts
  // describe this machine, not the brand string painted.
  if (!options->catalogueOnly) services.second = {.consult = true, .machine = nullptr};

  TForm15 form;
  FormCreate(form, services, kScreenWidth, kScreenHeight);
  if (!form.passError.empty()) std::fprintf(stderr, "wexmora-render: the pass stopped: %s\n", form.passError.c_str());
  TForm4 about;
  FormCreate(about, qt::systemShortDate());
  form.aboutDialog = &about;
  if (options->switchLanguage) {
    form.comboIndex = *options->switchLanguage;
    ComboBox1Click(form);
    ComboBox1Select(form, settings);
  }

  qt::MainWindow window(form, opener, settings);
  window.show();  // laid out as on screen (scroll bars included), on the offscreen platform
  QApplication::processEvents();
  bool saved = save(qt::drawFramedWindow(window, QSize(form.width, form.height)), options->out);
  if (options->about) {
    qt::AboutWindow aboutWindow(about, form, opener);
    FormActivate(about, form);
    aboutWindow.syncFromModel();
    saved = save(qt::drawFramedWindow(aboutWindow, QSize(about.width, about.height)), aboutPath(options->out)) && saved;
  }
  return saved ? 0 : 1;
}
