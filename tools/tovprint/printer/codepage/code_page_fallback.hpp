#pragma once
// What a printer prints for a Windows-1252 character its code page lacks: plain ASCII, never
// nothing. A letter loses its accent (ä → a, Ÿ → Y), a ligature is spelled out (œ → oe, ß → ss),
// a sign becomes its usual ASCII spelling (€ → EUR, © → (C), ½ → 1/2, – → -, “ → "), and the
// five bytes Windows-1252 leaves undefined become '?'. The table is docs/printing.md's.

#include <string_view>

namespace tovprint {

// The ASCII text printed for a Windows-1252 byte from 0x80 up (below, '?').
std::string_view code_page_fallback(unsigned char cp1252_byte);

}  // namespace tovprint
