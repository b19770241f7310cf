#pragma once
// Which items a seat bill holds. The seat list names two-character seat codes, each followed by
// one separator character of any value ("01;02;03"); every seat bill takes the first code and
// drops three characters. An empty list, or "T", bills the whole ticket at once. A list makes at
// most max_seat_bills seat bills, as many as a table has two-digit seats (01 to 99).
//
// A seat bill holds the rows of the ticket that the deletion filter of the other seats leaves:
// the seat's own rows and the cover and minimum-consumption rows of every seat, in stored order.
// Assigning the whole ticket and deleting the rest row by row would leave exactly these rows;
// taking them from the ticket loaded once for the call costs one pass of the filter per seat
// instead of loading and deleting the whole ticket for every seat.

#include <string>
#include <string_view>

#include "bill/bill_run.hpp"
#include "platform/dataset/client_dataset.hpp"
#include "platform/dataset/packet.hpp"

namespace tov::bill {

inline constexpr std::size_t max_seat_bills = 99;

// True while the seat list still names a seat: it is neither empty nor "T".
bool names_a_seat(std::string_view stPosicao);

// Throws ArgumentError when the list would make more than max_seat_bills seat bills.
void require_seat_bills_within_bound(std::string_view stPosicao);

// The ticket's items, read once for the call.
class TicketItems {
public:
    TicketItems(dataset::Packet items, const format::FormatSettings& settings);

    const dataset::Packet& whole_ticket() const { return items_; }
    // The rows the filter does not let through, in stored order.
    dataset::Packet rows_left_by(const std::string& deletion_filter);

private:
    void load_rows();

    dataset::Packet items_;
    dataset::ClientDataSet rows_;  // loaded when the first seat is billed
    dataset::Packet header_;       // fields and parameters of the ticket's current rows
};

// Loads the items for the next bill into cdsParcProdutos. When the seat list names a seat, only
// its rows and the charges stay, the seat becomes stPosicaoTemp, the list drops it, and the total
// is left for the bill to work out.
void load_items_of_next_bill(BillRun& run, TicketItems& ticket);

}  // namespace tov::bill
