// The window program: one instance, the main window with its identification
// pass, the hidden about dialog, the message loop.
#include <QApplication>
#include <QScreen>

#include "app/pass.h"
#include "base/site.h"
#include "platform/instance_lock.h"
#include "platform/processor_source.h"
#include "platform/settings_store.h"
#include "platform/sleeper.h"
#include "platform/url_opener.h"
#include "ui/about.h"
#include "ui/pictures/pictures.h"
#include "ui/qt/about_window.h"
#include "ui/qt/main_window.h"

int main(int argc, char** argv) {
  using namespace wexmora;
  const auto instance = platform::systemInstanceLock();
  if (!instance->acquire()) return 0;  // another instance runs: end silently

  QApplication app(argc, argv);
  // The application title names the program (and captions error boxes). Not
  // the display name: Qt would append that to every window caption.
  QApplication::setApplicationName(QString::fromStdString(site::applicationTitle()));
  QApplication::setWindowIcon(pictures::programIcon());

  const auto processor = platform::systemProcessorSource();
  const auto settings = platform::systemSettingsStore();
  const auto opener = platform::systemUrlOpener();
  platform::ThreadSleeper sleeper;
  PassServices services{*processor, *settings, sleeper};

  TForm15 form;
  const QSize screen = QApplication::primaryScreen()->size();
  FormCreate(form, services, screen.width(), screen.height());
  qt::MainWindow window(form, *opener, *settings);

  TForm4 about;
  FormCreate(about, qt::systemShortDate());
  form.aboutDialog = &about;
  qt::AboutWindow aboutWindow(about, form, *opener);
  window.setAboutWindow(&aboutWindow);

  window.show();
  window.reportPassError();
  app.exec();
  return 0;
}
