#include <cstdlib>

#include "platform/fs/environment.hpp"

namespace tov::fs {

std::string environment_text(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::optional<std::filesystem::path> environment_path(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::filesystem::path(value);
}

}  // namespace tov::fs
