#include "bill/bill_header.hpp"

#include <string>

#include "bill/lookup_packet.hpp"
#include "services/text_helpers.hpp"

namespace tov::bill {
namespace {

using services::EmptyString;

std::string text_of(const dataset::ClientDataSet& data, std::string_view field) {
    return data.FieldByName(field).AsString();
}

bool is_guest_bill(const BillRun& run) {
    return run.request.stIdIntHotel == "S";
}

void switch_hotel_off_without_guest(BillRun& run) {
    if (text_of(run.items(), "CDCONSUMIDOR").empty()) run.request.stIdIntHotel = "N";
}

void write_title(BillRun& run) {
    if (is_guest_bill(run)) {
        run.centred_line("** EXTRATO PARA CONFERENCIA **");
        run.centred_line("** STATEMENT FOR VERIFICATION **");
    } else {
        run.centred_line(run.Msg(run.boImprimeFiscal ? "PARCIAL" : "PEDIDO"));
    }
    run.line(services::Replicate(" ", run.inTamLinha));
}

void write_operator(BillRun& run) {
    run.line("Codigo : " + text_of(run.store.cdsCaixa, "CDOPERADOR"));
    run.line("Operador : " + text_of(run.store.cdsCaixa, "NMOPERADOR"));
}

void write_table(BillRun& run) {
    run.line(run.Msg("Mesa") + "   : " + run.request.stMesa);
}

// The operator of the till's shift opened today.
const lookups::LookupPacket& till_operator(BillRun& run) {
    return asked_once(run.answers.GetCaixa, [&run] {
        return run.store.lookups.get_caixa(run.request.stCdCaixa, run.context.host.Now(),
                                           run.settings());
    });
}

const lookups::LookupPacket& loyalty_balance(BillRun& run) {
    return asked_once(run.answers.SaldoFidelidade, [&run] {
        return run.store.lookups.saldo_fidelidade(run.request.stCdFilial, run.request.stNrComanda);
    });
}

// A table sale shows the operator with the table; a ticket sale shows the operator with the
// ticket, and the table whenever there is one.
void write_table_or_ticket(BillRun& run) {
    const TableBillRequest& request = run.request;
    assign_lookup_packet(run.store.cdsCaixa, till_operator(run), "GetCaixa");
    if (is_table_sale(request)) {
        if (EmptyString(request.stMesa)) return;
        write_operator(run);
        write_table(run);
        return;
    }
    if (!EmptyString(request.stNrComanda)) {
        write_operator(run);
        run.line(run.Msg("Comanda") + ": " + request.stNrComanda);
    }
    if (!EmptyString(request.stMesa)) write_table(run);
}

// The balance prints in the field's own text form. Returns whether the balance named a consumer.
bool write_loyalty_balance(BillRun& run) {
    dataset::ClientDataSet& balance = run.store.cdsSaldocons;
    assign_lookup_packet(balance, loyalty_balance(run), "SaldoFidelidade");
    const std::string consumer = text_of(balance, "NMCONSUMIDOR");
    if (consumer.empty()) return false;
    run.line("Consumidor: " + consumer);
    run.line("Saldo Dispon\xedvel: R$ " + text_of(balance, "VRSALDOCONS"));
    return true;
}

void write_guest(BillRun& run) {
    const dataset::ClientDataSet& items = run.items();
    run.centred_line(text_of(items, "NMLOJA"));
    run.line("Hospede");
    run.line(text_of(items, "CDCONSUMIDOR"));
    run.line(text_of(items, "NMCONSUMIDOR"));
    run.line("In: " + text_of(items, "DTCHECKINPH") +
             "       Out:" + text_of(items, "DTCHECKOUTPH"));
}

void write_consumer_name(BillRun& run) {
    const TableBillRequest& request = run.request;
    const std::string name = run.store.lookups.get_nm_consumidor(
        request.stNrvendarest, request.stNrComanda, run.stPosicaoTemp);
    if (!EmptyString(name)) run.line("Consumidor: " + name);
}

}  // namespace

void write_header(BillRun& run) {
    switch_hotel_off_without_guest(run);
    run.start_seat_bill();
    write_title(run);
    write_table_or_ticket(run);
    run.line(run.Msg("Garcom") + " : " + run.request.stNmGarcom);
    const bool balance_names_consumer = write_loyalty_balance(run);
    run.line(run.Msg("Emissao") + ": " + run.request.stEmissao);
    if (is_guest_bill(run)) write_guest(run);
    if (!balance_names_consumer && !is_guest_bill(run)) write_consumer_name(run);
}

}  // namespace tov::bill
