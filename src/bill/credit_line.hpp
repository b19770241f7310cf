#pragma once
// The maker's credit line, the last text of every fiscal bill.

#include <string>
#include <string_view>

namespace tov::bill {

inline constexpr std::string_view maker_web_address = "www.quelmar.com.br";

// "QUELMAR SOFTWARE - " and the maker's web address.
std::string credit_line();

}  // namespace tov::bill
