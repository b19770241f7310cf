#include "platform/fs/cache_folder.hpp"
#include "platform/fs/environment.hpp"

namespace tov::fs {

std::filesystem::path user_cache_folder() {
    if (auto local = environment_path("LOCALAPPDATA")) return *local;
    return std::filesystem::temp_directory_path();
}

}  // namespace tov::fs
