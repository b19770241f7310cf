#include <cstdlib>
#include <string>

#include "os/process_environment.hpp"
#include "platform/errors/errors.hpp"

namespace tovprint {

void set_environment_path(const char* name, const std::filesystem::path& value) {
    if (setenv(name, value.c_str(), 1) != 0) {
        throw tov::ArgumentError(std::string("cannot set ") + name);
    }
}

}  // namespace tovprint
