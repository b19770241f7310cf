#include "platform/dataset/packet_current_view.hpp"

#include <string>

#include "platform/dataset/change_log.hpp"
#include "platform/errors/errors.hpp"

namespace tov::dataset {

namespace {

void check_row_widths(const Packet& packet) {
    for (std::size_t i = 0; i < packet.rows.size(); ++i) {
        if (packet.rows.width(i) != packet.fields.size()) {
            throw PacketError("row " + std::to_string(i + 1) + " has " +
                              std::to_string(packet.rows.width(i)) + " values for " +
                              std::to_string(packet.fields.size()) + " fields");
        }
    }
}

bool is_current_already(const Packet& packet, const ChangeLog& log) {
    return log.empty() && !packet.rows.any_status() && !packet.rows.any_unchanged();
}

bool is_live(const RowTable& rows, std::size_t index) {
    return (rows.status(index) & row_status::hidden_mask) == 0;
}

// The live rows (1-based) grouped by their record's first version, in that version's order.
std::vector<uint32_t> live_rows_in_record_order(const RowTable& rows, const ChangeLog& log) {
    std::vector<uint32_t> starts(rows.size() + 2, 0);
    for (std::size_t row = 1; row <= rows.size(); ++row) {
        if (is_live(rows, row - 1)) ++starts[log.root(row) + 1];
    }
    for (std::size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
    std::vector<uint32_t> live(starts.back());
    for (std::size_t row = 1; row <= rows.size(); ++row) {
        if (is_live(rows, row - 1)) live[starts[log.root(row)]++] = static_cast<uint32_t>(row);
    }
    return live;
}

// Finds, for the rows of one column, the version whose value a not-changed cell stands for.
// A row's answer is kept, so each version is looked at once per column however long its chain.
class UnchangedResolver {
public:
    UnchangedResolver(const ChangeLog& log, std::size_t row_count)
        : log_(log), source_(row_count + 1), column_of_(row_count + 1, no_column) {}

    // The row (1-based) holding the value of `row`'s cell, or 0 when no version assigned one.
    std::size_t source(const ColumnCells& cells, std::size_t column, std::size_t row) {
        path_.clear();
        std::size_t at = row;
        std::size_t found = 0;
        while (at != 0) {
            if (column_of_[at] == column) {
                found = source_[at];
                break;
            }
            if (cells.state(at - 1) != CellState::Unchanged) {
                found = at;
                break;
            }
            path_.push_back(static_cast<uint32_t>(at));
            at = log_.previous(at);
        }
        for (const uint32_t version : path_) {
            column_of_[version] = column;
            source_[version] = static_cast<uint32_t>(found);
        }
        return found;
    }

private:
    static constexpr std::size_t no_column = SIZE_MAX;
    const ChangeLog& log_;
    std::vector<uint32_t> source_;
    std::vector<std::size_t> column_of_;
    std::vector<uint32_t> path_;
};

RowTable resolved_table(const Packet& packet, const ChangeLog& log) {
    const RowTable& rows = packet.rows;
    const std::vector<uint32_t> live = live_rows_in_record_order(rows, log);
    RowTable table(packet.fields.size());
    for (const uint32_t row : live) table.begin_row(rows.status(row - 1));
    UnchangedResolver resolver(log, rows.size());
    for (std::size_t column = 0; column < packet.fields.size(); ++column) {
        const ColumnCells& cells = rows.column(column);
        ColumnCells& target = table.column_to_fill(column);
        for (const uint32_t row : live) {
            const std::size_t source =
                cells.has_unchanged() ? resolver.source(cells, column, row) : row;
            if (source == 0) {
                target.append_null();
            } else {
                target.append_copy(cells, source - 1);
            }
        }
    }
    table.shrink_to_fit();
    return table;
}

}  // namespace

RowTable current_table(const Packet& packet) {
    check_row_widths(packet);
    const ChangeLog log(packet);
    if (is_current_already(packet, log)) return packet.rows;
    return resolved_table(packet, log);
}

RowTable current_table(Packet&& packet) {
    check_row_widths(packet);
    const ChangeLog log(packet);
    if (is_current_already(packet, log)) return std::move(packet.rows);
    return resolved_table(packet, log);
}

std::vector<Row> current_rows(const Packet& packet) {
    const RowTable table = current_table(packet);
    std::vector<Row> rows;
    rows.reserve(table.size());
    for (std::size_t row = 0; row < table.size(); ++row) rows.push_back(table[row]);
    return rows;
}

}  // namespace tov::dataset
