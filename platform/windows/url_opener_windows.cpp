#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <string>

#include "platform/url_opener.h"

namespace wexmora::platform {
namespace {

std::wstring widen(const std::string& text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

// Hands the address to the shell's default action for it (the user's
// browser), shown normally; the call returns at once and its result is not
// examined, as the shell reports its own failures.
class ShellUrlOpener : public UrlOpener {
 public:
  void open(const std::string& url) override {
    if (url.empty()) return;
    const std::wstring address = widen(url);
    ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
  }
};

}  // namespace

std::unique_ptr<UrlOpener> systemUrlOpener() { return std::make_unique<ShellUrlOpener>(); }

}  // namespace wexmora::platform
