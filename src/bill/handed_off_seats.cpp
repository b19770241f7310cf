#include "bill/handed_off_seats.hpp"

#include "bill/seat_selection.hpp"

namespace tov::bill {
namespace {

std::string joined(const std::vector<std::string>& seats) {
    std::string text;
    for (const std::string& seat : seats) text += (text.empty() ? "" : ", ") + seat;
    return text;
}

}  // namespace

HandedOffSeats::HandedOffSeats() {
    seats_.reserve(max_seat_bills);
    refused_.reserve(max_seat_bills);
}

void HandedOffSeats::add(const std::string& seat, bool accepted) {
    // Within the room kept: seat codes are two characters, which a string holds in itself.
    if (seat.empty()) {
        whole_ticket_refused_ = !accepted;
        return;
    }
    seats_.push_back(seat);
    if (!accepted) refused_.push_back(seat);
}

std::string HandedOffSeats::told() const {
    if (seats_.empty()) return "";
    return " (the bills of seats " + joined(seats_) + " were handed off)";
}

TableBillOutcome HandedOffSeats::outcome(services::EntryPoint entry_point) const {
    const std::string refuser =
        "table bill: " + std::string(services::entry_point_name(entry_point)) + " refused the bill";
    if (whole_ticket_refused_) return {false, refuser};
    if (refused_.empty()) return {true, ""};
    return {false, refuser + "s of seats " + joined(refused_) + told()};
}

}  // namespace tov::bill
