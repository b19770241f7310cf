#include <string>

#include "platform/errors/errors.hpp"
#include "platform/fs/text_path.hpp"
#include "platform/text/cp1252.hpp"

namespace tov::fs {
namespace {

std::u16string_view utf16_of(const std::wstring& wide) {
    return {reinterpret_cast<const char16_t*>(wide.data()), wide.size()};
}

}  // namespace

std::filesystem::path path_from_text(std::string_view text) {
    const std::u16string wide = text::cp1252_to_utf16(text);
    return std::filesystem::path(
        std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size()));
}

std::string text_from_path(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    std::string text = text::utf16_to_cp1252(utf16_of(wide));
    if (text::cp1252_to_utf16(text) != utf16_of(wide)) {
        throw FileError("the path '" + utf8_file_name(path) +
                        "' holds characters that Windows-1252 text cannot carry");
    }
    return text;
}

std::string utf8_file_name(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

}  // namespace tov::fs
