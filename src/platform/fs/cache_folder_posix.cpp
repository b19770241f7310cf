#include "platform/fs/cache_folder.hpp"
#include "platform/fs/environment.hpp"

namespace tov::fs {

std::filesystem::path user_cache_folder() {
    if (auto cache = environment_path("XDG_CACHE_HOME")) return *cache;
    if (auto home = environment_path("HOME")) return *home / ".cache";
    return std::filesystem::temp_directory_path();
}

}  // namespace tov::fs
