#pragma once
// File paths as the package's text (Windows-1252: a host's path, a connection string's Data
// Source) and back. On POSIX systems a file name is bytes, and the text's bytes are the name. On
// Windows the file system names files in UTF-16: the text is read as Windows-1252, never in
// whatever narrow encoding the C++ library would pick.

#include <filesystem>
#include <string>
#include <string_view>

namespace tov::fs {

std::filesystem::path path_from_text(std::string_view text);

// The path as text. Throws tov::FileError naming the path when it holds a character that
// Windows-1252 lacks (Windows only): such a text would name another file.
std::string text_from_path(const std::filesystem::path& path);

// The path as SQLite and other UTF-8 interfaces take it: on Windows its UTF-8 form, on POSIX
// systems its bytes.
std::string utf8_file_name(const std::filesystem::path& path);

}  // namespace tov::fs
