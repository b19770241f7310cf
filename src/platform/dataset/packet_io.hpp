#pragma once
// Data packets as bytes and files, whichever form they come in: the format is told from the
// first bytes, so a caller hands over what it got and the right reader takes it.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/dataset/packet.hpp"

namespace tov::dataset {

enum class PacketFormat { Binary, Xml };

// Binary by its magic number; XML by "<?xml", "<DATAPACKET" or a comment, after an optional
// UTF-8 byte order mark and white space. Anything else (an error text handed over in place of a
// packet) throws tov::PacketError quoting its start; empty input throws "empty data packet".
PacketFormat detect_packet_format(std::string_view bytes);

// Reads a packet of either format. Throws tov::PacketError.
Packet read_packet(std::string_view bytes);

// The largest packet file read: a host's packet files are far smaller.
inline constexpr std::uintmax_t max_packet_file_size = 64 * 1024 * 1024;

// Throws tov::FileError naming the path when the file cannot be read, is no regular file or is
// larger than max_packet_file_size, and tov::PacketError prefixed with the path when its content
// is no good packet.
Packet load_packet_file(const std::filesystem::path& path);

// XML is written in its ANSI form.
std::string write_packet(const Packet& packet, PacketFormat format);

// Throws tov::FileError naming the path when the file cannot be written.
void save_packet_file(const Packet& packet, const std::filesystem::path& path, PacketFormat format);

}  // namespace tov::dataset
