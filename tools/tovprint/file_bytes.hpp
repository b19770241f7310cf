#pragma once
// The whole content of a file, as bytes.

#include <filesystem>
#include <string>

namespace tovprint {

// Throws tov::FileError naming the file when it cannot be read.
std::string read_file_bytes(const std::filesystem::path& path);

}  // namespace tovprint
