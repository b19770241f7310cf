#include <windows.h>

#include <string>

#include "platform/fs/short_path.hpp"

namespace tov::fs {

// GetShortPathName answers the short alias of every part that has one and the long name of the
// others. A path it cannot shorten (one that does not exist, or a volume without short names)
// stays as it is: the files beside it are then looked up by the long name, as before.
std::filesystem::path ShortPathForm(const std::filesystem::path& path) {
    if (path.empty()) return path;
    const std::wstring& long_form = path.native();
    std::wstring short_form(long_form.size() + 1, L'\0');
    for (;;) {
        const DWORD size = GetShortPathNameW(long_form.c_str(), short_form.data(),
                                             static_cast<DWORD>(short_form.size()));
        if (size == 0) return path;
        if (size < short_form.size()) {
            short_form.resize(size);
            return std::filesystem::path(short_form);
        }
        short_form.resize(size);
    }
}

}  // namespace tov::fs
