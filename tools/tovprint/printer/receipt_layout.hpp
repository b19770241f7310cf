#pragma once
// A paper as its printer prints it, character cell by character cell: the text in the printer's
// code page (a character it lacks takes as many cells as its fallback), bold where the printer's
// bold family turns bold on, a new line at each line feed and wherever a line reaches the
// profile's width (the printer wraps it). Carriage returns and other control bytes print nothing;
// a parameter byte (the one after ESC E in the esc-e-n family) is no character either.

#include <string>
#include <string_view>
#include <vector>

#include "printer/codepage/code_page.hpp"
#include "printer/printer_profile.hpp"

namespace tovprint {

struct ReceiptCell {
    std::string character;  // UTF-8
    bool bold = false;

    friend bool operator==(const ReceiptCell&, const ReceiptCell&) = default;
};

using ReceiptLine = std::vector<ReceiptCell>;

struct Receipt {
    int columns = 0;
    std::vector<ReceiptLine> lines;
};

// A paper starts in the normal weight.
Receipt lay_out_receipt(std::string_view package_text, const PrinterProfile& profile,
                        const CodePage& code_page);

}  // namespace tovprint
