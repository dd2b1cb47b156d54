#include "base/replace_file.h"

#include <cerrno>
#include <random>
#include <string>

#include "base/file_io.h"

namespace wexmora::base {
namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 16;

std::string describe(ReplaceFileError::Step step, const std::error_code& error) {
  switch (step) {
    case ReplaceFileError::Step::Create:
      return "cannot create a temporary file: " + error.message();
    case ReplaceFileError::Step::Write:
      return "cannot write the file: " + error.message();
    case ReplaceFileError::Step::Rename:
      break;
  }
  return "cannot replace the file: " + error.message();
}

std::error_code lastError() { return {errno, std::generic_category()}; }

}  // namespace

ReplaceFileError::ReplaceFileError(Step step, std::error_code error)
    : std::runtime_error(describe(step, error)), step_(step), error_(error) {}

void replaceFile(const fs::path& target, std::string_view content, FileAccess access) {
  std::random_device random;
  fs::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
    temporary = target;
    temporary += ".part" + std::to_string(random() % 1000000);
    fd = file_io::createNew(temporary, access);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw ReplaceFileError(ReplaceFileError::Step::Create, lastError());

  const bool written = file_io::writeAll(fd, content) && file_io::flush(fd);
  std::error_code error = lastError();
  const bool closed = file_io::close(fd);
  if (written && !closed) error = lastError();
  std::error_code ignored;
  if (!written || !closed) {
    fs::remove(temporary, ignored);
    throw ReplaceFileError(ReplaceFileError::Step::Write, error);
  }
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, ignored);
    throw ReplaceFileError(ReplaceFileError::Step::Rename, error);
  }
  file_io::flushFolder(target.has_parent_path() ? target.parent_path() : fs::path("."));
}

}  // namespace wexmora::base
