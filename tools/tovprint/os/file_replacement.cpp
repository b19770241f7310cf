#include "os/file_replacement.hpp"

#include <string>

#include "platform/errors/errors.hpp"

namespace tovprint {

void FileReplacement::fail(const char* what, const std::string& reason) const {
    throw tov::FileError(std::string(what) + " '" + target_.string() + "': " + reason);
}

void replace_file(const std::filesystem::path& target, std::string_view bytes) {
    FileReplacement file(target);
    file.write(bytes);
    file.commit();
}

}  // namespace tovprint
