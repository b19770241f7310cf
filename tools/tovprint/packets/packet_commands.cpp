#include "packets/packet_commands.hpp"

#include <algorithm>
#include <cctype>
#include <string>

#include "os/file_bytes.hpp"
#include "os/file_replacement.hpp"
#include "packets/packet_table.hpp"
#include "platform/dataset/packet_io.hpp"
#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

namespace dataset = tov::dataset;

dataset::PacketFormat format_for(const std::filesystem::path& target) {
    std::string extension = target.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return extension == ".xml" ? dataset::PacketFormat::Xml : dataset::PacketFormat::Binary;
}

// The packet of a file read through read_file_bytes (a regular file of bounded size); a packet
// error names the file.
dataset::Packet load_packet(const std::filesystem::path& file) {
    const std::string bytes = read_file_bytes(file);
    try {
        return dataset::read_packet(bytes);
    } catch (const tov::PacketError& error) {
        throw tov::PacketError(file.string() + ": " + error.what());
    }
}

}  // namespace

void show_packet_file(const std::filesystem::path& file, std::ostream& out) {
    print_packet(load_packet(file), file.filename().string(), out);
}

// The target is replaced only once the whole packet is written.
void convert_packet_file(const std::filesystem::path& source, const std::filesystem::path& target) {
    replace_file(target, dataset::write_packet(load_packet(source), format_for(target)));
}

}  // namespace tovprint
