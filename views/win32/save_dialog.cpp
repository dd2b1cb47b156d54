#include "views/win32/save_dialog.h"

#include <commdlg.h>

#include "platform/windows/wide_text.h"

namespace wexmora::win32 {

using platform::narrow;
using platform::widen;

std::wstring SaveFileDialog::filterList() {
  std::wstring list;
  for (const std::string& filter : SavePictureDialog::filters()) {
    const auto open = filter.rfind('(');
    const auto close = filter.rfind(')');
    const std::string pattern = open != std::string::npos && close != std::string::npos && close > open
                                    ? filter.substr(open + 1, close - open - 1)
                                    : "*.*";
    list += widen(filter) + L'\0' + widen(pattern) + L'\0';
  }
  return list + L'\0';
}

std::optional<SaveChoice> SaveFileDialog::run(const SavePictureDialog& dialog) {
  const std::wstring filters = filterList();
  const std::wstring folder = widen(dialog.folder);
  std::wstring file = widen(dialog.fileName);
  file.resize(32768, L'\0');
  OPENFILENAMEW settings{};
  settings.lStructSize = sizeof(settings);
  settings.hwndOwner = owner_;
  settings.lpstrFilter = filters.c_str();
  settings.nFilterIndex = static_cast<DWORD>(dialog.filterIndex);
  settings.lpstrFile = file.data();
  settings.nMaxFile = static_cast<DWORD>(file.size());
  settings.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  settings.lpstrDefExt = L"jpg";
  // No overwrite prompt: an existing file is replaced without a question.
  settings.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_ENABLESIZING;
  if (!GetSaveFileNameW(&settings)) return std::nullopt;
  return SaveChoice{narrow(file.c_str()), static_cast<int>(settings.nFilterIndex)};
}

}  // namespace wexmora::win32
