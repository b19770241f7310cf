#include "platform/fs/executable_path.hpp"

#include <system_error>

#include "platform/errors/errors.hpp"

namespace tov::fs {

std::filesystem::path executable_path() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw FileError("cannot read the executable path from /proc/self/exe: " + error.message());
    }
    return path;
}

}  // namespace tov::fs
