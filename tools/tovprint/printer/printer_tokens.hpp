#pragma once
// The package's bytes read the way a printer of a bold family reads them: runs of text, line
// feeds and carriage returns, the bold codes, and every other control byte or escape sequence.
// Each token is a view of the bytes it was read from, so that they pass on untouched.

#include <string_view>
#include <vector>

#include "printer/bold_family.hpp"

namespace tovprint {

struct PrinterToken {
    enum class Kind {
        Text,            // printable characters
        LineFeed,        // LF: prints the line and starts the next
        CarriageReturn,  // CR
        BoldOn,
        BoldOff,
        Control,  // another control byte, or an escape sequence the printer ignores here
        Unknown,  // ESC and a byte that is no command of the bold family
    };
    Kind kind;
    std::string_view bytes;

    friend bool operator==(const PrinterToken&, const PrinterToken&) = default;
};

// Reads every byte into exactly one token, in order. An ESC E of the esc-e-n family at the very
// end, lacking its parameter, is Control.
std::vector<PrinterToken> read_printer_tokens(std::string_view bytes, BoldFamily family);

}  // namespace tovprint
