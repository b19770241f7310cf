#include "printer/printer_text.hpp"

#include <algorithm>

#include "printer/byte_notation.hpp"
#include "printer/printer_tokens.hpp"

namespace tovprint {
namespace {

// Converts one text run, noting what the code page lacks; answers the characters it prints.
int add_text(PrinterText& text, std::string_view run, const CodePage& code_page) {
    int printed = 0;
    for (const char c : run) {
        const auto byte = static_cast<unsigned char>(c);
        const std::string& bytes = code_page.bytes_of(byte);
        text.bytes += bytes;
        printed += static_cast<int>(bytes.size());
        if (code_page.lacks(byte)) text.lacking.insert(byte);
    }
    return printed;
}

}  // namespace

PrinterText printer_text(std::string_view package_text, BoldFamily family,
                         const CodePage& code_page) {
    PrinterText text;
    text.bytes.reserve(package_text.size() + package_text.size() / 8);
    int line = 0;
    for (const PrinterToken& token : read_printer_tokens(package_text, family)) {
        switch (token.kind) {
            case PrinterToken::Kind::Text:
                line += add_text(text, token.bytes, code_page);
                text.widest_line = std::max(text.widest_line, line);
                continue;
            case PrinterToken::Kind::LineFeed:
                line = 0;
                break;
            case PrinterToken::Kind::Unknown:
                text.unknown_commands.insert(byte_notation(token.bytes));
                break;
            default:
                break;
        }
        text.bytes += token.bytes;
    }
    return text;
}

}  // namespace tovprint
