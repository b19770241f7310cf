#pragma once
// The developer's commands on packet files: show one, convert between binary and XML.

#include <filesystem>
#include <ostream>

namespace tovprint {

// Throws the reader's tov::PacketError (or tov::FileError) for a packet that cannot be read.
void show_packet_file(const std::filesystem::path& file, std::ostream& out);

// Writes XML when target ends in ".xml" (any case), the binary form otherwise.
void convert_packet_file(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace tovprint
