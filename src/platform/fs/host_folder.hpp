#pragma once
// The folder of the host executable, where the host keeps the files that the documents read
// beside it.

#include <filesystem>
#include <string_view>

namespace tov::fs {

// The folder that holds the executable at exe_path, in its short form; a file name appended with
// operator/ lands beside the executable. A bare file name gives the empty path, the current
// folder. Throws tov::FileError when exe_path is empty: no folder can be told from it, and
// reading files from wherever the process happens to stand would pass silently.
std::filesystem::path HostFolder(std::string_view exe_path);

}  // namespace tov::fs
