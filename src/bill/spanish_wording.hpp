#pragma once
// The Spanish wording of a non-fiscal bill for stores in Colombia.

#include <string>
#include <string_view>

namespace tov::bill {

// The country code of Colombia in the parameter file.
inline constexpr std::string_view colombia = "01";

// The bill text with its Portuguese words replaced by the Spanish ones, every occurrence, case
// for case, one replacement after the other in a fixed order. The waiter, emission, products
// total and stay-time labels keep their length, so the columns stay aligned.
std::string GetTraduzirParaColombia(std::string_view txt);

}  // namespace tov::bill
