#include "bill/seat_subtotals.hpp"

#include "bill/amount_limits.hpp"
#include "bill/item_filters.hpp"
#include "platform/format/float_format.hpp"
#include "services/text_helpers.hpp"

namespace tov::bill {
namespace {

using dataset::ClientDataSet;
using services::PadL;

constexpr int consumption_column = 6;
constexpr int share_column = 10;
constexpr int total_column = 11;

// The consumption of a seat so far, and the part of it subject to the service charge.
struct SeatSums {
    double doSoma = 0;
    double doVrBaseTaxaP = 0;

    void add(double value, bool charged_service) {
        doSoma += value;
        if (charged_service) doVrBaseTaxaP += value;
    }
};

std::string seat_of(const ClientDataSet& items) {
    return services::Ajusta(items.FieldByName("NRLUGARMESA").AsString(), 2);
}

// The row's amount, without the two-decimal cut of the item lines.
double row_value(const ClientDataSet& items) {
    return items.FieldByName("QTPRODCOMVEN").AsFloat() *
               items.FieldByName("VRPRECCOMVEN").AsFloat() -
           items.FieldByName("VRDESCCOMVEN").AsFloat() + items.FieldByName("VRACRCOMVEN").AsFloat();
}

bool charged_service(const ClientDataSet& items) {
    return items.FieldByName("IDCOBTXSERV").AsString() == "S";
}

// The seat's share of the service charge, doVrTxSer in proportion of its charged items to those
// of the bill.
void require_printable_share(const BillRun& run, double share) {
    require_printable_amount(share, "the service charge share of seat " + run.stAtual +
                                        " (doVrTxSer times the seat's charged items over the "
                                        "charged items of the bill)");
}

// "Total P" + seat + ": ", then the three columns.
std::string seat_subtotal_line(std::string_view seat, double consumption, std::string_view share,
                               double seat_total, const format::FormatSettings& settings) {
    for (const double amount : {consumption, seat_total}) {
        require_printable_amount(amount, "the subtotal of seat " + std::string(seat));
    }
    return "Total P" + std::string(seat) + ": " +
           PadL(format::FormatFloat("#,##0.00", consumption, settings), consumption_column) +
           PadL("TX " + std::string(share), share_column) +
           PadL(format::FormatFloat("#,##0.00", seat_total, settings), total_column);
}

// A seat before the last: its share rounds to two decimals ("###0.00") before it is added to
// the seat's total. Without any charged item on the bill no seat has a share.
void write_finished_seat(BillRun& run, const SeatSums& seat) {
    const double share =
        run.doVrBaseTaxa != 0 ? run.request.doVrTxSer * seat.doVrBaseTaxaP / run.doVrBaseTaxa : 0.0;
    require_printable_share(run, share);
    const std::string stTxPos = format::FormatFloat("###0.00", share, run.settings());
    const double seat_total =
        static_cast<double>(format::StrToFloat(stTxPos, run.settings())) + seat.doSoma;
    run.line(seat_subtotal_line(run.stAtual, seat.doSoma, stTxPos, seat_total, run.settings()));
}

// The last seat: its share, unrounded, becomes the service charge the bill shows; when nothing
// on the bill is charged, the service charge worked out for the totals stays.
void write_last_seat(BillRun& run, const SeatSums& seat) {
    if (run.doVrBaseTaxa > 0) {
        run.doTxPos = run.request.doVrTxSer * seat.doVrBaseTaxaP / run.doVrBaseTaxa;
        require_printable_share(run, run.doTxPos);
    }
    run.line(seat_subtotal_line(run.stAtual, seat.doSoma, run.amount(run.doTxPos),
                                run.doTxPos + seat.doSoma, run.settings()));
}

void write_seats(BillRun& run) {
    ClientDataSet& items = run.items();
    items.SetFiltered(false);
    items.SetFilter(non_fiscal_item_filter(run.request));
    items.SetFiltered(true);
    items.First();
    run.stAtual = seat_of(items);
    SeatSums seat;
    for (; !items.Eof(); items.Next()) {
        const std::string row_seat = seat_of(items);
        if (row_seat != run.stAtual) {
            write_finished_seat(run, seat);
            seat = SeatSums{};
            run.stAtual = row_seat;
        }
        seat.add(row_value(items), charged_service(items));
    }
    if (!run.stAtual.empty()) {
        write_last_seat(run, seat);
        run.separator();
    }
    items.SetFiltered(false);
}

}  // namespace

void write_seat_subtotals(BillRun& run) {
    if (!(run.request.doQtPessoas > 1)) return;
    if (groups_items_by_seat(run.request)) write_seats(run);
}

}  // namespace tov::bill
