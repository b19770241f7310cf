#pragma once
// Whether a file is there to be read, as the documents ask before they load an optional file.

#include <filesystem>

namespace tov::fs {

// True when the path names a regular file, directly or through symbolic links. A folder, a
// device, a dangling link, an empty path or a path the system cannot examine answer false:
// the caller then leaves the file's part out rather than failing on it.
bool FileExists(const std::filesystem::path& path) noexcept;

}  // namespace tov::fs
