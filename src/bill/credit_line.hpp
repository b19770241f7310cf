#pragma once
// The maker's credit line, the last text of every fiscal bill.

#include <string>
#include <string_view>

namespace tov::bill {

inline constexpr std::string_view maker_web_address = "www.pdv-tov.example";

// "QUELMAR SOFTWARE - " and the maker's web address.
std::string credit_line();

}  // namespace tov::bill
