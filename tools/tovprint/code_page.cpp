#include "code_page.hpp"

#include <iconv.h>

#include <cerrno>
#include <optional>

#include "code_page_fallback.hpp"
#include "platform/errors/errors.hpp"
#include "platform/text/cp1252.hpp"

namespace tovprint {
namespace {

// iconv's input argument is `char**` in glibc and `const char**` in some other libraries; this
// hands over the one the library declares.
class InputBuffer {
public:
    explicit InputBuffer(char** pointer) : pointer_(pointer) {}
    operator char**() const { return pointer_; }
    operator const char**() const { return const_cast<const char**>(pointer_); }

private:
    char** pointer_;
};

// One iconv conversion descriptor, closed with its owner.
class Converter {
public:
    Converter(const std::string& to, const char* from) : handle_(iconv_open(to.c_str(), from)) {
        if (handle_ == invalid()) {
            throw tov::ArgumentError("code page '" + to + "' is not one iconv converts to");
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The bytes of one character, or nothing when the target lacks it (or the source byte is
    // no character).
    std::optional<std::string> convert(char byte) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
        char input[1] = {byte};
        char output[16];
        char* in = input;
        char* out = output;
        std::size_t in_left = 1;
        std::size_t out_left = sizeof output;
        const std::size_t result = iconv(handle_, InputBuffer(&in), &in_left, &out, &out_left);
        if (result != 0 || in_left != 0) return std::nullopt;  // failed, or not reversible
        return std::string(output, out);
    }

private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t handle_;
};

}  // namespace

CodePage::CodePage(std::string name) : name_(std::move(name)) {
    Converter converter(name_, "CP1252");
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
