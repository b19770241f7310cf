#pragma once
// The working state of one call of the table bill, shared by the parts of the paper: what was
// asked (the seat list, the hotel switch, the service charge and the total change as the seat
// bills go by), the printer's layout and bold codes, the country parameters, the text of the
// seat bill being composed, and the sums and amounts the parts hand each other.

#include <string>
#include <string_view>

#include "bill/bill_store.hpp"
#include "bill/bold_codes.hpp"
#include "bill/country_parameters.hpp"
#include "bill/table_bill_request.hpp"
#include "bill/ticket_answers.hpp"
#include "services/document_context.hpp"
#include "services/document_text.hpp"
#include "services/line_layout.hpp"

namespace tov::bill {

struct BillRun {
    BillRun(TableBillRequest& request, BillStore& store, const services::DocumentContext& context,
            const services::LineLayout& layout, BoldCodes bold, CountryParameters country,
            bool boImprimeFiscal);

    TableBillRequest& request;
    BillStore& store;
    const services::DocumentContext& context;

    const int inTamLinha;
    const BoldCodes bold;
    const CountryParameters country;
    const bool boImprimeFiscal;

    // The text of the seat bill being composed; its line break is stEnter.
    services::DocumentText stRelat;

    // Kept from one seat bill to the next.
    std::string stPosicaoTemp;  // the seat being billed; empty for the whole ticket
    std::string stAtual;        // the seat heading last written
    double doTotalAux = 0;      // the ticket total without service, as the host passed it
    double doTxPos = 0;         // the service charge shown on the bill
    double doVrConsumo = 0;     // the tip base
    TicketAnswers answers;      // what the store said about the ticket

    // Worked out anew for each seat bill.
    double doTotalProduto = 0;  // the listed items that are not cancelled
    double doVrBaseTaxa = 0;    // of those, what is subject to the service charge
    double doTotAdiantado = 0;  // payments already taken

    const std::string& stEnter() const { return stRelat.line_break(); }
    const format::FormatSettings& settings() const { return context.settings; }
    std::string Msg(std::string_view key) const { return context.messages.Msg(key); }
    dataset::ClientDataSet& items() const { return store.cdsParcProdutos; }

    // The next seat bill starts from an empty text.
    void start_seat_bill();

    void line(std::string_view text) { stRelat.line(text); }
    // A rule of "-" as wide as the line.
    void separator();
    void centred_line(std::string_view text);
    // The label, then the amount ("#,##0.00") ending at the right margin; an amount that finds
    // no room follows the label directly. An amount the bill does not print (amount_limits)
    // throws, naming the label.
    void amount_line(std::string_view label, double value);
    // An amount in the pattern "#,##0.00"; one the bill does not print throws.
    std::string amount(long double value) const;
};

}  // namespace tov::bill
