#include <windows.h>

#include "os/shared_library.hpp"
#include "os/windows_error.hpp"
#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

// A path with a folder is loaded from there, the libraries it needs looked up beside it first
// (as the system does for a program); a bare file name is looked up as the system looks up any
// library. No error box is shown for a library that cannot be loaded: the error is the message.
HMODULE load(const std::filesystem::path& path) {
    DWORD previous_mode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_mode);
    HMODULE module = nullptr;
    if (path.has_parent_path()) {
        std::error_code error;
        std::filesystem::path full = std::filesystem::absolute(path, error);
        if (error) full = path;
        module = LoadLibraryExW(full.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    } else {
        module = LoadLibraryW(path.c_str());
    }
    const DWORD load_error = GetLastError();
    SetThreadErrorMode(previous_mode, nullptr);
    SetLastError(load_error);
    return module;
}

}  // namespace

void SharedLibrary::Closer::operator()(void* handle) const {
    FreeLibrary(static_cast<HMODULE>(handle));
}

SharedLibrary::SharedLibrary(const std::filesystem::path& path) : path_(path), handle_(load(path)) {
    if (!handle_) {
        throw tov::FileError("cannot load the package '" + path.string() +
                             "': " + windows_error_message(GetLastError()));
    }
}

void* SharedLibrary::address_of(const char* name) const {
    FARPROC address = GetProcAddress(static_cast<HMODULE>(handle_.get()), name);
    if (address == nullptr) {
        throw tov::FileError("the package '" + path_.string() + "' does not export '" + name + "'");
    }
    return reinterpret_cast<void*>(address);
}

}  // namespace tovprint
