#pragma once
// The process environment, as the package reads it: a variable's value as the package's text
// (Windows-1252) or as a path. On Windows both come from the process's own environment block,
// where a host program sets them (SetEnvironmentVariable) whatever C run-time, if any, it uses.

#include <filesystem>
#include <optional>
#include <string>

namespace tov::fs {

// The variable's value, "" when it is not set.
std::string environment_text(const char* name);

// The variable's value as a path, nothing when it is not set or empty. On Windows a name holds
// any character the file system allows, not only those of Windows-1252.
std::optional<std::filesystem::path> environment_path(const char* name);

}  // namespace tov::fs
