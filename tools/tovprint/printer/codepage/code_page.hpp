#pragma once
// The package's Windows-1252 text in the code page a printer expects. The table is built once
// per code page (code_page_converter.hpp), every printable Windows-1252 character converted by
// itself; a character the code page lacks is printed as its fallback (code_page_fallback.hpp).
// Control bytes are not text: they pass unchanged.

#include <array>
#include <string>
#include <string_view>

namespace tovprint {

class CodePage {
public:
    // `name` as iconv knows it ("CP850", "CP860"). Throws tov::ArgumentError when iconv converts
    // from Windows-1252 to no code page of that name.
    explicit CodePage(std::string name);

    const std::string& name() const { return name_; }

    // The bytes the printer receives for one text byte, and the text (UTF-8) it then prints.
    const std::string& bytes_of(unsigned char cp1252_byte) const { return bytes_[cp1252_byte]; }
    const std::string& printed(unsigned char cp1252_byte) const { return printed_[cp1252_byte]; }

    // Whether the code page lacks the byte's character, so that its fallback is printed.
    bool lacks(unsigned char cp1252_byte) const { return lacks_[cp1252_byte]; }

    // A run of text bytes (no control bytes) in the code page.
    std::string encode(std::string_view cp1252_text) const;

private:
    std::string name_;
    std::array<std::string, 256> bytes_;
    std::array<std::string, 256> printed_;
    std::array<bool, 256> lacks_{};
};

// Bytes below 0x20 and DEL are control bytes; every other byte is a character.
inline bool is_control_byte(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace tovprint
