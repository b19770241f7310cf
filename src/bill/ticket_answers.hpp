#pragma once
// The store's answers about the ticket that are the same for every seat bill of one call: the
// till's operator, the loyalty balance and discount, the payments taken (always asked for the
// whole sale) and the till's footer. The first seat bill asks the store; every later seat bill of
// the call loads the same answers again instead of asking again, so a table of fifty seats costs
// the store five questions, not two hundred and fifty. Only the consumer's name, which is asked
// for the seat, is asked by every seat bill.

#include <optional>
#include <string>
#include <utility>

#include "lookups/sale_lookups.hpp"

namespace tov::bill {

struct TicketAnswers {
    std::optional<lookups::LookupPacket> GetCaixa;
    std::optional<lookups::LookupPacket> SaldoFidelidade;
    std::optional<double> loyalty_discount;
    std::optional<lookups::LookupPacket> getMovCaixaMob;
    std::optional<std::string> till_footer;
};

// The answer kept for this call, or the one ask gives the first time.
template <class Answer, class Ask>
const Answer& asked_once(std::optional<Answer>& kept, Ask&& ask) {
    if (!kept) kept.emplace(std::forward<Ask>(ask)());
    return *kept;
}

}  // namespace tov::bill
