#include "bill/table_bill.hpp"

#include <new>
#include <string>
#include <utility>
#include <vector>

#include "bill/advance_payments.hpp"
#include "bill/amount_limits.hpp"
#include "bill/bill_header.hpp"
#include "bill/bill_run.hpp"
#include "bill/bill_totals.hpp"
#include "bill/closing_lines.hpp"
#include "bill/country_parameters.hpp"
#include "bill/hand_off.hpp"
#include "bill/handed_off_seats.hpp"
#include "bill/item_lines.hpp"
#include "bill/seat_selection.hpp"
#include "bill/seat_subtotals.hpp"
#include "bill/suggested_tips.hpp"
#include "platform/dataset/packet_io.hpp"
#include "platform/errors/errors.hpp"
#include "services/line_layout.hpp"
#include "services/text_helpers.hpp"
#include "services/trunc2.hpp"

namespace tov::bill {
namespace {

void require_printable_amounts(const TableBillRequest& r) {
    const std::pair<double, const char*> amounts[] = {
        {r.doVrDesc, "doVrDesc"},   {r.doConsMin, "doConsMin"},           {r.doCouver, "doCouver"},
        {r.doVrTxSer, "doVrTxSer"}, {r.doQtPessoas, "doQtPessoas"},       {r.doTotal, "doTotal"},
        {r.doAcre, "doAcre"},       {r.doVrDescManual, "doVrDescManual"},
    };
    for (const auto& [value, name] : amounts) {
        require_printable_amount(value, std::string("the amount ") + name);
    }
}

// Everything the bill will call on the back-end is there before anything is printed.
void require_entry_points(const services::Backend& backend, bool fiscal, int IdTipoImp) {
    if (!fiscal) {
        backend.require({services::EntryPoint::AjustaImpressaoDireta,
                         services::EntryPoint::DisparaImpressaoNaoFiscal});
    } else if (register_composes_bill(IdTipoImp)) {
        backend.require({services::EntryPoint::AjustaImpressaoDireta,
                         services::EntryPoint::Conferencia_Outras});
    } else {
        backend.require({services::EntryPoint::AjustaImpressaoDireta,
                         services::EntryPoint::Conferencia_Formatada});
    }
}

// The bill's line layout: the printer configuration gives the line width and line break of the
// printer kind, and the back-end's AjustaImpressaoDireta may then change the width.
services::LineLayout bill_layout(const services::DocumentContext& context, int IdTipoImp,
                                 bool boImprimeFiscal) {
    services::LineLayout layout =
        services::configure_printer(context.host, IdTipoImp, false, boImprimeFiscal).layout;
    context.backend.AjustaImpressaoDireta(std::to_string(IdTipoImp), layout.width);
    services::checked_line_width(
        layout.width,
        services::service_of_kind("ConfiguraImpressora and AjustaImpressaoDireta", IdTipoImp));
    return layout;
}

TicketItems read_items(std::string_view DADOS, const format::FormatSettings& settings) {
    try {
        return TicketItems(dataset::read_packet(DADOS), settings);
    } catch (const Error& failure) {
        throw Error(std::string("table bill: the items packet DADOS: ") + failure.what(),
                    failure.status());
    }
}

// The bold block: the bold-on sequence, the Total line with the settled total cut to two
// decimals, its separator, the seat subtotals, then the bold-off sequence (with a blank after it
// on one printer kind), which closes no line of its own.
void write_total_block(BillRun& run) {
    run.stRelat.append(run.bold.stNegritoIni);
    run.amount_line(run.Msg("Total"), services::Trunc2(run.request.doTotal));
    run.separator();
    write_seat_subtotals(run);
    run.stRelat.append(run.bold.stNegritoFim);
    if (blank_after_bold_off(run.request.IdTipoImp)) run.stRelat.append(" ");
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

// "table bill of seat 02 (the bills of seats 01 were handed off): " and the failure.
[[noreturn]] void fail_seat_bill(std::string_view failure, int32_t status, const std::string& seat,
                                 const HandedOffSeats& handed_off) {
    const std::string where = seat.empty() ? "table bill" : "table bill of seat " + seat;
    throw Error(where + handed_off.told() + ": " + std::string(failure), status);
}

// Once every seat bill is handed off, the call can fail only for want of memory.
[[noreturn]] void fail_after_last_hand_off(const HandedOffSeats& handed_off) {
    const std::string told = handed_off.told();
    throw Error("table bill" + (told.empty() ? " (the bill was handed off)" : told) +
                    ": out of memory after the last hand-off",
                TOV_E_INTERNAL);
}

TableBillOutcome print_seat_bills(BillRun& run) {
    TicketItems ticket = read_items(run.request.DADOS, run.items().FormatSettings());
    run.items().SetFiltered(false);
    run.items().SetData(ticket.whole_ticket());
    require_printable_items(run.items());
    HandedOffSeats handed_off;
    do {
        const std::string& list = run.request.stPosicao;
        const std::string seat = names_a_seat(list) ? list.substr(0, 2) : std::string();
        bool accepted = false;
        try {
            compose_seat_bill(run, ticket);
            accepted = hand_off(run);
        } catch (const Error& failure) {
            fail_seat_bill(failure.what(), failure.status(), seat, handed_off);
        } catch (const std::bad_alloc&) {
            fail_seat_bill("out of memory", TOV_E_INTERNAL, seat, handed_off);
        }
        handed_off.add(seat, accepted);
    } while (names_a_seat(run.request.stPosicao));
    try {
        return handed_off.outcome(services::EntryPoint::Conferencia_Formatada);
    } catch (const std::bad_alloc&) {
        fail_after_last_hand_off(handed_off);
    }
}

}  // namespace

TableBillOutcome ConferenciaMesa(TableBillRequest request, BillStore& store,
                                 const services::DocumentContext& context) {
    require_printable_amounts(request);
    require_seat_bills_within_bound(request.stPosicao);
    const bool boImprimeFiscal = request.IdTpImpParc == "F" && request.boUtilizaImpFis;
    require_entry_points(context.backend, boImprimeFiscal, request.IdTipoImp);

    CountryParameters country = GetIdPaisIntegra(store.cdsParametrosPld, context.host);
    const services::LineLayout layout = bill_layout(context, request.IdTipoImp, boImprimeFiscal);
    BoldCodes bold = bold_codes(request.IdTipoImp);
    if (services::EmptyString(request.stDsTextoTxServ)) {
        request.stDsTextoTxServ = context.messages.Msg("Tx_Serv");
    }
    if (boImprimeFiscal && register_composes_bill(request.IdTipoImp)) {
        if (hand_items_to_register(request, context)) return {true, ""};
        return {false, "table bill: Conferencia_Outras refused the bill"};
    }

    BillRun run(request, store, context, layout, std::move(bold), std::move(country),
                boImprimeFiscal);
    run.doTotalAux = request.doTotal - request.doVrTxSer;
    return print_seat_bills(run);
}

}  // namespace tov::bill
