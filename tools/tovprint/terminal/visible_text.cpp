#include "terminal/visible_text.hpp"

#include <array>
#include <cstdio>

#include "platform/text/cp1252.hpp"

namespace tovprint {
namespace {

bool is_control(char32_t code_point) {
    return code_point < 0x20 || (code_point >= 0x7F && code_point <= 0x9F);
}

std::string marker_of(unsigned char byte) {
    switch (byte) {
        case 0x00:
            return "<NUL>";
        case 0x09:
            return "<TAB>";
        case 0x0A:
            return "<LF>";
        case 0x0C:
            return "<FF>";
        case 0x0D:
            return "<CR>";
        case 0x1B:
            return "<ESC>";
        default:
            break;
    }
    std::array<char, 8> hex{};
    std::snprintf(hex.data(), hex.size(), "<0x%02X>", static_cast<unsigned>(byte));
    return hex.data();
}

}  // namespace

std::string visible_text(std::string_view cp1252, LineBreaks breaks) {
    std::string shown;
    shown.reserve(cp1252.size() + cp1252.size() / 8);
    for (const char ch : cp1252) {
        const auto byte = static_cast<unsigned char>(ch);
        if (!is_control(tov::text::cp1252_to_code_point(byte))) {
            shown += tov::text::cp1252_to_utf8(std::string_view(&ch, 1));
            continue;
        }
        shown += marker_of(byte);
        if (byte == 0x0A && breaks == LineBreaks::Follow) shown += '\n';
    }
    return shown;
}

std::size_t display_width(std::string_view utf8) {
    std::size_t width = 0;
    for (const char ch : utf8) {
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++width;
    }
    return width;
}

}  // namespace tovprint
