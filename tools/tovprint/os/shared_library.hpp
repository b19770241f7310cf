#pragma once
// A shared library opened by its path (dlopen; LoadLibrary on Windows) and closed when the object
// goes away.

#include <filesystem>
#include <memory>
#include <string>

namespace tovprint {

class SharedLibrary {
public:
    // Throws tov::FileError with the loader's message when the library cannot be opened.
    explicit SharedLibrary(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }

    // The address of an exported function, cast to its type; throws tov::FileError naming the
    // symbol and the library when it is not exported.
    template <typename Function>
    Function function(const char* name) const {
        return reinterpret_cast<Function>(address_of(name));
    }

private:
    struct Closer {
        void operator()(void* handle) const;
    };

    void* address_of(const char* name) const;

    std::filesystem::path path_;
    std::unique_ptr<void, Closer> handle_;
};

}  // namespace tovprint
