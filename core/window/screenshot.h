#pragma once
// What the screenshot of the main window works with: the save dialog's
// settings, which live as long as the window, the dialog and the capture.
// The dialog and the capture are interfaces so that each view supplies the
// real ones and tests supply fakes; the screenshot button's handler
// (SpeedButton3Click, core/pass/handlers.h) runs them in order.
#include <optional>
#include <string>
#include <vector>

#include "core/model/form_model.h"
#include "core/window/jpeg_writer.h"

namespace wexmora {

// SavePictureDialog1: what the save dialog offers and what it remembers.
class SavePictureDialog {
 public:
  static constexpr int kJpegFilter = 2;  // "JPEG Image File (*.jpg)", from 1
  static const std::vector<std::string>& filters();
  static constexpr const char* kDefaultExtension = "jpg";

  std::string folder;               // "" = the window system's default folder
  std::string fileName = "Screen";  // offered in the name field
  int filterIndex = kJpegFilter;    // preselected file type, from 1

  // A name the user typed, with ".jpg" appended when it has no extension.
  static std::string withDefaultExtension(const std::string& path);
  // Remembers the chosen file (full path, UTF-8) and type for the next time.
  void remember(const std::string& path, int chosenFilter);
  // The full path of the file chosen last.
  std::string chosenPath() const;
};

// What the user chose in the dialog.
struct SaveChoice {
  std::string path;  // as the dialog returned it
  int filter = SavePictureDialog::kJpegFilter;
};

class SaveDialogRunner {
 public:
  virtual ~SaveDialogRunner() = default;
  // Shows the dialog modally, set up from `dialog`; nothing when cancelled.
  virtual std::optional<SaveChoice> run(const SavePictureDialog& dialog) = 0;
};

class WindowCapture {
 public:
  virtual ~WindowCapture() = default;
  // The window, frame and title bar included, from its outer top-left corner,
  // as a picture of exactly this size.
  virtual RgbImage capture(int width, int height) = 0;
};

}  // namespace wexmora
