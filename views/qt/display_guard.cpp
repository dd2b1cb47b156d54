#include "views/qt/display_guard.h"

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace wexmora::qt {
namespace {

QtMessageHandler qtHandler = nullptr;

const char* variable(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : "(not set)";
}

void endWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  qtHandler(type, context, message);
  if (type != QtFatalMsg) return;
  std::fprintf(stderr,
               "wexmora: the window cannot open: no display could be reached (DISPLAY=%s, WAYLAND_DISPLAY=%s)\n",
               variable("DISPLAY"), variable("WAYLAND_DISPLAY"));
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

DisplayGuard::DisplayGuard() { qtHandler = qInstallMessageHandler(endWithoutDisplay); }

DisplayGuard::~DisplayGuard() { qInstallMessageHandler(qtHandler); }

}  // namespace wexmora::qt
