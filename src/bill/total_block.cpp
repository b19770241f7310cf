#include "bill/total_block.hpp"

#include "bill/seat_subtotals.hpp"
#include "services/trunc2.hpp"

namespace tov::bill {

void write_total_block(BillRun& run) {
    run.stRelat.append(run.bold.stNegritoIni);
    run.amount_line(run.Msg("Total"), services::Trunc2(run.request.doTotal));
    run.separator();
    write_seat_subtotals(run);
    run.stRelat.append(run.bold.stNegritoFim);
    if (blank_after_bold_off(run.request.IdTipoImp)) run.stRelat.append(" ");
}

}  // namespace tov::bill
