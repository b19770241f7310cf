#include "platform/dataset/packet_current_view.hpp"

#include <algorithm>
#include <numeric>
#include <string>

#include "platform/errors/errors.hpp"

namespace tov::dataset {

namespace {

constexpr std::size_t no_previous = 0;
constexpr std::size_t triple = 3;

[[noreturn]] void fail(const std::string& what) {
    throw PacketError("change log: " + what);
}

std::size_t row_number(int64_t value, std::size_t row_count, std::size_t entry) {
    if (value < 0 || static_cast<uint64_t>(value) > row_count) {
        fail("entry " + std::to_string(entry) + " names row " + std::to_string(value) + " of " +
             std::to_string(row_count));
    }
    return static_cast<std::size_t>(value);
}

// previous[n] is the 1-based row that row n replaces, or 0; index 0 is unused.
std::vector<std::size_t> previous_versions(const Packet& packet) {
    std::vector<std::size_t> previous(packet.rows.size() + 1, no_previous);
    const Param* log = packet.param("CHANGE_LOG");
    if (log == nullptr) return previous;
    const std::vector<int64_t> numbers = log->integers();
    if (numbers.size() % triple != 0)
        fail(std::to_string(numbers.size()) + " numbers are not whole triples");
    for (std::size_t i = 0; i < numbers.size(); i += triple) {
        const std::size_t entry = i / triple + 1;
        const std::size_t row = row_number(numbers[i], packet.rows.size(), entry);
        const std::size_t replaced = row_number(numbers[i + 1], packet.rows.size(), entry);
        if (row == 0) fail("entry " + std::to_string(entry) + " names row 0");
        if (replaced == no_previous) continue;  // an insertion or the deletion of a record
        if (previous[row] != no_previous && previous[row] != replaced) {
            fail("row " + std::to_string(row) + " replaces both row " +
                 std::to_string(previous[row]) + " and row " + std::to_string(replaced));
        }
        previous[row] = replaced;
    }
    return previous;
}

// Walks back from `row` while `keep_going` says so; a chain longer than the packet is a cycle.
template <typename Predicate>
std::size_t walk_back(const std::vector<std::size_t>& previous, std::size_t row,
                      Predicate keep_going) {
    for (std::size_t steps = 0; keep_going(row); ++steps) {
        if (steps >= previous.size())
            fail("the versions of row " + std::to_string(row) + " form a cycle");
        row = previous[row];
    }
    return row;
}

std::size_t root_of(const std::vector<std::size_t>& previous, std::size_t row) {
    return walk_back(previous, row, [&](std::size_t at) { return previous[at] != no_previous; });
}

Value resolved_value(const Packet& packet, const std::vector<std::size_t>& previous,
                     std::size_t row, std::size_t column) {
    const std::size_t source = walk_back(previous, row, [&](std::size_t at) {
        return at != no_previous &&
               std::holds_alternative<Unchanged>(packet.rows[at - 1].values[column]);
    });
    if (source == no_previous) return Null{};
    return packet.rows[source - 1].values[column];
}

Row resolved_row(const Packet& packet, const std::vector<std::size_t>& previous, std::size_t row) {
    Row result = packet.rows[row - 1];
    for (std::size_t column = 0; column < result.values.size(); ++column) {
        if (std::holds_alternative<Unchanged>(result.values[column])) {
            result.values[column] = resolved_value(packet, previous, row, column);
        }
    }
    return result;
}

void check_row_widths(const Packet& packet) {
    for (std::size_t i = 0; i < packet.rows.size(); ++i) {
        if (packet.rows[i].values.size() != packet.fields.size()) {
            throw PacketError("row " + std::to_string(i + 1) + " has " +
                              std::to_string(packet.rows[i].values.size()) + " values for " +
                              std::to_string(packet.fields.size()) + " fields");
        }
    }
}

}  // namespace

std::vector<Row> current_rows(const Packet& packet) {
    check_row_widths(packet);
    const std::vector<std::size_t> previous = previous_versions(packet);
    struct Live {
        std::size_t root;
        std::size_t row;
    };
    std::vector<Live> live;
    for (std::size_t row = 1; row <= packet.rows.size(); ++row) {
        if ((packet.rows[row - 1].status & row_status::hidden_mask) == 0)
            live.push_back({root_of(previous, row), row});
    }
    std::stable_sort(live.begin(), live.end(),
                     [](const Live& a, const Live& b) { return a.root < b.root; });
    std::vector<Row> rows;
    rows.reserve(live.size());
    for (const Live& entry : live) rows.push_back(resolved_row(packet, previous, entry.row));
    return rows;
}

}  // namespace tov::dataset
