// wexmora-window-driver: the main window as the program builds it (this
// user's settings, the identification pass, the Qt window), driven by the
// fault tests instead of a user:
//
//   wexmora-window-driver [--brand TEXT] [--save PATH]... [--choose N]...
//                         [--choose-forever]
//
// --save runs the screenshot handler with PATH as the save dialog's answer,
// --choose picks item N of the language selector (which stores it), in the
// order given; --choose-forever picks Russian and English in turn until the
// process is killed. Every error the window would show in its error box is
// printed as one line "error: MESSAGE"; at the end one line tells the state:
// "language INDEX caption TEXT" (ComboBox1's index, the caption Label7 shows).
// The exit code is the number of errors shown.
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "core/pass/pass.h"
#include "core/window/screenshot.h"
#include "platform/processor_source.h"
#include "platform/settings_store.h"
#include "platform/sleeper.h"
#include "platform/url_opener.h"
#include "views/qt/main_window.h"

namespace {

using namespace wexmora;

class FixedAnswer : public SaveDialogRunner {
 public:
  std::optional<SaveChoice> run(const SavePictureDialog&) override { return SaveChoice{path, 2}; }
  std::string path;
};

class NoBrowser : public platform::UrlOpener {
 public:
  void open(const std::string&) override {}
};

struct Step {
  enum { Save, Choose } kind;
  std::string value;
};

}  // namespace

int main(int argc, char** argv) {
  std::string brand = "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz";
  std::vector<Step> steps;
  bool endless = false;
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (!std::strcmp(argv[i], "--brand") && hasValue) {
      brand = argv[++i];
    } else if (!std::strcmp(argv[i], "--save") && hasValue) {
      steps.push_back({Step::Save, argv[++i]});
    } else if (!std::strcmp(argv[i], "--choose") && hasValue) {
      steps.push_back({Step::Choose, argv[++i]});
    } else if (!std::strcmp(argv[i], "--choose-forever")) {
      endless = true;
    } else {
      std::cerr << "usage: wexmora-window-driver [--brand TEXT] [--save PATH]... [--choose N]... [--choose-forever]\n";
      return 100;
    }
  }

  QApplication app(argc, argv);
  platform::FixedProcessorSource processor(brand, "Intel64 Family 6 Model 158 Stepping 10");
  const auto settings = platform::systemSettingsStore();
  platform::SkippingSleeper noWaits;
  catalogue::Lists lists;
  PassServices services{processor, *settings, noWaits, lists};
  TForm15 form;
  FormCreate(form, services, 1280, 1024);
  NoBrowser browser;
  qt::MainWindow window(form, browser, *settings);
  int errors = 0;
  window.setErrorReporter([&](const QString& message) {
    ++errors;
    std::cout << "error: " << message.toStdString() << std::endl;
  });
  FixedAnswer answer;
  window.setSaveDialogRunner(&answer);
  window.show();
  QApplication::processEvents(QEventLoop::AllEvents, 100);
  window.reportPassError();

  auto* selector = static_cast<QComboBox*>(window.control("ComboBox1"));
  const auto choose = [&](int index) {
    selector->setCurrentIndex(index);
    emit selector->activated(index);  // as a user's pick: switch the texts, then store the index
  };
  for (const auto& step : steps) {
    if (step.kind == Step::Save) {
      answer.path = step.value;
      window.takeScreenshot();
    } else {
      choose(std::stoi(step.value));
    }
  }
  for (int i = 0; endless; ++i) choose(i % 2);

  std::cout << "language " << form.comboIndex << " caption " << form["Label7"].text << std::endl;
  return errors;
}
