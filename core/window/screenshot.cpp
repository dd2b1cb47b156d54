#include "core/window/screenshot.h"

#include <filesystem>

#include "base/utf8_path.h"

namespace wexmora {
namespace {

namespace fs = std::filesystem;

// The bitmap is two rows taller than the window.
constexpr int kExtraRows = 2;

}  // namespace

const std::vector<std::string>& SavePictureDialog::filters() {
  static const std::vector<std::string> kFilters = {
      "All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)",
      "JPEG Image File (*.jpg)",
      "JPEG Image File (*.jpeg)",
      "Bitmaps (*.bmp)",
      "Icons (*.ico)",
      "Enhanced Metafiles (*.emf)",
      "Metafiles (*.wmf)",
  };
  return kFilters;
}

std::string SavePictureDialog::withDefaultExtension(const std::string& path) {
  if (base::pathFromUtf8(path).has_extension()) return path;
  return path + "." + kDefaultExtension;
}

void SavePictureDialog::remember(const std::string& path, int chosenFilter) {
  const fs::path chosen = base::pathFromUtf8(withDefaultExtension(path));
  folder = base::pathToUtf8(chosen.parent_path());
  fileName = base::pathToUtf8(chosen.filename());
  filterIndex = chosenFilter;
}

std::string SavePictureDialog::chosenPath() const {
  if (folder.empty()) return fileName;
  return base::pathToUtf8(base::pathFromUtf8(folder) / base::pathFromUtf8(fileName));
}

std::optional<std::string> SpeedButton3Click(const TForm15& form, SavePictureDialog& dialog, SaveDialogRunner& runner,
                                             WindowCapture& capture) {
  const std::optional<SaveChoice> choice = runner.run(dialog);
  if (!choice) return std::nullopt;
  dialog.remember(choice->path, choice->filter);
  const RgbImage picture = capture.capture(form.width, form.height + kExtraRows);
  dialog.filterIndex = SavePictureDialog::kJpegFilter;
  const std::string path = dialog.chosenPath();
  writeJpegFile(picture, path);
  return path;
}

}  // namespace wexmora
