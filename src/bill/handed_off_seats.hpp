#pragma once
// What one call of the table bill has handed off so far: the seats whose bills went to the
// back-end and those of them the register refused. Room for every seat bill a list may make is
// kept from the start, so that taking note of a hand-off never needs memory.

#include <string>
#include <vector>

#include "bill/table_bill.hpp"

namespace tov::bill {

class HandedOffSeats {
public:
    HandedOffSeats();

    // seat is "" for the whole ticket; accepted is the back-end's answer.
    void add(const std::string& seat, bool accepted);

    // " (the bills of seats 01, 02 were handed off)", or "" before any seat bill.
    std::string told() const;
    // The result: true when nothing was refused, else false with the refused seats named.
    TableBillOutcome outcome(services::EntryPoint entry_point) const;

private:
    std::vector<std::string> seats_;
    std::vector<std::string> refused_;
    bool whole_ticket_refused_ = false;
};

}  // namespace tov::bill
