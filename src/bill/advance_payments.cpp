#include "bill/advance_payments.hpp"

#include "bill/lookup_packet.hpp"
#include "services/trunc2.hpp"

namespace tov::bill {
namespace {

const lookups::LookupPacket& payments_of_the_sale(BillRun& run) {
    return asked_once(run.answers.getMovCaixaMob, [&run] {
        return run.store.lookups.get_mov_caixa_mob(run.request.stCdFilial,
                                                   run.request.stNrvendarest, "T");
    });
}

}  // namespace

void write_advance_payments(BillRun& run) {
    using services::Trunc2;
    run.doTotAdiantado = 0;
    dataset::ClientDataSet& payments = run.store.cdsMovCaixaMob;
    assign_lookup_packet(payments, payments_of_the_sale(run), "getMovCaixaMob");
    if (payments.IsEmpty()) return;

    run.line(run.Msg("Adiantamento"));
    for (payments.First(); !payments.Eof(); payments.Next()) {
        const double paid = payments.FieldByName("VRMOV").AsFloat();
        run.amount_line(payments.FieldByName("NMTIPORECE").AsString(), paid);
        run.doTotAdiantado += paid;
    }
    run.separator();
    run.amount_line(run.Msg("APagar"), Trunc2(run.request.doTotal) - Trunc2(run.doTotAdiantado));
    run.separator();
}

}  // namespace tov::bill
