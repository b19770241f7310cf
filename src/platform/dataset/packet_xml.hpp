#pragma once
// The XML data packet: <DATAPACKET Version="2.0"> with the field list in METADATA and one ROW
// element per stored row. Reading gives the same model, type words and parameters as reading
// the binary form of the same table; writing produces the producers' one-line form, so a packet
// read and written again comes out byte for byte as it went in.

#include <string>
#include <string_view>

#include "platform/dataset/packet.hpp"

namespace tov::dataset {

// The text encoding of a written packet: ANSI has no encoding declaration and carries the
// Windows-1252 bytes as they are; UTF-8 declares itself and converts them.
enum class XmlEncoding { Ansi, Utf8 };

// Reads a packet. Text without an encoding declaration is taken as Windows-1252; a UTF-8 byte
// order mark, or a UTF-8 declaration over well-formed UTF-8, makes it UTF-8, converted to
// Windows-1252 ('?' for characters the code page lacks). Throws tov::PacketError naming the
// element and attribute at fault.
Packet read_xml_packet(std::string_view text);

// Throws tov::PacketError for a field type or value that XML cannot hold.
std::string write_xml_packet(const Packet& packet, XmlEncoding encoding = XmlEncoding::Ansi);

}  // namespace tov::dataset
