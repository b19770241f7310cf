#pragma once
// `tovprint packet show`: a packet's fields (name, type, width, subtype) and its current rows
// as a plain-text table in UTF-8.

#include <ostream>
#include <string_view>

#include "platform/dataset/packet.hpp"

namespace tovprint {

// title names the packet in the first line (its file name).
void print_packet(const tov::dataset::Packet& packet, std::string_view title, std::ostream& out);

}  // namespace tovprint
