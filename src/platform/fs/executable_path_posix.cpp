#include <unistd.h>

#include <system_error>

#include "platform/errors/errors.hpp"
#include "platform/fs/executable_path.hpp"

namespace tov::fs {

std::filesystem::path executable_path() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw FileError("cannot read the executable path from /proc/self/exe: " + error.message());
    }
    return path;
}

unsigned long process_id() {
    return static_cast<unsigned long>(::getpid());
}

}  // namespace tov::fs
