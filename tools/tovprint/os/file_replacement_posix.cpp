#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "os/file_replacement.hpp"
#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

// ".NAME.XXXXXX" in the target's folder, so the rename stays within one file system.
std::filesystem::path temporary_pattern(const std::filesystem::path& target) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    return folder / ("." + target.filename().string() + ".XXXXXX");
}

// The mode a new file gets (0666 less the umask), or the mode of the file it replaces.
mode_t mode_for(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileReplacement::FileReplacement(std::filesystem::path target) : target_(std::move(target)) {
    const std::string pattern = temporary_pattern(target_).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    descriptor_ = ::mkstemp(name.data());
    if (descriptor_ < 0) fail("cannot write", std::strerror(errno));
    temporary_ = name.data();
    if (::fchmod(descriptor_, mode_for(target_)) != 0) fail("cannot write", std::strerror(errno));
}

FileReplacement::~FileReplacement() {
    if (descriptor_ >= 0) ::close(descriptor_);
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

void FileReplacement::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) fail("cannot write", std::strerror(errno));
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void FileReplacement::commit() {
    if (::fsync(descriptor_) != 0) fail("cannot write", std::strerror(errno));
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) fail("cannot write", std::strerror(errno));
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) fail("cannot replace", error.message());
    temporary_.clear();
}

}  // namespace tovprint
