#include "printer/byte_notation.hpp"

#include <array>
#include <charconv>
#include <optional>
#include <utility>

#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

constexpr std::array<std::string_view, 32> control_names = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
constexpr unsigned char space = 0x20;
constexpr unsigned char del = 0x7F;

std::optional<unsigned char> named_byte(std::string_view token) {
    for (std::size_t i = 0; i < control_names.size(); ++i) {
        if (control_names[i] == token) return static_cast<unsigned char>(i);
    }
    if (token == "SP") return space;
    if (token == "DEL") return del;
    return std::nullopt;
}

std::optional<unsigned char> numbered_byte(std::string_view token) {
    int base = 10;
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        token.remove_prefix(2);
        base = 16;
    }
    unsigned value = 0;
    const auto [end, error] =
        std::from_chars(token.data(), token.data() + token.size(), value, base);
    if (error != std::errc{} || end != token.data() + token.size() || value > 0xFF) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(value);
}

unsigned char token_byte(std::string_view token) {
    if (const auto byte = named_byte(token)) return *byte;
    if (token[0] >= '0' && token[0] <= '9') {
        if (const auto byte = numbered_byte(token)) return *byte;
        throw tov::ArgumentError("'" + std::string(token) + "' is not a byte from 0 to 255");
    }
    if (token.size() == 1 && token[0] > ' ' && token[0] < '\x7F') {
        return static_cast<unsigned char>(token[0]);
    }
    throw tov::ArgumentError("'" + std::string(token) +
                             "' is neither a control name, a number nor one printable character");
}

// Where a byte stands: outside a command, as the function letter after ESC, GS, FS or DLE, or
// among that command's parameters, which read best as numbers.
enum class Position { Outside, Function, Parameter };

bool starts_command(unsigned char byte) {
    return byte == 0x1B || byte == 0x1C || byte == 0x1D || byte == 0x10;
}

std::string byte_token(unsigned char byte, Position& position) {
    const bool printable = byte > space && byte < del;
    const bool digit = byte >= '0' && byte <= '9';
    if (starts_command(byte)) {
        position = Position::Function;
        return std::string(control_names[byte]);
    }
    const Position at = std::exchange(
        position, position == Position::Outside ? Position::Outside : Position::Parameter);
    if (at == Position::Parameter || (at == Position::Function && !printable) || digit) {
        return std::to_string(byte);
    }
    if (printable) return std::string(1, static_cast<char>(byte));
    if (byte < control_names.size()) return std::string(control_names[byte]);
    return byte == space ? "SP" : std::to_string(byte);
}

}  // namespace

std::string parse_byte_notation(std::string_view notation) {
    constexpr std::string_view blanks = " \t";
    std::string bytes;
    std::size_t start = notation.find_first_not_of(blanks);
    while (start != std::string_view::npos) {
        const std::size_t end = notation.find_first_of(blanks, start);
        bytes += static_cast<char>(token_byte(notation.substr(start, end - start)));
        start = notation.find_first_not_of(blanks, end);
    }
    return bytes;
}

std::string byte_notation(std::string_view bytes) {
    std::string notation;
    Position position = Position::Outside;
    for (const char c : bytes) {
        if (!notation.empty()) notation += ' ';
        notation += byte_token(static_cast<unsigned char>(c), position);
    }
    return notation;
}

}  // namespace tovprint
