#include "base/replace_file.h"

#include <algorithm>
#include <cerrno>
#include <random>
#include <string>

#include "base/file_io.h"

namespace wexmora::base {
namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 16;

// Temporary files are named "<target>.part<digits>".
bool temporaryOf(const fs::path& candidate, const fs::path& target) {
  const fs::path::string_type name = candidate.filename().native();
  const fs::path::string_type prefix = target.filename().native() + fs::path(".part").native();
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](auto c) { return c >= '0' && c <= '9'; });
}

// Removes what writes of `target` that were killed half-way left beside it;
// the temporary file of a write still going on stays.
void removeLeftovers(const fs::path& target) {
  std::error_code error;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (temporaryOf(it->path(), target)) file_io::removeAbandoned(it->path());
}

// A device or a pipe cannot be replaced, only written to: "saving" to
// /dev/full must fail as the device says, not put a file in its place.
bool writesInPlace(const fs::path& target) {
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  return !error && fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status);
}

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
  if (writesInPlace(target)) {
    const int fd = file_io::openExisting(target);
    if (fd < 0) throw ReplaceFileError(ReplaceFileError::Step::Write, lastError());
    const bool written = file_io::writeAll(fd, content);
    std::error_code error = lastError();
    const bool closed = file_io::close(fd);
    if (written && !closed) error = lastError();
    if (!written || !closed) throw ReplaceFileError(ReplaceFileError::Step::Write, error);
    return;
  }
  removeLeftovers(target);
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
