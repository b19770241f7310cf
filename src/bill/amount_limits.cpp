#include "bill/amount_limits.hpp"

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/errors/errors.hpp"

namespace tov::bill {

void refuse_amount(std::string_view what, long double value) {
    char number[48];
    std::snprintf(number, sizeof number, "%.17Lg", value);
    const std::string why = std::isfinite(value) ? ", beyond the amounts the bill prints (their "
                                                   "magnitude stays below 1E15)"
                                                 : ", not a finite number";
    throw ArgumentError("table bill: " + std::string(what) + " is " + number + why);
}

}  // namespace tov::bill
