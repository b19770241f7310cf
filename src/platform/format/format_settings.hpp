#pragma once
// The regional settings that number and date formatting follow. A default-constructed value is
// the Brazilian Portuguese locale the documents are written for; a host running elsewhere hands
// its own values in, checked by validate().

#include <string>

namespace tov::format {

struct FormatSettings {
    char decimal_separator = ',';
    char thousand_separator = '.';
    char date_separator = '/';
    char time_separator = ':';
    std::string short_date_format = "dd/mm/yyyy";
    std::string long_time_format = "hh:nn:ss";
    std::string currency_string = "R$";
    int currency_format = 2;           // 0 "R$1", 1 "1R$", 2 "R$ 1", 3 "1 R$"
    int negative_currency_format = 9;  // 0..15, 9 is "-R$ 1"
    int currency_decimals = 2;
};

// Throws tov::ArgumentError naming the first member that is out of range: a NUL separator, a
// currency format outside 0-3, a negative currency format outside 0-15, currency decimals
// outside 0-18, an empty short date format.
void validate(const FormatSettings& settings);

}  // namespace tov::format
