#include <windows.h>

#include <string>

#include "platform/fs/environment.hpp"
#include "platform/text/cp1252.hpp"

namespace tov::fs {
namespace {

// The value in UTF-16, "" when the variable is not set.
std::wstring wide_value(const char* name) {
    const std::u16string wide_name = text::cp1252_to_utf16(name);
    const auto* key = reinterpret_cast<const wchar_t*>(wide_name.c_str());
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD size =
            GetEnvironmentVariableW(key, value.data(), static_cast<DWORD>(value.size()));
        if (size == 0) return {};
        if (size < value.size()) {
            value.resize(size);
            return value;
        }
        value.resize(size);  // size counts the terminating NUL the value needs
    }
}

}  // namespace

std::string environment_text(const char* name) {
    const std::wstring value = wide_value(name);
    return text::utf16_to_cp1252(
        std::u16string_view(reinterpret_cast<const char16_t*>(value.data()), value.size()));
}

std::optional<std::filesystem::path> environment_path(const char* name) {
    std::wstring value = wide_value(name);
    if (value.empty()) return std::nullopt;
    return std::filesystem::path(std::move(value));
}

}  // namespace tov::fs
