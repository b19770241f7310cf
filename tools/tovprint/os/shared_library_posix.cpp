#include "os/shared_library.hpp"

#include <dlfcn.h>

#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

std::string last_loader_error() {
    const char* message = dlerror();
    return message != nullptr ? message : "unknown error";
}

}  // namespace

void SharedLibrary::Closer::operator()(void* handle) const {
    dlclose(handle);
}

SharedLibrary::SharedLibrary(const std::filesystem::path& path)
    : path_(path), handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (!handle_) {
        throw tov::FileError("cannot load the package '" + path.string() +
                             "': " + last_loader_error());
    }
}

void* SharedLibrary::address_of(const char* name) const {
    dlerror();
    void* address = dlsym(handle_.get(), name);
    if (address == nullptr) {
        throw tov::FileError("the package '" + path_.string() + "' does not export '" + name + "'");
    }
    return address;
}

}  // namespace tovprint
