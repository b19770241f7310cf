#include "bill/suggested_tips.hpp"

#include <array>

#include "bill/amount_limits.hpp"

#include "platform/format/float_format.hpp"
#include "services/trunc2.hpp"

namespace tov::bill {
namespace {

// VRCOMISVENDA, VRCOMISVENDA2 and VRCOMISVENDA3 of the current row.
std::array<double, 3> tip_percentages(const dataset::ClientDataSet& items) {
    return {items.FieldByName("VRCOMISVENDA").AsFloat(),
            items.FieldByName("VRCOMISVENDA2").AsFloat(),
            items.FieldByName("VRCOMISVENDA3").AsFloat()};
}

bool at_least_two_above_zero(const std::array<double, 3>& p) {
    return (p[0] > 0 && (p[1] > 0 || p[2] > 0)) || (p[1] > 0 && p[2] > 0);
}

// The first rule that matches sets the base; with none the base keeps its value, which is 0
// until a seat bill of the call sets it.
void settle_tip_base(BillRun& run) {
    const TableBillRequest& r = run.request;
    const bool manual_counts = r.stIdConDescTxServ == "S";
    const bool manual_left_out = r.stIdConDescTxServ == "N";
    const bool other_counts = r.stIdConsDescTxServ == "S";
    const bool other_left_out = r.stIdConsDescTxServ == "N";
    if (manual_counts && other_counts) {
        run.doVrConsumo = run.doVrBaseTaxa;
    } else if (other_left_out && manual_left_out) {
        run.doVrConsumo = run.doVrBaseTaxa + r.doVrDesc;
    } else if (manual_left_out) {
        run.doVrConsumo = run.doVrBaseTaxa + r.doVrDescManual;
    } else if (other_left_out) {
        run.doVrConsumo = run.doVrBaseTaxa + r.doVrDesc - r.doVrDescManual;
    }
}

}  // namespace

void write_suggested_tips(BillRun& run) {
    const TableBillRequest& request = run.request;
    const std::array<double, 3> percentages = tip_percentages(run.items());
    if (request.stIdComisVenda != "S" || !(request.doVrTxSer > 0) ||
        !at_least_two_above_zero(percentages)) {
        return;
    }
    settle_tip_base(run);
    const double consumption = run.doTotalProduto - request.doVrDesc + request.doAcre;
    for (const double percentage : percentages) {
        if (!(percentage > 0)) continue;
        require_printable_amount(percentage, "a tip percentage VRCOMISVENDA of DADOS");
        const double doVrGorjeta =
            services::Trunc2(percentage * run.doVrConsumo / 100) + consumption;
        run.amount_line(request.stDsTextoTxServ + " " +
                            format::FormatFloat("0.00", percentage, run.settings()) + " %",
                        doVrGorjeta);
    }
    run.separator();
}

}  // namespace tov::bill
