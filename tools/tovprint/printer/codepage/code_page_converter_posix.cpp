#include <iconv.h>

#include "platform/errors/errors.hpp"
#include "printer/codepage/code_page_converter.hpp"

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

iconv_t invalid_descriptor() {
    return reinterpret_cast<iconv_t>(-1);
}

}  // namespace

struct CodePageConverter::State {
    iconv_t handle = invalid_descriptor();
};

CodePageConverter::CodePageConverter(const std::string& code_page)
    : state_(std::make_unique<State>()) {
    state_->handle = iconv_open(code_page.c_str(), "CP1252");
    if (state_->handle == invalid_descriptor()) {
        throw tov::ArgumentError("code page '" + code_page + "' is not one iconv converts to");
    }
}

CodePageConverter::~CodePageConverter() {
    iconv_close(state_->handle);
}

std::optional<std::string> CodePageConverter::convert(char cp1252_byte) {
    iconv(state_->handle, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
    char input[1] = {cp1252_byte};
    char output[16];
    char* in = input;
    char* out = output;
    std::size_t in_left = 1;
    std::size_t out_left = sizeof output;
    const std::size_t result = iconv(state_->handle, InputBuffer(&in), &in_left, &out, &out_left);
    if (result != 0 || in_left != 0) return std::nullopt;  // failed, or not reversible
    return std::string(output, out);
}

}  // namespace tovprint
