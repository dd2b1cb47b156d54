#pragma once
// The screenshot's save dialog as the common file-save dialog of Windows,
// set up from the window's SavePictureDialog settings.
#include <windows.h>

#include <string>

#include "core/window/screenshot.h"

namespace wexmora::win32 {

class SaveFileDialog : public SaveDialogRunner {
 public:
  explicit SaveFileDialog(HWND owner) : owner_(owner) {}
  std::optional<SaveChoice> run(const SavePictureDialog& dialog) override;

  // The filter list as the dialog takes it: each type's description, then
  // the patterns in its parentheses as they are written ("*.jpg;*.jpeg"),
  // each ended by a NUL, and one more NUL at the end.
  static std::wstring filterList();

 private:
  HWND owner_;
};

}  // namespace wexmora::win32
