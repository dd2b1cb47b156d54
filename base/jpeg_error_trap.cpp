#include "base/jpeg_error_trap.h"

namespace wexmora::base {

JpegErrorTrap::JpegErrorTrap() : manager_{{}, this}, jump_{} {
  jpeg_std_error(&manager_.base);
  manager_.base.error_exit = jumpOut;
  manager_.base.emit_message = countWarning;
}

bool JpegErrorTrap::runErased(void (*calls)(void*), void* context) {
  if (setjmp(jump_)) return false;
  calls(context);
  return true;
}

void JpegErrorTrap::jumpOut(j_common_ptr info) {
  JpegErrorTrap* trap = reinterpret_cast<Manager*>(info->err)->trap;
  char text[JMSG_LENGTH_MAX] = {};
  (*info->err->format_message)(info, text);
  trap->message_ = text;
  std::longjmp(trap->jump_, 1);
}

// libjpeg's own handler counts warnings (level -1) the same way, then prints them.
void JpegErrorTrap::countWarning(j_common_ptr info, int level) {
  if (level < 0) ++info->err->num_warnings;
}

}  // namespace wexmora::base
