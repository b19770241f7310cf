#pragma once
// The binary data packet: the bytes a client dataset saves to a .cds file or hands over as its
// data. Reading checks every length and count against the buffer; writing is the exact inverse.

#include <string>
#include <string_view>

#include "platform/dataset/packet.hpp"

namespace tov::dataset {

// Throws tov::PacketError naming what is wrong and at which byte offset.
Packet read_binary_packet(std::string_view bytes);

// Throws tov::PacketError for a value that does not fit its field (naming row and field).
std::string write_binary_packet(const Packet& packet);

}  // namespace tov::dataset
