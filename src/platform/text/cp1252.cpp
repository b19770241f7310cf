#include "platform/text/cp1252.hpp"

#include <array>
#include <cstddef>
#include <optional>

namespace tov::text {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char kReplacement = '?';

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

struct Decoded {
    std::optional<char32_t> code_point;  // empty for a malformed sequence
    std::size_t length;                  // bytes consumed, at least 1
};

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes the UTF-8 sequence at text[pos]. A malformed sequence consumes its lead byte and the
// continuation bytes that were valid so far, so that one bad character gives one '?'.
Decoded decode_utf8(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return {std::nullopt, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= text.size() || !is_continuation(static_cast<unsigned char>(text[pos + i])))
            return {std::nullopt, i};
        cp = (cp << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    }
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (cp < minimum || cp > 0x10FFFF || surrogate) return {std::nullopt, length};
    return {cp, length};
}

}  // namespace

char32_t cp1252_to_code_point(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

char code_point_to_cp1252(char32_t code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
        return static_cast<char>(code_point);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code_point) return static_cast<char>(0x80 + i);
    }
    return kReplacement;
}

std::string cp1252_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char c : text) append_utf8(out, cp1252_to_code_point(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8_to_cp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Decoded decoded = decode_utf8(text, pos);
        out += decoded.code_point ? code_point_to_cp1252(*decoded.code_point) : kReplacement;
        pos += decoded.length;
    }
    return out;
}

std::u16string cp1252_to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char c : text)
        out += static_cast<char16_t>(cp1252_to_code_point(static_cast<unsigned char>(c)));
    return out;
}

std::string utf16_to_cp1252(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char16_t unit = text[pos];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && pos + 1 < text.size() && text[pos + 1] >= 0xDC00 && text[pos + 1] <= 0xDFFF) {
            ++pos;  // a supplementary character: none of them is in the code page
            out += kReplacement;
            continue;
        }
        out += code_point_to_cp1252(unit);  // unpaired surrogates fall through to '?'
    }
    return out;
}

bool is_valid_utf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const Decoded decoded = decode_utf8(text, pos);
        if (!decoded.code_point) return false;
        pos += decoded.length;
    }
    return true;
}

}  // namespace tov::text
