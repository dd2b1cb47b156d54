#pragma once
// The save dialog of the screenshot as a Qt file dialog, set up from the
// window's SavePictureDialog settings.
#include <QWidget>

#include "core/window/screenshot.h"

namespace wexmora::qt {

class QtSaveDialogRunner : public SaveDialogRunner {
 public:
  explicit QtSaveDialogRunner(QWidget* owner) : owner_(owner) {}
  std::optional<SaveChoice> run(const SavePictureDialog& dialog) override;

  // A file type as Qt's dialog reads it: Qt separates patterns by blanks.
  static QString qtNameFilter(const std::string& filter);

 private:
  QWidget* owner_;
};

}  // namespace wexmora::qt
