#include <windows.h>

#include <string>

#include "platform/errors/errors.hpp"
#include "platform/fs/executable_path.hpp"

namespace tov::fs {

std::filesystem::path executable_path() {
    // The module file of the process, in a buffer grown until the whole path fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (size == 0) {
            throw FileError(
                "cannot read the executable path: GetModuleFileName failed with error " +
                std::to_string(GetLastError()));
        }
        if (size < buffer.size()) {
            buffer.resize(size);
            return std::filesystem::path(buffer);
        }
        if (buffer.size() >= 32768) throw FileError("cannot read the executable path: too long");
        buffer.resize(buffer.size() * 2);
    }
}

unsigned long process_id() {
    return GetCurrentProcessId();
}

}  // namespace tov::fs
