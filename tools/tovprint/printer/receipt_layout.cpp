#include "printer/receipt_layout.hpp"

#include "printer/printer_tokens.hpp"

namespace tovprint {
namespace {

// Fills lines cell by cell, wrapping at the width.
class LineFiller {
public:
    explicit LineFiller(int columns) { receipt_.columns = columns; }

    void add(std::string character, bool bold) {
        if (static_cast<int>(line_.size()) == receipt_.columns) end_line();
        line_.push_back({std::move(character), bold});
        open_ = true;
    }

    void end_line() {
        receipt_.lines.push_back(std::move(line_));
        line_.clear();
        open_ = false;
    }

    Receipt take() {
        if (open_) end_line();
        return std::move(receipt_);
    }

private:
    Receipt receipt_;
    ReceiptLine line_;
    bool open_ = false;
};

void add_text(LineFiller& filler, std::string_view run, bool bold, const CodePage& code_page) {
    for (const char c : run) {
        const auto byte = static_cast<unsigned char>(c);
        const std::string& printed = code_page.printed(byte);
        if (!code_page.lacks(byte)) {
            filler.add(printed, bold);
            continue;
        }
        for (const char fallback : printed) filler.add(std::string(1, fallback), bold);
    }
}

}  // namespace

Receipt lay_out_receipt(std::string_view package_text, const PrinterProfile& profile,
                        const CodePage& code_page) {
    LineFiller filler(profile.width());
    bool bold = false;
    for (const PrinterToken& token : read_printer_tokens(package_text, profile.bold)) {
        switch (token.kind) {
            case PrinterToken::Kind::Text:
                add_text(filler, token.bytes, bold, code_page);
                break;
            case PrinterToken::Kind::LineFeed:
                filler.end_line();
                break;
            case PrinterToken::Kind::BoldOn:
                bold = true;
                break;
            case PrinterToken::Kind::BoldOff:
                bold = false;
                break;
            default:
                break;
        }
    }
    return filler.take();
}

}  // namespace tovprint
