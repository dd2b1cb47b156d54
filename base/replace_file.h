#pragma once
// Replacing a file whole, the one implementation (settings file, screenshots):
// the content goes into a new temporary file beside the target, is flushed to
// the disk and renamed over the target only once all of it is there, so a
// crash, a full disk or a failed write never leaves a damaged or half-written
// file behind.
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace wexmora::base {

// Who may read the new file, where the system has permissions (POSIX):
// its owner only, or everyone the user's umask lets read it.
enum class FileAccess { OwnerOnly, Everyone };

class ReplaceFileError : public std::runtime_error {
 public:
  enum class Step { Create, Write, Rename };
  ReplaceFileError(Step step, std::error_code error);
  Step step() const { return step_; }
  const std::error_code& error() const { return error_; }

 private:
  Step step_;
  std::error_code error_;
};

// Puts `content` at `target`, whose folder must exist. Throws ReplaceFileError
// naming the step that failed; the temporary file is then removed and the
// target left as it was.
void replaceFile(const std::filesystem::path& target, std::string_view content, FileAccess access);

}  // namespace wexmora::base
