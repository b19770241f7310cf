#include "platform/dataset/packet_io.hpp"

#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/dataset/packet_binary.hpp"
#include "platform/dataset/packet_xml.hpp"
#include "platform/errors/errors.hpp"

namespace tov::dataset {

namespace {

constexpr std::string_view binary_magic = "\x96\x19\xE0\xBD";
constexpr std::string_view old_binary_magic = std::string_view("\xCD\xAB\x00\x00", 4);
constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";
constexpr std::size_t quoted_length = 60;

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The start of something that is no packet, made printable for a message.
std::string quoted_start(std::string_view bytes) {
    std::string shown;
    for (const char c : bytes.substr(0, quoted_length)) {
        const auto byte = static_cast<unsigned char>(c);
        shown.push_back(byte < 0x20 || byte == 0x7F ? ' ' : c);
    }
    return "'" + shown + (bytes.size() > quoted_length ? "...'" : "'");
}

std::string read_file_bytes(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw FileError("cannot read data packet file '" + path.string() + "': it is a directory");
    }
    // A device or a pipe would be read until memory runs out.
    const auto status = std::filesystem::status(path, error);
    if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        throw FileError("cannot read data packet file '" + path.string() +
                        "': it is not a regular file");
    }
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > max_packet_file_size) {
        throw FileError("data packet file '" + path.string() + "' holds " + std::to_string(size) +
                        " bytes; at most " + std::to_string(max_packet_file_size) + " are read");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) throw FileError("cannot open data packet file '" + path.string() + "'");
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) throw FileError("cannot read data packet file '" + path.string() + "'");
    return bytes;
}

}  // namespace

PacketFormat detect_packet_format(std::string_view bytes) {
    if (starts_with(bytes, binary_magic) || starts_with(bytes, old_binary_magic))
        return PacketFormat::Binary;
    std::string_view text = bytes;
    if (starts_with(text, utf8_bom)) text.remove_prefix(utf8_bom.size());
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) throw PacketError("empty data packet");
    text.remove_prefix(start);
    if (starts_with(text, "<?xml") || starts_with(text, "<DATAPACKET") ||
        starts_with(text, "<!--")) {
        return PacketFormat::Xml;
    }
    throw PacketError("not a data packet: " + quoted_start(text));
}

Packet read_packet(std::string_view bytes) {
    return detect_packet_format(bytes) == PacketFormat::Binary ? read_binary_packet(bytes)
                                                               : read_xml_packet(bytes);
}

Packet load_packet_file(const std::filesystem::path& path) {
    const std::string bytes = read_file_bytes(path);
    try {
        return read_packet(bytes);
    } catch (const PacketError& error) {
        throw PacketError(path.string() + ": " + error.what());
    }
}

std::string write_packet(const Packet& packet, PacketFormat format) {
    return format == PacketFormat::Binary ? write_binary_packet(packet) : write_xml_packet(packet);
}

void save_packet_file(const Packet& packet, const std::filesystem::path& path,
                      PacketFormat format) {
    const std::string bytes = write_packet(packet, format);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw FileError("cannot create data packet file '" + path.string() + "'");
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw FileError("cannot write data packet file '" + path.string() + "'");
}

}  // namespace tov::dataset
