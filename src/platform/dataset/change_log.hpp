#pragma once
// The change log of a packet (the dataset parameter CHANGE_LOG): uint32 triples (row, replaced
// row, kind) that link each version of a record to the version it replaces. Reading it checks it
// whole, in time linear in the packet: every entry names rows of the packet, no row replaces two
// others, and no chain of versions comes back to itself. Rows are numbered from 1 as in the log.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/dataset/packet.hpp"

namespace tov::dataset {

class ChangeLog {
public:
    // Throws PacketError "change log: ..." naming the entry and rows at fault.
    explicit ChangeLog(const Packet& packet);

    bool empty() const { return previous_.empty(); }
    // The row that `row` replaces, or 0.
    std::size_t previous(std::size_t row) const { return previous_.empty() ? 0 : previous_[row]; }
    // The first version of the record `row` belongs to.
    std::size_t root(std::size_t row) const { return roots_.empty() ? row : roots_[row]; }

private:
    void link(const std::vector<int64_t>& numbers, std::size_t row_count);
    void find_roots();

    std::vector<uint32_t> previous_;  // index 0 unused; empty without a log
    std::vector<uint32_t> roots_;
};

// Checks the change log of a packet as ChangeLog does.
void check_change_log(const Packet& packet);

}  // namespace tov::dataset
