#include <windows.h>

#include <cctype>

#include "platform/errors/errors.hpp"
#include "printer/codepage/code_page_converter.hpp"

namespace tovprint {
namespace {

constexpr UINT windows_1252 = 1252;

// "CP850" (any case) → 850; 0 when the name is not "CP" and a number.
UINT code_page_number(const std::string& name) {
    if (name.size() < 3 || name.size() > 8) return 0;
    if (std::toupper(static_cast<unsigned char>(name[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(name[1])) != 'P') {
        return 0;
    }
    UINT number = 0;
    for (std::size_t i = 2; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
        number = number * 10 + static_cast<UINT>(name[i] - '0');
    }
    return number;
}

}  // namespace

struct CodePageConverter::State {
    UINT code_page = 0;
};

CodePageConverter::CodePageConverter(const std::string& code_page)
    : state_(std::make_unique<State>()) {
    state_->code_page = code_page_number(code_page);
    if (state_->code_page == 0 || !IsValidCodePage(state_->code_page)) {
        throw tov::ArgumentError("code page '" + code_page +
                                 "' is not one Windows converts to (CPnnn, installed)");
    }
}

CodePageConverter::~CodePageConverter() = default;

// Through UTF-16, refusing the best-fit mappings Windows would otherwise make (ä printed as a):
// a character the code page lacks is reported, so that its documented fallback is printed.
std::optional<std::string> CodePageConverter::convert(char cp1252_byte) {
    wchar_t wide[2];
    const int wide_length =
        MultiByteToWideChar(windows_1252, MB_ERR_INVALID_CHARS, &cp1252_byte, 1, wide, 2);
    if (wide_length <= 0) return std::nullopt;
    char output[16];
    BOOL used_default = FALSE;
    const int length =
        WideCharToMultiByte(state_->code_page, WC_NO_BEST_FIT_CHARS, wide, wide_length, output,
                            sizeof output, nullptr, &used_default);
    if (length <= 0 || used_default) return std::nullopt;
    return std::string(output, static_cast<std::size_t>(length));
}

}  // namespace tovprint
