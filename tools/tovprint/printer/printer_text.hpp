#pragma once
// One document's text as a printer of a profile receives it: the text runs in the printer's code
// page, every control byte and escape sequence untouched; and what the user should be told of it.

#include <set>
#include <string>
#include <string_view>

#include "printer/bold_family.hpp"
#include "printer/codepage/code_page.hpp"

namespace tovprint {

struct PrinterText {
    std::string bytes;
    std::set<unsigned char> lacking;         // Windows-1252 bytes printed as their fallback
    std::set<std::string> unknown_commands;  // escape sequences the family does not know
    int widest_line = 0;                     // printed characters between two line feeds
};

PrinterText printer_text(std::string_view package_text, BoldFamily family,
                         const CodePage& code_page);

}  // namespace tovprint
