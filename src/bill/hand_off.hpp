#pragma once
// Where a bill goes. A fiscal bill gets the maker's credit line and goes to the register's
// Conferencia_Formatada; a non-fiscal one, in Spanish for a store in Colombia, goes to
// DisparaImpressaoNaoFiscal. The register kinds that print the bill themselves get the items
// and amounts whole from Conferencia_Outras instead.

#include "bill/bill_run.hpp"
#include "bill/table_bill_request.hpp"
#include "services/document_context.hpp"

namespace tov::bill {

// The register kinds of printer_kinds::registers_composing_bill compose the bill themselves.
bool register_composes_bill(int IdTipoImp);

// The seat bill composed in run; Conferencia_Formatada's answer on a fiscal bill, true on a
// non-fiscal one, whose back-end answer is not looked at.
bool hand_off(BillRun& run);

// The items packet and amounts as the host passed them, to Conferencia_Outras; its answer.
bool hand_items_to_register(const TableBillRequest& request,
                            const services::DocumentContext& context);

}  // namespace tov::bill
