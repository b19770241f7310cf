#pragma once
// The short form of a path, where the file system keeps one.
//
// Some file systems give every name a second, short alias (at most eight characters, a dot and
// three more) that old programs use to avoid blanks and long names: on Windows the short form
// is the one GetShortPathName answers. POSIX file systems keep no such alias: there a path's
// short form is the path itself.

#include <filesystem>

namespace tov::fs {

// The short form of the path, or the path unchanged where the platform keeps no short names.
std::filesystem::path ShortPathForm(const std::filesystem::path& path);

}  // namespace tov::fs
