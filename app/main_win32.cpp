// The Windows window program: one instance, the main window with its
// identification pass, the hidden about dialog, the message loop.
#include "core/pass/handlers.h"
#include "core/pass/pass.h"
#include "core/pass/system_services.h"
#include "platform/command_line.h"
#include "platform/instance_lock.h"
#include "views/win32/program.h"

int main(int argc, char** argv) {
  using namespace wexmora;
  const auto instance = platform::systemInstanceLock();
  if (!instance->acquire()) return 0;  // another instance runs: end silently

  SystemServices services;
  services.takeOptions(platform::utf8Arguments(argc, argv));
  TForm15 form;
  win32::adoptFrameMetrics(form);
  const win32::ScreenSize screen = win32::primaryScreen();
  FormCreate(form, services.pass, screen.width, screen.height);
  TForm4 about;
  FormCreate(about, win32::systemShortDate());
  return win32::runWindows(form, about, *services.opener, *services.settings);
}
