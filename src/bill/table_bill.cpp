#include "bill/table_bill.hpp"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "bill/advance_payments.hpp"
#include "bill/bill_header.hpp"
#include "bill/bill_run.hpp"
#include "bill/bill_totals.hpp"
#include "bill/closing_lines.hpp"
#include "bill/country_parameters.hpp"
#include "bill/hand_off.hpp"
#include "bill/item_lines.hpp"
#include "bill/printer_setup.hpp"
#include "bill/seat_selection.hpp"
#include "bill/suggested_tips.hpp"
#include "bill/total_block.hpp"
#include "platform/dataset/packet_io.hpp"
#include "platform/errors/errors.hpp"
#include "services/text_helpers.hpp"

namespace tov::bill {
namespace {

void require_finite(double value, const char* name) {
    if (!std::isfinite(value)) {
        throw ArgumentError(std::string("table bill: the amount ") + name +
                            " is not a finite number");
    }
}

void require_finite_amounts(const TableBillRequest& r) {
    require_finite(r.doVrDesc, "doVrDesc");
    require_finite(r.doConsMin, "doConsMin");
    require_finite(r.doCouver, "doCouver");
    require_finite(r.doVrTxSer, "doVrTxSer");
    require_finite(r.doQtPessoas, "doQtPessoas");
    require_finite(r.doTotal, "doTotal");
    require_finite(r.doAcre, "doAcre");
    require_finite(r.doVrDescManual, "doVrDescManual");
}

// Everything the bill will call on the back-end is there before anything is printed.
void require_entry_points(const services::Backend& backend, bool fiscal, int IdTipoImp) {
    if (!fiscal) {
        backend.require({"AjustaImpressaoDireta", "DisparaImpressaoNaoFiscal"});
    } else if (register_composes_bill(IdTipoImp)) {
        backend.require({"AjustaImpressaoDireta", "Conferencia_Outras"});
    } else {
        backend.require({"AjustaImpressaoDireta", "Conferencia_Formatada"});
    }
}

TicketItems read_items(std::string_view DADOS, const format::FormatSettings& settings) {
    try {
        return TicketItems(dataset::read_packet(DADOS), settings);
    } catch (const Error& failure) {
        throw Error(std::string("table bill: the items packet DADOS: ") + failure.what(),
                    failure.status());
    }
}

// The whole paper of one seat bill, top to bottom.
void compose_seat_bill(BillRun& run, TicketItems& ticket) {
    load_items_of_next_bill(run, ticket);
    write_header(run);
    write_item_lines(run);
    write_totals(run);
    write_total_block(run);
    write_advance_payments(run);
    write_suggested_tips(run);
    write_closing_lines(run);
}

std::string joined(const std::vector<std::string>& seats) {
    std::string text;
    for (const std::string& seat : seats) text += (text.empty() ? "" : ", ") + seat;
    return text;
}

// "table bill of seat 02 (the bills of seats 01 were handed off): " and the failure.
[[noreturn]] void fail_seat_bill(const Error& failure, const std::string& seat,
                                 const std::vector<std::string>& handed_off) {
    std::string where = seat.empty() ? "table bill" : "table bill of seat " + seat;
    if (!handed_off.empty()) {
        where += " (the bills of seats " + joined(handed_off) + " were handed off)";
    }
    throw Error(where + ": " + failure.what(), failure.status());
}

bool print_seat_bills(BillRun& run) {
    TicketItems ticket = read_items(run.request.DADOS, run.items().FormatSettings());
    std::vector<std::string> handed_off;
    bool answer = true;
    do {
        const std::string& list = run.request.stPosicao;
        const std::string seat = names_a_seat(list) ? list.substr(0, 2) : std::string();
        try {
            compose_seat_bill(run, ticket);
        } catch (const Error& failure) {
            fail_seat_bill(failure, seat, handed_off);
        }
        answer = hand_off(run);
        if (!seat.empty()) handed_off.push_back(seat);
    } while (names_a_seat(run.request.stPosicao));
    return answer;
}

}  // namespace

bool ConferenciaMesa(TableBillRequest request, BillStore& store,
                     const services::DocumentContext& context) {
    require_finite_amounts(request);
    const bool boImprimeFiscal = request.IdTpImpParc == "F" && request.boUtilizaImpFis;
    require_entry_points(context.backend, boImprimeFiscal, request.IdTipoImp);

    CountryParameters country = GetIdPaisIntegra(store.cdsParametrosPld, context.host);
    const services::LineLayout layout = bill_layout(context, request.IdTipoImp, boImprimeFiscal);
    BoldCodes bold = bold_codes(request.IdTipoImp);
    if (services::EmptyString(request.stDsTextoTxServ)) {
        request.stDsTextoTxServ = context.messages.Msg("Tx_Serv");
    }
    if (boImprimeFiscal && register_composes_bill(request.IdTipoImp)) {
        return hand_items_to_register(request, context);
    }

    BillRun run(request, store, context, layout, std::move(bold), std::move(country),
                boImprimeFiscal);
    run.doTotalAux = request.doTotal - request.doVrTxSer;
    return print_seat_bills(run);
}

}  // namespace tov::bill
