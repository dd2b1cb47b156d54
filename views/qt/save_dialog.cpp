#include "views/qt/save_dialog.h"

#include <QFileDialog>
#include <QStringList>

namespace wexmora::qt {

QString QtSaveDialogRunner::qtNameFilter(const std::string& filter) {
  return QString::fromStdString(filter).replace(QChar(';'), QChar(' '));
}

std::optional<SaveChoice> QtSaveDialogRunner::run(const SavePictureDialog& dialog) {
  QStringList filters;
  for (const std::string& filter : SavePictureDialog::filters()) filters << qtNameFilter(filter);

  QFileDialog fileDialog(owner_);
  fileDialog.setAcceptMode(QFileDialog::AcceptSave);
  fileDialog.setFileMode(QFileDialog::AnyFile);
  fileDialog.setOption(QFileDialog::DontConfirmOverwrite);
  fileDialog.setNameFilters(filters);
  fileDialog.selectNameFilter(filters.value(dialog.filterIndex - 1));
  fileDialog.setDefaultSuffix(QString::fromLatin1(SavePictureDialog::kDefaultExtension));
  if (!dialog.folder.empty()) fileDialog.setDirectory(QString::fromStdString(dialog.folder));
  fileDialog.selectFile(QString::fromStdString(dialog.fileName));
  if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty()) return std::nullopt;

  const int chosen = static_cast<int>(filters.indexOf(fileDialog.selectedNameFilter())) + 1;
  return SaveChoice{fileDialog.selectedFiles().front().toStdString(),
                    chosen > 0 ? chosen : SavePictureDialog::kJpegFilter};
}

}  // namespace wexmora::qt
