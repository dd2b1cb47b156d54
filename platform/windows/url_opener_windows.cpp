#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <string>

#include "platform/url_opener.h"
#include "platform/windows/wide_text.h"

namespace wexmora::platform {
namespace {

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
