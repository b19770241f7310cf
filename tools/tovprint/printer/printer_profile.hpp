#pragma once
// A printer profile: what tovprint must know of a printer to print the package's documents on
// it for real. The package composes every document (line widths and line breaks come from its
// printer configuration); a profile only says how the printer reads those bytes:
//
//   description       one line for `tovprint profiles`
//   kinds             the package's printer kinds this profile fits (shown, not enforced)
//   columns           characters per line for each of the printer's fonts, by font name
//   font              the font the printer prints in after init
//   code_page         the code page the printer expects, as iconv names it ("CP850")
//   code_page_number  the n of ESC t n that selects it
//   bold              the bold family, as bold_family.hpp names it
//   init, cut         the sequences sent before the first document and after each, in the
//                     notation of byte_notation.hpp
//
// A profile is a JSON object with exactly these keys (data/printers/NAME.json).

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "printer/bold_family.hpp"

namespace tovprint {

struct PrinterProfile {
    std::string name;
    std::string description;
    std::vector<int> kinds;
    std::map<std::string, int> columns;
    std::string font;
    std::string code_page;
    int code_page_number = 0;
    BoldFamily bold = BoldFamily::EscEN;
    std::string init;  // bytes
    std::string cut;   // bytes

    // Characters per line in the font the printer prints in.
    int width() const { return columns.at(font); }

    // What starts a job: init, then ESC t n.
    std::string prologue() const;
};

// Reads a profile from its JSON text; `source` names it in errors. Throws tov::ArgumentError
// naming the source and the key that is missing, mistyped, unknown or out of range.
PrinterProfile read_printer_profile(std::string_view json, std::string name,
                                    const std::string& source);

}  // namespace tovprint
