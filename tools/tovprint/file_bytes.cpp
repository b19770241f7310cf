#include "file_bytes.hpp"

#include <fstream>
#include <iterator>

#include "platform/errors/errors.hpp"

namespace tovprint {

std::string read_file_bytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw tov::FileError("cannot open '" + path.string() + "'");
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) throw tov::FileError("cannot read '" + path.string() + "'");
    return bytes;
}

}  // namespace tovprint
