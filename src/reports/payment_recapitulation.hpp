#pragma once
// The recapitulation of the payment-means report: one entry per payment type, in the order in
// which the types first appear, each with the type's name and the sum of its rows. There is no
// limit on the number of types.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tov::reports {

struct PaymentTypeTotal {
    std::string code;  // CDTIPORECE, exactly as the rows give it
    std::string name;  // the first non-empty NMTIPORECE of the type's rows
    double amount = 0;
};

class PaymentRecapitulation {
public:
    // Adds a row's amount to its type's entry, opening the entry on the type's first row. An
    // entry still without a name takes the row's name.
    void add(std::string_view code, std::string_view name, double amount);

    const std::vector<PaymentTypeTotal>& entries() const { return entries_; }

private:
    std::vector<PaymentTypeTotal> entries_;
    std::unordered_map<std::string, std::size_t> entry_by_code_;
};

}  // namespace tov::reports
