// The window program: one instance, the main window with its identification
// pass, the hidden about dialog, the message loop.
#include <QApplication>
#include <QScreen>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/site.h"
#include "core/pass/handlers.h"
#include "core/pass/pass.h"
#include "core/pass/system_services.h"
#include "platform/instance_lock.h"
#include "views/pictures/pictures.h"
#include "views/qt/about_window.h"
#include "views/qt/display_guard.h"
#include "views/qt/fonts.h"
#include "views/qt/main_window.h"

namespace {

int runWindow(int argc, char** argv) {
  using namespace wexmora;
#ifdef __GLIBC__
  // One malloc arena: the start-up thread's allocations would otherwise open
  // a second one, which stays mapped, free space and all, after the thread ends.
  mallopt(M_ARENA_MAX, 1);
#endif
  const auto instance = platform::systemInstanceLock();
  if (!instance->acquire()) return 0;  // another instance runs: end silently

  std::optional<qt::DisplayGuard> opening(std::in_place);
  QApplication app(argc, argv);
  opening.reset();
  // The application title names the program (and captions error boxes). Not
  // the display name: Qt would append that to every window caption.
  QApplication::setApplicationName(QString::fromStdString(site::applicationTitle()));
  // Ties the windows to the installed menu entry and its icon (the Wayland
  // app id, and the desktop-file hint on X11).
  QGuiApplication::setDesktopFileName(QString::fromUtf8(site::kApplicationId.data(), site::kApplicationId.size()));

  SystemServices services;
  services.takeOptions(std::vector<std::string>(argv, argv + argc));
  TForm15 form;
  // The pass spends most of its time waiting; meanwhile a second thread
  // decodes the icon and the form's design pictures and reads the font list,
  // which the window needs before its first paint.
  std::vector<Picture> designPictures;
  for (const Control& control : form.controls())
    if (control.picture.source == PictureSource::Design) designPictures.push_back(control.picture);
  std::jthread prepare([&designPictures] {
    pictures::decodeProgramIcon();
    for (const Picture& picture : designPictures) pictures::decodeAhead(picture);
    qt::chooseFontFamilies();
  });
  const QSize screen = QApplication::primaryScreen()->size();
  FormCreate(form, services.pass, screen.width(), screen.height());
  prepare.join();
  QApplication::setWindowIcon(pictures::programIcon());
  qt::MainWindow window(form, *services.opener, *services.settings);

  TForm4 about;
  FormCreate(about, qt::systemShortDate());
  form.aboutDialog = &about;
  std::unique_ptr<qt::AboutWindow> aboutWindow;  // its widgets, made when the dialog is first shown
  window.setAboutWindow([&] {
    if (!aboutWindow) aboutWindow = std::make_unique<qt::AboutWindow>(about, form, *services.opener);
    return aboutWindow.get();
  });

  window.show();
  window.reportPassError();
  app.exec();
  return 0;
}

}  // namespace

// Errors of the pass and of the events are shown in the error box; what
// fails outside them (the window cannot be made) ends the program with a
// message and exit code 1, never with an exception the system reports.
int main(int argc, char** argv) {
  try {
    return runWindow(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "wexmora: %s\n", error.what());
    return 1;
  }
}
