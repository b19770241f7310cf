#pragma once
// The rows a packet shows as its dataset's current content: the live version of each record,
// with "not changed" columns taken from the versions it replaced.

#include <vector>

#include "platform/dataset/packet.hpp"
#include "platform/dataset/row_table.hpp"

namespace tov::dataset {

// Live rows in the order their records were first stored, with their status. Values that no
// version ever assigned are Null; no Unchanged remains. Throws PacketError for a row whose width
// is not the field count, and for a CHANGE_LOG naming rows outside the packet or versions that
// replace each other in a cycle. Time and memory are linear in the packet's cells.
RowTable current_table(const Packet& packet);
// The same, taking over the packet's rows when they are the current view already.
RowTable current_table(Packet&& packet);

// current_table as a list of rows.
std::vector<Row> current_rows(const Packet& packet);

}  // namespace tov::dataset
