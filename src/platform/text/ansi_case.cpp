#include "platform/text/ansi_case.hpp"

#include <algorithm>
#include <cstddef>

namespace tov::text {
namespace {

constexpr unsigned char kMultiply = 0xD7;  // × has no case
constexpr unsigned char kDivide = 0xF7;    // ÷ has no case

unsigned char byte_of(char c) {
    return static_cast<unsigned char>(c);
}

// The unaccented capital that an upper-case letter sorts with, or 0 for a non-letter.
char base_letter(unsigned char upper) {
    if (upper >= 'A' && upper <= 'Z') return static_cast<char>(upper);
    switch (upper) {
        case 0x83:
            return 'F';  // ƒ
        case 0x8A:
            return 'S';  // Š
        case 0x8C:
            return 'O';  // Œ
        case 0x8E:
            return 'Z';  // Ž
        case 0x9F:
            return 'Y';  // Ÿ
        case 0xC7:
            return 'C';  // Ç
        case 0xD0:
            return 'D';  // Ð
        case 0xD1:
            return 'N';  // Ñ
        case 0xDD:
            return 'Y';  // Ý
        case 0xDE:
            return 'T';  // Þ
        case 0xDF:
            return 'S';  // ß
        default:
            break;
    }
    if (upper >= 0xC0 && upper <= 0xC6) return 'A';  // À..Å, Æ
    if (upper >= 0xC8 && upper <= 0xCB) return 'E';
    if (upper >= 0xCC && upper <= 0xCF) return 'I';
    if ((upper >= 0xD2 && upper <= 0xD6) || upper == 0xD8) return 'O';
    if (upper >= 0xD9 && upper <= 0xDC) return 'U';
    return 0;
}

// Primary sort class: punctuation and symbols, then digits, then letters.
int primary_weight(unsigned char upper) {
    if (const char base = base_letter(upper)) return 0x200 + byte_of(base);
    if (upper >= '0' && upper <= '9') return 0x100 + upper;
    return upper;
}

int compare_ints(int a, int b) {
    return (a > b) - (a < b);
}

}  // namespace

char ansi_upper(char c) {
    const unsigned char b = byte_of(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    if (b >= 0xE0 && b <= 0xFE && b != kDivide) return static_cast<char>(b - 0x20);
    switch (b) {
        case 0x9A:
            return static_cast<char>(0x8A);  // š
        case 0x9C:
            return static_cast<char>(0x8C);  // œ
        case 0x9E:
            return static_cast<char>(0x8E);  // ž
        case 0xFF:
            return static_cast<char>(0x9F);  // ÿ
        default:
            return c;
    }
}

char ansi_lower(char c) {
    const unsigned char b = byte_of(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
    if (b >= 0xC0 && b <= 0xDE && b != kMultiply) return static_cast<char>(b + 0x20);
    switch (b) {
        case 0x8A:
            return static_cast<char>(0x9A);
        case 0x8C:
            return static_cast<char>(0x9C);
        case 0x8E:
            return static_cast<char>(0x9E);
        case 0x9F:
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

std::string ansi_upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return ansi_upper(c); });
    return out;
}

std::string ansi_lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return ansi_lower(c); });
    return out;
}

int ansi_compare_text(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    int accent_order = 0;  // the first difference between letters of the same base
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ua = byte_of(ansi_upper(a[i]));
        const unsigned char ub = byte_of(ansi_upper(b[i]));
        if (const int primary = compare_ints(primary_weight(ua), primary_weight(ub)))
            return primary;
        if (accent_order == 0) accent_order = compare_ints(ua, ub);
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return accent_order;
}

bool ansi_same_text(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ansi_upper(a[i]) != ansi_upper(b[i])) return false;
    }
    return true;
}

}  // namespace tov::text
