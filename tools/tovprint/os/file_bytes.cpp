#include "os/file_bytes.hpp"

#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

std::uintmax_t checked_size(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        throw tov::FileError("cannot open '" + path.string() + "': no such file");
    }
    if (!std::filesystem::is_regular_file(status)) {
        throw tov::FileError("cannot read '" + path.string() + "': not a regular file");
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) throw tov::FileError("cannot read '" + path.string() + "': " + error.message());
    if (size > max_input_file_size) {
        throw tov::FileError("'" + path.string() + "' holds " + std::to_string(size) +
                             " bytes; files of at most " + std::to_string(max_input_file_size) +
                             " bytes are read");
    }
    return size;
}

}  // namespace

std::string read_file_bytes(const std::filesystem::path& path) {
    const std::uintmax_t size = checked_size(path);
    std::ifstream file(path, std::ios::binary);
    if (!file) throw tov::FileError("cannot open '" + path.string() + "'");
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad() || bytes.size() > max_input_file_size) {
        throw tov::FileError("cannot read '" + path.string() + "'");
    }
    return bytes;
}

}  // namespace tovprint
