#include "platform/fs/file_exists.hpp"

#include <system_error>

namespace tov::fs {

bool FileExists(const std::filesystem::path& path) noexcept {
    if (path.empty()) return false;
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    return regular && !error;
}

}  // namespace tov::fs
