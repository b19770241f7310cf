#pragma once
// The rows a packet shows as its dataset's current content: the live version of each record,
// with "not changed" columns taken from the versions it replaced.

#include <vector>

#include "platform/dataset/packet.hpp"

namespace tov::dataset {

// Live rows in the order their records were first stored. Values that no version ever assigned
// are Null; no Unchanged remains. Throws PacketError for a CHANGE_LOG naming rows outside the
// packet or versions that replace each other in a cycle.
std::vector<Row> current_rows(const Packet& packet);

}  // namespace tov::dataset
