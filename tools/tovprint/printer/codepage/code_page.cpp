#include "printer/codepage/code_page.hpp"

#include "platform/errors/errors.hpp"
#include "platform/text/cp1252.hpp"
#include "printer/codepage/code_page_converter.hpp"
#include "printer/codepage/code_page_fallback.hpp"

namespace tovprint {

CodePage::CodePage(std::string name) : name_(std::move(name)) {
    CodePageConverter converter(name_);
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        const char character = static_cast<char>(byte);
        if (is_control_byte(byte)) {
            bytes_[byte] = printed_[byte] = std::string(1, character);
            continue;
        }
        if (auto converted = converter.convert(character)) {
            bytes_[byte] = std::move(*converted);
            printed_[byte] = tov::text::cp1252_to_utf8(std::string_view(&character, 1));
        } else {
            lacks_[byte] = true;
            bytes_[byte] = printed_[byte] = std::string(code_page_fallback(byte));
        }
    }
}

std::string CodePage::encode(std::string_view cp1252_text) const {
    std::string encoded;
    encoded.reserve(cp1252_text.size());
    for (const char c : cp1252_text) encoded += bytes_of(static_cast<unsigned char>(c));
    return encoded;
}

}  // namespace tovprint
