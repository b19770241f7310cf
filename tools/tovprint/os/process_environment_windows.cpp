#include <cstdlib>
#include <string>

#include "os/process_environment.hpp"
#include "platform/errors/errors.hpp"
#include "platform/text/cp1252.hpp"

namespace tovprint {

// _wputenv_s sets the C run-time's copy and the process's environment block, which the package
// reads; the path goes in UTF-16, whatever characters it holds.
void set_environment_path(const char* name, const std::filesystem::path& value) {
    const std::u16string wide_name = tov::text::cp1252_to_utf16(name);
    if (_wputenv_s(reinterpret_cast<const wchar_t*>(wide_name.c_str()), value.c_str()) != 0) {
        throw tov::ArgumentError(std::string("cannot set ") + name);
    }
}

}  // namespace tovprint
