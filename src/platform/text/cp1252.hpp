#pragma once
// Conversion between Windows-1252 (the 8-bit text used everywhere inside) and the Unicode forms
// met at the edges: UTF-8 for files and terminals, UTF-16 for wide host strings.
//
// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// controls of the same value, as Windows does, so every byte survives a round trip.

#include <string>
#include <string_view>

namespace tov::text {

// The Unicode code point of one Windows-1252 byte.
char32_t cp1252_to_code_point(unsigned char byte);

// The Windows-1252 byte of a code point, or '?' when the code page has none.
char code_point_to_cp1252(char32_t code_point);

std::string cp1252_to_utf8(std::string_view text);

// Characters with no Windows-1252 byte and malformed UTF-8 sequences both become '?'.
std::string utf8_to_cp1252(std::string_view text);

std::u16string cp1252_to_utf16(std::string_view text);

// Characters with no Windows-1252 byte and unpaired surrogates become '?'.
std::string utf16_to_cp1252(std::u16string_view text);

// True when text is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool is_valid_utf8(std::string_view text);

}  // namespace tov::text
