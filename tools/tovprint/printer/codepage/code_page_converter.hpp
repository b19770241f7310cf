#pragma once
// One character at a time from Windows-1252 into a printer's code page: iconv on POSIX systems,
// the system's own code page tables on Windows.

#include <memory>
#include <optional>
#include <string>

namespace tovprint {

class CodePageConverter {
public:
    // `code_page` as iconv knows it ("CP850", "CP860"). Throws tov::ArgumentError when there is
    // no conversion from Windows-1252 into it.
    explicit CodePageConverter(const std::string& code_page);
    ~CodePageConverter();
    CodePageConverter(const CodePageConverter&) = delete;
    CodePageConverter& operator=(const CodePageConverter&) = delete;

    // The bytes of one Windows-1252 character in the code page, or nothing when the code page
    // lacks it (or the byte is no character).
    std::optional<std::string> convert(char cp1252_byte);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tovprint
