#pragma once
// The full path of the running program, as the operating system knows it.

#include <filesystem>

namespace tov::fs {

// The running program's own path (on Linux the target of /proc/self/exe). Throws tov::FileError
// when the system does not tell it.
std::filesystem::path executable_path();

}  // namespace tov::fs
