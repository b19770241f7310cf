#pragma once
// The table bill: the partial bill a waiter prints for the guests to check before they pay,
// for the whole table or ticket, or one bill for each seat of a seat list, each handed off on its
// own: to the fiscal register (Conferencia_Formatada), or to the plain printer
// (DisparaImpressaoNaoFiscal), in Spanish for stores in Colombia. Register kinds 16, 30, 41 and
// 44 compose fiscal bills themselves and get the items and amounts (Conferencia_Outras).
//
// The paper from top to bottom: header (bill_header), items (item_lines), totals (bill_totals),
// the bold Total block with the seat subtotals (total_block, seat_subtotals), payments already
// taken (advance_payments), suggested tips (suggested_tips), closing lines (closing_lines); then
// the hand-off (hand_off).

#include <string>

#include "bill/bill_store.hpp"
#include "bill/table_bill_request.hpp"
#include "services/document_context.hpp"

namespace tov::bill {

struct TableBillOutcome {
    bool result = false;
    std::string reason;  // why the result is false; empty when it is true
};

// The result is, for a fiscal bill, true when the register accepted every seat bill
// (Conferencia_Formatada, or Conferencia_Outras, answered true), false with the refused seats
// named in the reason otherwise; for a non-fiscal bill, true once every seat bill is handed off.
//
// Every failure is thrown: an amount that is not a finite number, an entry point the host did not
// register, a parameter file or items packet that cannot be read, a missing field, a lookup that
// answers a database error, the footer query. A failure while a seat bill is composed names the
// seat and the seat bills already handed off, which stay handed off; nothing of the failing seat
// bill reaches the back-end.
TableBillOutcome ConferenciaMesa(TableBillRequest request, BillStore& store,
                                 const services::DocumentContext& context);

}  // namespace tov::bill
