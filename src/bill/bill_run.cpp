#include "bill/bill_run.hpp"

#include <utility>

#include "bill/amount_limits.hpp"
#include "platform/format/float_format.hpp"
#include "services/text_helpers.hpp"

namespace tov::bill {

BillRun::BillRun(TableBillRequest& request, BillStore& store,
                 const services::DocumentContext& context, const services::LineLayout& layout,
                 BoldCodes bold, CountryParameters country, bool boImprimeFiscal)
    : request(request),
      store(store),
      context(context),
      inTamLinha(layout.width),
      bold(std::move(bold)),
      country(std::move(country)),
      boImprimeFiscal(boImprimeFiscal),
      stRelat(layout.line_break) {}

void BillRun::start_seat_bill() {
    stRelat = services::DocumentText(stEnter());
}

void BillRun::separator() {
    line(services::Replicate("-", inTamLinha));
}

void BillRun::centred_line(std::string_view text) {
    line(services::Centraliza(text, inTamLinha));
}

void BillRun::amount_line(std::string_view label, double value) {
    if (!printable_amount(value))
        refuse_amount("the amount of the line '" + std::string(label) + "'", value);
    const int room = inTamLinha - static_cast<int>(label.size());
    line(std::string(label) + services::PadL(amount(value), room));
}

std::string BillRun::amount(long double value) const {
    require_printable_amount(value, "an amount worked out from the items and amounts passed");
    return format::FormatFloat("#,##0.00", value, settings());
}

}  // namespace tov::bill
