#pragma once
// The whole content of an input file (a request, a packet), as bytes. Only a regular file of at
// most max_input_file_size bytes is read: a device, a pipe or a folder named by mistake is
// refused at once instead of being read until memory runs out.

#include <cstdint>
#include <filesystem>
#include <string>

namespace tovprint {

inline constexpr std::uintmax_t max_input_file_size = 64 * 1024 * 1024;

// Throws tov::FileError naming the file when it is missing, is not a regular file, is larger
// than max_input_file_size or cannot be read.
std::string read_file_bytes(const std::filesystem::path& path);

}  // namespace tovprint
