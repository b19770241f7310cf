#include "bill/amount_limits.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/errors/errors.hpp"

namespace tov::bill {
namespace {

// Quantity, price, discount and surcharge first: they make the item's value.
constexpr std::array<std::string_view, 7> item_amount_fields{
    "QTPRODCOMVEN", "VRPRECCOMVEN",  "VRDESCCOMVEN", "VRACRCOMVEN",
    "VRCOMISVENDA", "VRCOMISVENDA2", "VRCOMISVENDA3"};

std::optional<double> number_in(const dataset::ClientDataSet& items, std::string_view field) {
    const std::optional<dataset::FieldRef> value = items.FindField(field);
    if (!value || value->IsNull()) return std::nullopt;
    try {
        return value->AsFloat();
    } catch (const Error&) {
        return std::nullopt;
    }
}

}  // namespace

void require_printable_items(dataset::ClientDataSet& items) {
    long double sum = 0;
    int row = 0;
    for (items.First(); !items.Eof(); items.Next()) {
        const std::string where = " of item row " + std::to_string(++row) + " of DADOS";
        std::array<long double, 4> value_parts{};
        for (std::size_t field = 0; field < item_amount_fields.size(); ++field) {
            const std::optional<double> number = number_in(items, item_amount_fields[field]);
            if (!number) continue;
            require_printable_amount(*number, std::string(item_amount_fields[field]) + where);
            if (field < value_parts.size()) value_parts[field] = *number;
        }
        const long double gross = value_parts[0] * value_parts[1];
        require_printable_amount(gross, "QTPRODCOMVEN times VRPRECCOMVEN" + where);
        sum += std::fabs(gross - value_parts[2] + value_parts[3]);
    }
    require_printable_amount(sum, "the sum of the items' values in DADOS");
}

void refuse_amount(std::string_view what, long double value) {
    char number[48];
    std::snprintf(number, sizeof number, "%.17Lg", value);
    const std::string why = std::isfinite(value) ? ", beyond the amounts the bill prints (their "
                                                   "magnitude stays below 1E15)"
                                                 : ", not a finite number";
    throw ArgumentError("table bill: " + std::string(what) + " is " + number + why);
}

}  // namespace tov::bill
