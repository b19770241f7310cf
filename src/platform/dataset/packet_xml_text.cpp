#include "platform/dataset/packet_xml_text.hpp"

#include <cstdint>
#include <optional>

#include "platform/text/cp1252.hpp"

namespace tov::dataset::xml_text {

namespace {

constexpr char32_t replacement_character = 0xFFFD;

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes the UTF-8 sequence at text[pos] and advances pos. The parser encodes every character
// reference it meets, surrogates included, so those are taken as they are; anything malformed
// gives U+FFFD and consumes one byte.
char32_t next_code_point(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    char32_t cp = lead;
    if (lead >= 0xC0 && lead < 0xE0) {
        length = 2, cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF8) {
        length = 4, cp = lead & 0x07;
    } else if (lead >= 0x80) {
        ++pos;
        return replacement_character;
    }
    if (pos + length > text.size()) {
        ++pos;
        return replacement_character;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!is_continuation(byte)) {
            ++pos;
            return replacement_character;
        }
        cp = (cp << 6) | (byte & 0x3F);
    }
    pos += length;
    return cp > 0x10FFFF ? replacement_character : cp;
}

char ansi_byte(char32_t cp, Source source) {
    if (cp < 0x80 || (source == Source::Ansi && cp <= 0xFF)) return static_cast<char>(cp);
    return text::code_point_to_cp1252(cp);
}

char32_t unicode_of(char32_t cp, Source source) {
    if (source == Source::Ansi && cp >= 0x80 && cp <= 0xFF) {
        return text::cp1252_to_code_point(static_cast<unsigned char>(cp));
    }
    return cp;
}

void append_utf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

void append_reference(std::string& out, uint32_t code) {
    std::string digits = std::to_string(code);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    out += "&#";
    out += digits;
    out += ';';
}

// The escape of an ASCII character, or nullptr when it is written as it is.
const char* ascii_escape(char c) {
    switch (c) {
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '&':
            return "&amp;";
        case '"':
            return "&quot;";
        case '\'':
            return "&apos;";
        default:
            return nullptr;
    }
}

bool needs_reference(uint32_t code) {
    return code < 0x20 || code == '\\';
}

// Appends one character below U+0080; returns false for anything above.
bool append_ascii(std::string& out, uint32_t code) {
    if (code >= 0x80) return false;
    if (const char* escape = ascii_escape(static_cast<char>(code))) {
        out += escape;
    } else if (needs_reference(code)) {
        append_reference(out, code);
    } else {
        out.push_back(static_cast<char>(code));
    }
    return true;
}

void append_utf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The code point of "#NNN" or "#xHH", or nothing.
std::optional<uint32_t> character_reference(std::string_view name) {
    if (name.size() < 2 || name[0] != '#') return std::nullopt;
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return std::nullopt;
    uint32_t code = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
        if (code > 0x10FFFF) return std::nullopt;
    }
    return code;
}

// The character a named entity stands for, or 0 for a name that is none of the five.
char named_entity(std::string_view name) {
    if (name == "lt") return '<';
    if (name == "gt") return '>';
    if (name == "amp") return '&';
    if (name == "quot") return '"';
    if (name == "apos") return '\'';
    return 0;
}

// Resolves the entity at raw[amp] ('&') into out and returns where the text goes on.
std::size_t append_entity(std::string& out, std::string_view raw, std::size_t amp) {
    constexpr std::size_t longest = 32;  // references with leading zeros too
    const std::size_t semicolon = raw.substr(amp, longest + 1).find(';');
    if (semicolon != std::string_view::npos) {
        const std::string_view name = raw.substr(amp + 1, semicolon - 1);
        const std::size_t after = amp + semicolon + 1;
        if (const char named = named_entity(name)) {
            out.push_back(named);
            return after;
        }
        if (const auto code = character_reference(name)) {
            append_utf8(out, *code);
            return after;
        }
    }
    out.push_back('&');
    return amp + 1;
}

}  // namespace

std::string_view unescape(std::string_view raw, std::string& scratch) {
    std::size_t amp = raw.find('&');
    if (amp == std::string_view::npos) return raw;
    scratch.assign(raw.substr(0, amp));
    while (amp != std::string_view::npos) {
        const std::size_t next = append_entity(scratch, raw, amp);
        amp = raw.find('&', next);
        scratch.append(
            raw.substr(next, amp == std::string_view::npos ? std::string_view::npos : amp - next));
    }
    return scratch;
}

std::string to_ansi(std::string_view parsed, Source source) {
    std::string result;
    append_ansi(result, parsed, source);
    return result;
}

void append_ansi(std::string& out, std::string_view parsed, Source source) {
    out.reserve(out.size() + parsed.size());
    for (std::size_t pos = 0; pos < parsed.size();) {
        const auto byte = static_cast<unsigned char>(parsed[pos]);
        if (byte < 0x80) {
            out.push_back(static_cast<char>(byte));
            ++pos;
        } else {
            out.push_back(ansi_byte(next_code_point(parsed, pos), source));
        }
    }
}

std::u16string to_utf16(std::string_view parsed, Source source) {
    std::u16string result;
    result.reserve(parsed.size());
    for (std::size_t pos = 0; pos < parsed.size();) {
        append_utf16(result, unicode_of(next_code_point(parsed, pos), source));
    }
    return result;
}

void append_escaped(std::string& out, std::string_view ansi, bool utf8_output) {
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (append_ascii(out, byte)) continue;
        if (utf8_output) {
            out += text::cp1252_to_utf8(std::string_view(&c, 1));
        } else {
            out.push_back(c);
        }
    }
}

void append_escaped_wide(std::string& out, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint32_t code = text[i];
        const bool high_surrogate = code >= 0xD800 && code < 0xDC00;
        if (high_surrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        }
        if (!append_ascii(out, code)) append_reference(out, code);
    }
}

}  // namespace tov::dataset::xml_text
