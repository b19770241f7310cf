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
//   status            what the printer answers about itself: "escpos" (the DLE EOT reads) or
//                     "none"; "none" when the key is left out
//   confirmation      how it tells that a job is on paper: "process-id" (GS ( H), "paper-sensor"
//                     (GS r 1, answered once the data before it is processed) or "none"; "none"
//                     when the key is left out
//
// A profile is a JSON object with these keys and no others (data/printers/NAME.json); all but
// status and confirmation are required.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "printer/bold_family.hpp"

namespace tovprint {

enum class StatusMethod { None, EscPos };
enum class ConfirmationMethod { None, ProcessId, PaperSensor };

std::string_view status_method_name(StatusMethod method);
std::string_view confirmation_method_name(ConfirmationMethod method);

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
    StatusMethod status = StatusMethod::None;
    ConfirmationMethod confirmation = ConfirmationMethod::None;

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
