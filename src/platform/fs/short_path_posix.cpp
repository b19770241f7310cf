#include "platform/fs/short_path.hpp"

namespace tov::fs {

std::filesystem::path ShortPathForm(const std::filesystem::path& path) {
    return path;
}

}  // namespace tov::fs
