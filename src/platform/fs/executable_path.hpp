#pragma once
// The running program: its full path, as the operating system knows it, and its process id.

#include <filesystem>

namespace tov::fs {

// The running program's own path (on Linux the target of /proc/self/exe, on Windows the module
// file of the process). Throws tov::FileError when the system does not tell it.
std::filesystem::path executable_path();

// The running process's id, for names of files no other process builds at the same time.
unsigned long process_id();

}  // namespace tov::fs
