#pragma once
// Hands a web address to the user's default browser without waiting for it.
#include <memory>
#include <string>
#include <vector>

namespace wexmora::platform {

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  virtual void open(const std::string& url) = 0;
};

// Records the addresses instead of opening them.
class RecordingUrlOpener : public UrlOpener {
 public:
  void open(const std::string& url) override { opened.push_back(url); }
  std::vector<std::string> opened;
};

std::unique_ptr<UrlOpener> systemUrlOpener();

}  // namespace wexmora::platform
