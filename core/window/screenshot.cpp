#include "core/window/screenshot.h"

#include <filesystem>

#include "base/utf8_path.h"

namespace wexmora {
namespace {

namespace fs = std::filesystem;

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

}  // namespace wexmora
