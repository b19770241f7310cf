#pragma once
// Where the package keeps files it can build again, such as the demo store.

#include <filesystem>

namespace tov::fs {

// The user's cache folder: on Windows %LOCALAPPDATA%; elsewhere $XDG_CACHE_HOME, else
// $HOME/.cache. The temporary folder when the environment names none.
std::filesystem::path user_cache_folder();

}  // namespace tov::fs
