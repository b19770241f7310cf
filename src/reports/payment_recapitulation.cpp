#include "reports/payment_recapitulation.hpp"

namespace tov::reports {

void PaymentRecapitulation::add(std::string_view code, std::string_view name, double amount) {
    const auto [position, opened] = entry_by_code_.try_emplace(std::string(code), entries_.size());
    if (opened) entries_.push_back(PaymentTypeTotal{std::string(code), {}, 0});
    PaymentTypeTotal& entry = entries_[position->second];
    entry.amount += amount;
    if (entry.name.empty()) entry.name = name;
}

}  // namespace tov::reports
