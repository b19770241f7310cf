#include "bill/bill_totals.hpp"

#include <string>
#include <string_view>

namespace tov::bill {
namespace {

using dataset::ClientDataSet;
using dataset::LocateOptions;

constexpr LocateOptions any_case{.case_insensitive = true};

// The loyalty discount already granted to the ticket, from the one programme the store uses:
// Cash4All, then UDS, then core banking (the parameter file), else the store's own loyalty.
// Asks exactly one lookup: the first whose switch is "S", or getDescontoFid when none is.
double loyalty_discount(const BillRun& run) {
    const TableBillRequest& request = run.request;
    lookups::SaleLookups& lookups = run.store.lookups;
    if (request.stIdUtilFid4All == "S") {
        return lookups.get_desc_cash4all(request.stCdFilial, request.stNrComanda);
    }
    if (request.stIdUtilFidUds == "S") {
        return lookups.get_desc_cash_uds(request.stCdFilial, request.stNrComanda);
    }
    if (run.country.stIdUtiCoreBanc == "S") {
        return lookups.get_desc_core_banc(request.stCdFilial, request.stNrComanda);
    }
    return lookups.get_desconto_fid(request.stCdFilial, request.stNrComanda);
}

void switch_service_charge_off_when_asked(TableBillRequest& request) {
    if (request.stIdImpTxServ != "N") return;
    if (request.doTotal > 0) request.doTotal -= request.doVrTxSer;
    request.doVrTxSer = 0;
}

bool holds_product(ClientDataSet& items, const std::string& code) {
    return items.Locate("CDPRODUTO", std::string_view(code), any_case);
}

// The service charge this bill shows. A seat's share is in proportion of its charged base to the
// ticket's total without service, and 0 when that total is not above 0 (a ticket that is all
// service). A whole-ticket bill whose host passed no total shows the whole service charge: the
// share would divide by a negative total and print a negative charge.
double service_charge_shown(const BillRun& run) {
    const TableBillRequest& request = run.request;
    if (request.doTotal != 0) return request.doVrTxSer;
    if (run.stPosicaoTemp.empty()) return request.doVrTxSer;
    if (!(run.doTotalAux > 0)) return 0;
    return request.doVrTxSer * run.doVrBaseTaxa / run.doTotalAux;
}

void write_service_charge(BillRun& run) {
    const TableBillRequest& request = run.request;
    if (!(request.doVrTxSer > 0)) return;
    run.doTxPos = service_charge_shown(run);
    run.amount_line(request.stDsTextoTxServ, run.doTxPos);
}

// The charges print the amounts the host passed, when the ticket holds a row of their product;
// the rows are looked for among all rows, whatever their case, and the last one found stays the
// current row.
void write_charges(BillRun& run) {
    const TableBillRequest& request = run.request;
    ClientDataSet& items = run.items();
    if (holds_product(items, request.stCdProdCouver)) {
        run.amount_line(run.Msg("Couvert"), request.doCouver);
    }
    if (holds_product(items, request.stCdProdConsum) ||
        holds_product(items, request.stCdProdConsFem)) {
        run.amount_line(run.Msg("Consuma_Min"), request.doConsMin);
    }
}

}  // namespace

void write_totals(BillRun& run) {
    TableBillRequest& request = run.request;
    switch_service_charge_off_when_asked(request);
    run.items().SetFiltered(false);
    run.separator();
    const double doVrDescFid =
        asked_once(run.answers.loyalty_discount, [&run] { return loyalty_discount(run); });
    const double subtotal = run.doTotalProduto - request.doVrDesc + request.doAcre;

    run.amount_line(run.Msg("TOTAL_PROD"), run.doTotalProduto);
    if (request.doAcre > 0) run.amount_line(run.Msg("Acrescimo"), request.doAcre);
    if (doVrDescFid > 0) run.amount_line(run.Msg("DescontoFid"), doVrDescFid);
    if (request.doVrDesc > 0) run.amount_line(run.Msg("Desconto"), request.doVrDesc);
    run.amount_line(run.Msg("SubTotal"), subtotal);
    write_service_charge(run);
    write_charges(run);

    if (request.doTotal == 0) request.doTotal = subtotal + run.doTxPos;
}

}  // namespace tov::bill
