#include "printer/printer_tokens.hpp"

#include "printer/codepage/code_page.hpp"

namespace tovprint {
namespace {

using Kind = PrinterToken::Kind;

constexpr char esc = '\x1B';

// The escape sequence at the start of `rest` (which begins with ESC) and what it does.
PrinterToken escape_token(std::string_view rest, BoldFamily family) {
    if (rest.size() < 2) return {Kind::Control, rest};
    const char command = rest[1];
    if (family == BoldFamily::EscEF) {
        if (command == 'E') return {Kind::BoldOn, rest.substr(0, 2)};
        if (command == 'F') return {Kind::BoldOff, rest.substr(0, 2)};
        return {Kind::Unknown, rest.substr(0, 2)};
    }
    if (command != 'E') return {Kind::Unknown, rest.substr(0, 2)};
    if (rest.size() < 3) return {Kind::Control, rest};
    const bool odd = (static_cast<unsigned char>(rest[2]) & 1u) != 0;
    return {odd ? Kind::BoldOn : Kind::BoldOff, rest.substr(0, 3)};
}

PrinterToken next_token(std::string_view rest, BoldFamily family) {
    const auto first = static_cast<unsigned char>(rest[0]);
    if (rest[0] == esc) return escape_token(rest, family);
    if (rest[0] == '\n') return {Kind::LineFeed, rest.substr(0, 1)};
    if (rest[0] == '\r') return {Kind::CarriageReturn, rest.substr(0, 1)};
    if (is_control_byte(first)) return {Kind::Control, rest.substr(0, 1)};
    std::size_t length = 1;
    while (length < rest.size() && !is_control_byte(static_cast<unsigned char>(rest[length]))) {
        ++length;
    }
    return {Kind::Text, rest.substr(0, length)};
}

}  // namespace

std::vector<PrinterToken> read_printer_tokens(std::string_view bytes, BoldFamily family) {
    std::vector<PrinterToken> tokens;
    while (!bytes.empty()) {
        tokens.push_back(next_token(bytes, family));
        bytes.remove_prefix(tokens.back().bytes.size());
    }
    return tokens;
}

}  // namespace tovprint
