#pragma once
// The few file calls replaceFile needs that differ between the systems; one
// implementation per system (file_io_posix.cpp, file_io_windows.cpp). Each
// call reports failure by its result and leaves the reason in errno.
#include <filesystem>
#include <string_view>

#include "base/replace_file.h"

namespace wexmora::base::file_io {

// A descriptor of the new file `path` open for writing, or -1 (errno EEXIST
// when a file of that name exists).
int createNew(const std::filesystem::path& path, FileAccess access);
bool writeAll(int fd, std::string_view data);
// Flushes the file's data to the disk.
bool flush(int fd);
bool close(int fd);
// Makes a rename within `folder` durable, where the system needs that; best effort.
void flushFolder(const std::filesystem::path& folder);

}  // namespace wexmora::base::file_io
