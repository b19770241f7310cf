#pragma once
// Windows-1252 text shown on a UTF-8 terminal so that every byte can be seen.
//
// Printable characters are converted to UTF-8. Control bytes become ASCII markers in angle
// brackets: <NUL> <TAB> <LF> <FF> <CR> <ESC> by name, every other control byte (0x01-0x1F, 0x7F
// and the five bytes Windows-1252 leaves undefined: 0x81 0x8D 0x8F 0x90 0x9D) as <0xNN> in
// upper-case hexadecimal. A literal '<' is printed as it is.

#include <string>
#include <string_view>

namespace tovprint {

enum class LineBreaks {
    Follow,  // after each <LF> marker a real line break follows, so a document stays readable
    Inline,  // everything on one line (arguments, table cells)
};

std::string visible_text(std::string_view cp1252, LineBreaks breaks);

// Number of characters (code points) of a UTF-8 text, for column alignment.
std::size_t display_width(std::string_view utf8);

}  // namespace tovprint
