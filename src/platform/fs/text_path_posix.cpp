#include "platform/fs/text_path.hpp"

namespace tov::fs {

std::filesystem::path path_from_text(std::string_view text) {
    return std::filesystem::path(std::string(text));
}

std::string text_from_path(const std::filesystem::path& path) {
    return path.string();
}

std::string utf8_file_name(const std::filesystem::path& path) {
    return path.string();
}

}  // namespace tov::fs
