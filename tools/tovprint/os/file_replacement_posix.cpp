#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>
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

bool names_open_descriptor(const std::filesystem::path& path) {
    const std::string text = path.string();
    return text.starts_with("/proc/") || text.starts_with("/dev/fd/");
}

// Whether the path or a link on its way names a descriptor a process holds open (/dev/stdout,
// /dev/fd/1, /proc/self/fd/1): its file is the one that process writes, not to be replaced.
bool leads_to_open_descriptor(std::filesystem::path path) {
    constexpr int most_links = 40;
    for (int link = 0; link < most_links; ++link) {
        if (names_open_descriptor(path)) return true;
        std::error_code error;
        if (!std::filesystem::is_symlink(path, error)) return false;
        std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error) return false;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return false;
}

// Whether the target exists and is, its links followed, neither a regular file nor a folder, or
// is the file of an open descriptor.
bool written_in_place(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0 || S_ISDIR(existing.st_mode)) return false;
    return !S_ISREG(existing.st_mode) || leads_to_open_descriptor(target);
}

// The file a replacement is renamed onto: the target itself, or the regular file its symbolic
// link leads to, so that the link stays.
std::filesystem::path destination_of(const std::filesystem::path& target) {
    std::error_code error;
    if (!std::filesystem::is_symlink(target, error)) return target;
    const std::filesystem::path resolved = std::filesystem::canonical(target, error);
    return error ? target : resolved;
}

}  // namespace

FileReplacement::FileReplacement(std::filesystem::path target) : target_(std::move(target)) {
    if (written_in_place(target_)) {
        in_place_ = true;
        descriptor_ = ::open(target_.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
        if (descriptor_ < 0) fail("cannot write", std::strerror(errno));
        return;
    }
    destination_ = destination_of(target_);
    const std::string pattern = temporary_pattern(destination_).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    descriptor_ = ::mkstemp(name.data());
    if (descriptor_ < 0) fail("cannot write", std::strerror(errno));
    try {
        temporary_ = name.data();
    } catch (...) {  // out of memory: the file just made goes before the failure is passed on
        ::close(std::exchange(descriptor_, -1));
        ::unlink(name.data());
        throw;
    }
    if (::fchmod(descriptor_, mode_for(destination_)) != 0) {
        fail("cannot write", std::strerror(errno));
    }
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

void FileReplacement::close() {
    if (descriptor_ < 0) return;
    if (!in_place_ && ::fsync(descriptor_) != 0) fail("cannot write", std::strerror(errno));
    const int closed = ::close(std::exchange(descriptor_, -1));
    if (closed != 0 && errno != EINTR) fail("cannot write", std::strerror(errno));
}

void FileReplacement::commit() {
    close();
    if (in_place_) return;
    std::error_code error;
    std::filesystem::rename(temporary_, destination_, error);
    if (error) fail("cannot replace", error.message());
    temporary_.clear();
}

}  // namespace tovprint
