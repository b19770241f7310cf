#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "os/file_replacement.hpp"
#include "os/windows_error.hpp"
#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

// ".NAME.<process>-<count>-<ticks>.tmp" in the target's folder, so the move stays within one
// volume; created only when no file has that name.
std::filesystem::path temporary_name(const std::filesystem::path& target, unsigned attempt) {
    static std::atomic<unsigned> count{0};
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    const std::wstring suffix = L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(count++) + L"-" +
                                std::to_wstring(GetTickCount64() + attempt) + L".tmp";
    return folder / (L"." + target.filename().wstring() + suffix);
}

}  // namespace

FileReplacement::FileReplacement(std::filesystem::path target) : target_(std::move(target)) {
    constexpr unsigned attempts = 100;
    for (unsigned attempt = 0; attempt < attempts; ++attempt) {
        const std::filesystem::path name = temporary_name(target_, attempt);
        const errno_t error = _wsopen_s(&descriptor_, name.c_str(),
                                        _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT,
                                        _SH_DENYRW, _S_IREAD | _S_IWRITE);
        if (error == 0) {
            temporary_ = name;
            return;
        }
        descriptor_ = -1;
        if (error != EEXIST) fail("cannot write", std::strerror(error));
    }
    fail("cannot write", "no free name for a temporary file beside it");
}

FileReplacement::~FileReplacement() {
    if (descriptor_ >= 0) _close(descriptor_);
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

void FileReplacement::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const unsigned chunk = bytes.size() > (1u << 30) ? (1u << 30) : unsigned(bytes.size());
        const int written = _write(descriptor_, bytes.data(), chunk);
        if (written <= 0) fail("cannot write", std::strerror(errno));
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void FileReplacement::close() {
    if (descriptor_ < 0) return;
    // _commit flushes the file to the disk (FlushFileBuffers).
    if (_commit(descriptor_) != 0) fail("cannot write", std::strerror(errno));
    const int closed = _close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) fail("cannot write", std::strerror(errno));
}

void FileReplacement::commit() {
    close();
    if (!MoveFileExW(temporary_.c_str(), target_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        fail("cannot replace", windows_error_message(GetLastError()));
    }
    temporary_.clear();
}

}  // namespace tovprint
