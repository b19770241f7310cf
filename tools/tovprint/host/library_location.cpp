#include "host/library_location.hpp"

#include <cstdlib>
#include <system_error>

#include "platform/errors/errors.hpp"
#include "platform/fs/executable_path.hpp"

namespace tovprint {
namespace {

#ifdef _WIN32
constexpr const char* library_file_name = "Pkg_Tov00000.dll";
#else
constexpr const char* library_file_name = "libPkg_Tov00000.so.1";  // its soname
#endif

// In the library folder of the program's installed prefix if it is there, else beside the
// program.
std::filesystem::path beside_this_program() {
    try {
        const std::filesystem::path folder = tov::fs::executable_path().parent_path();
#ifdef TOV_INSTALLED_LIBRARY_FOLDER
        const auto installed = folder / TOV_INSTALLED_LIBRARY_FOLDER / library_file_name;
        if (std::error_code error; std::filesystem::exists(installed, error)) return installed;
#endif
        return folder / library_file_name;
    } catch (const tov::FileError&) {
        return library_file_name;
    }
}

}  // namespace

std::filesystem::path package_library_path(const std::optional<std::filesystem::path>& option) {
    if (option) return *option;
    if (const char* from_environment = std::getenv("TOV_LIBRARY");
        from_environment != nullptr && *from_environment != '\0') {
        return from_environment;
    }
#ifdef TOV_PACKAGE_LIBRARY
    if (std::error_code error; std::filesystem::exists(TOV_PACKAGE_LIBRARY, error)) {
        return TOV_PACKAGE_LIBRARY;
    }
#endif
    return beside_this_program();
}

}  // namespace tovprint
