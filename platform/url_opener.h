#pragma once
// Hands a web address to the user's default browser without waiting for it.
#include <memory>
#include <string>

namespace wexmora::platform {

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  virtual void open(const std::string& url) = 0;
};

std::unique_ptr<UrlOpener> systemUrlOpener();

}  // namespace wexmora::platform
