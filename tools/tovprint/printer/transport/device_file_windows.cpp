#include <windows.h>

#include <algorithm>
#include <climits>
#include <cwctype>
#include <system_error>
#include <utility>

#include "printer/transport/device_file.hpp"
#include "printer/transport/printer_error.hpp"

namespace tovprint {
namespace {

std::string error_text(int error) {
    return std::system_category().message(error);
}

}  // namespace

bool is_device_path(const std::filesystem::path& path) {
    const std::wstring name = path.native();
    if (name.rfind(L"\\\\", 0) == 0) return true;  // \\.\COM10, \\server\printer
    std::wstring upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), ::towupper);
    if (upper == L"PRN") return true;
    return upper.size() == 4 && (upper.rfind(L"COM", 0) == 0 || upper.rfind(L"LPT", 0) == 0) &&
           upper[3] >= L'1' && upper[3] <= L'9';
}

struct DeviceFile::Handle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

DeviceFile::DeviceFile(const std::filesystem::path& path, std::chrono::milliseconds timeout,
                       std::string printer)
    : handle_(std::make_unique<Handle>()), timeout_(timeout), printer_(std::move(printer)) {
    handle_->handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_->handle == INVALID_HANDLE_VALUE) {
        throw PrinterError("printer " + printer_ +
                           ": cannot open: " + error_text(static_cast<int>(GetLastError())));
    }
    // A serial port waits at most the timeout for each write; other devices ignore this.
    COMMTIMEOUTS limits{};
    limits.WriteTotalTimeoutConstant = static_cast<DWORD>(timeout_.count());
    SetCommTimeouts(handle_->handle, &limits);
}

DeviceFile::~DeviceFile() = default;

void DeviceFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), INT_MAX));
        if (!WriteFile(handle_->handle, bytes.data(), size, &written, nullptr)) {
            throw PrinterError("printer " + printer_ +
                               ": cannot write: " + error_text(static_cast<int>(GetLastError())));
        }
        if (written == 0) {
            throw PrinterError("printer " + printer_ + " did not take the job within " +
                               seconds_text(timeout_) + " (out of paper, cover open or off line?)");
        }
        bytes.remove_prefix(written);
    }
}

void DeviceFile::write_before(std::string_view bytes, std::chrono::steady_clock::time_point) {
    write(bytes);  // a serial port's write limit is the timeout set at the opening
}

std::string DeviceFile::read_some(std::chrono::steady_clock::time_point) {
    return {};  // answers are not read from a Windows port (reads_back() is false)
}

void DeviceFile::finish() {
    FlushFileBuffers(handle_->handle);  // a port that cannot flush has nothing waiting
    const HANDLE handle = std::exchange(handle_->handle, INVALID_HANDLE_VALUE);
    if (!CloseHandle(handle)) {
        throw PrinterError("printer " + printer_ +
                           ": cannot write: " + error_text(static_cast<int>(GetLastError())));
    }
}

}  // namespace tovprint
