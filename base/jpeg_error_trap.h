#pragma once
// libjpeg reports a fatal error by calling error_exit, which must not return.
// The trap turns that into a result: the libjpeg calls run inside run(), and
// an error jumps back out of them to run()'s own frame, which answers false.
// The caller's variables live outside the frame that called setjmp, so they
// keep their values after the jump without being volatile; the caller then
// frees what it made and reports the message.
// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <string>
#include <type_traits>

namespace wexmora::base {

class JpegErrorTrap {
 public:
  JpegErrorTrap();
  JpegErrorTrap(const JpegErrorTrap&) = delete;
  JpegErrorTrap& operator=(const JpegErrorTrap&) = delete;

  // For the err field of a libjpeg compress or decompress struct. Warnings
  // are counted, never printed.
  jpeg_error_mgr* manager() { return &manager_.base; }

  // Runs `calls`, which may call libjpeg but must hold nothing with a
  // destructor (the jump skips their frames). True when they ran to the end;
  // false when libjpeg raised a fatal error, whose text message() then gives.
  template <class Calls>
  bool run(Calls&& calls) {
    return runErased([](void* context) { (*static_cast<std::remove_reference_t<Calls>*>(context))(); },
                     const_cast<void*>(static_cast<const void*>(&calls)));
  }

  const std::string& message() const { return message_; }
  // The warnings libjpeg raised so far (damaged data it decoded anyway).
  long warnings() const { return manager_.base.num_warnings; }

 private:
  bool runErased(void (*calls)(void*), void* context);
  static void jumpOut(j_common_ptr info);
  static void countWarning(j_common_ptr info, int level);

  // libjpeg hands back the address of `base`; the struct leads to the trap.
  struct Manager {
    jpeg_error_mgr base;
    JpegErrorTrap* trap;
  };
  Manager manager_;
  std::jmp_buf jump_;
  std::string message_;
};

}  // namespace wexmora::base
