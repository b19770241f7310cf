#include "bill/seat_selection.hpp"

#include <algorithm>
#include <string>
#include <utility>

#include "bill/item_filters.hpp"
#include "platform/errors/errors.hpp"

namespace tov::bill {
namespace {

constexpr std::size_t seat_code_length = 2;
constexpr std::size_t seat_code_with_separator = 3;

// Product and seat codes are compared whole: a code ending in '*' is no pattern.
constexpr dataset::FilterOptions exact_codes{.case_insensitive = false, .no_partial_compare = true};

}  // namespace

bool names_a_seat(std::string_view stPosicao) {
    return !stPosicao.empty() && stPosicao != "T";
}

void require_seat_bills_within_bound(std::string_view stPosicao) {
    std::size_t seat_bills = 0;
    for (std::string_view list = stPosicao; names_a_seat(list);
         list.remove_prefix(std::min(seat_code_with_separator, list.size()))) {
        if (++seat_bills > max_seat_bills) {
            throw ArgumentError("table bill: the seat list stPosicao names more than " +
                                std::to_string(max_seat_bills) +
                                " seats, more seat bills than a table has");
        }
    }
}

TicketItems::TicketItems(dataset::Packet items, const format::FormatSettings& settings)
    : items_(std::move(items)), rows_(settings) {}

void TicketItems::load_rows() {
    rows_.SetFilterOptions(exact_codes);
    rows_.SetData(items_);
    header_ = rows_.Data();
    header_.rows.clear();
}

dataset::Packet TicketItems::rows_left_by(const std::string& deletion_filter) {
    if (!rows_.Active()) load_rows();
    rows_.SetFiltered(false);
    rows_.SetFilter("NOT (" + deletion_filter + ")");
    rows_.SetFiltered(true);
    dataset::Packet left = header_;
    const int field_count = static_cast<int>(header_.fields.size());
    for (rows_.First(); !rows_.Eof(); rows_.Next()) {
        dataset::Row row;
        row.values.reserve(header_.fields.size());
        for (int field = 0; field < field_count; ++field) {
            row.values.push_back(
                rows_.CurrentValue(field).value_or(dataset::Value{dataset::Null{}}));
        }
        left.rows.push_back(row);
    }
    return left;
}

void load_items_of_next_bill(BillRun& run, TicketItems& ticket) {
    dataset::ClientDataSet& rows = run.items();
    rows.SetFiltered(false);
    rows.SetFilterOptions(exact_codes);
    run.stPosicaoTemp.clear();
    std::string& stPosicao = run.request.stPosicao;
    if (!names_a_seat(stPosicao)) {
        rows.SetData(ticket.whole_ticket());
        return;
    }
    const std::string seat = stPosicao.substr(0, seat_code_length);
    std::string deletion_filter = other_seats_filter(seat, run.request);
    rows.SetData(ticket.rows_left_by(deletion_filter));
    rows.SetFilter(std::move(deletion_filter));
    run.stPosicaoTemp = seat;
    stPosicao.erase(0, seat_code_with_separator);
    run.request.doTotal = 0;
}

}  // namespace tov::bill
