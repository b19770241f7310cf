#pragma once
// The consumer statement: the movements and balances of a consumer's prepaid account, family by
// family, closed by the sum of the families' current balances. The host's setting in
// cdsTipoExtCons chooses the layout: "S" the simple statement, anything else the detailed one.
//
// On the fiscal register the register prints the header (Cabecalho), the simple statement hands
// its text over after every sale item line (Usa_CompNFis, in pieces of whole lines) and the rest
// goes to Extrato; on the plain printer the whole text, accents removed, goes to ImprimePadrao in
// 44 columns with CR LF line breaks.

#include <string>

#include "services/document_context.hpp"
#include "statement/consumer_statement_request.hpp"

namespace tov::statement {

// What the host is told: the statement's Boolean result and, when it is false, why.
struct StatementOutcome {
    bool result = false;
    std::string reason;  // empty when the result is true
};

// The result is true when the statement was handed over and the back-end answered true. It is
// false, with the reason, when nothing was to be printed (no movement), when the back-end answered
// false, and on any failure (a missing field, a value that does not convert, an entry point the
// host did not register, a failing host service); a failure ends the statement where it happened.
StatementOutcome Extrato(const ConsumerStatementRequest& request,
                         const services::DocumentContext& context) noexcept;

}  // namespace tov::statement
