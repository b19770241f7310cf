#pragma once
// Text in an XML data packet: the parser hands attribute values over as UTF-8; inside, text is
// Windows-1252. A packet without an encoding declaration holds raw ANSI bytes, which the parser
// reads as Latin-1, so there every code point up to U+00FF stands for the byte of that value.
// Writing escapes markup characters and line breaks the way the packet producers do.

#include <string>
#include <string_view>

namespace tov::dataset::xml_text {

// How the parsed text relates to the file's bytes.
enum class Source {
    Ansi,  // the file was read as Latin-1: code points up to U+00FF are the file's ANSI bytes
    Utf8,  // the file was UTF-8: code points are Unicode
};

// An attribute value as written, with its entities resolved: the five named ones and decimal
// and hexadecimal character references, which become UTF-8 (a reference to NUL too, so that a
// text holding NUL comes back whole). Anything else after '&' stays as written. Returns the
// value itself when it has no '&', else the text put together in scratch.
std::string_view unescape(std::string_view raw, std::string& scratch);

// A parsed value as Windows-1252 bytes; characters the code page lacks become '?'.
std::string to_ansi(std::string_view parsed, Source source);
// The same, appended to out.
void append_ansi(std::string& out, std::string_view parsed, Source source);

// A parsed value as UTF-16 (for wide string fields and wide memos).
std::u16string to_utf16(std::string_view parsed, Source source);

// Appends Windows-1252 text escaped for an attribute value: the five markup characters as named
// entities, tab, line feed, carriage return, backslash and other controls as &#NNN;. Bytes from
// 0x80 up stay raw bytes, or become UTF-8 when utf8_output is set.
void append_escaped(std::string& out, std::string_view ansi, bool utf8_output);

// Appends UTF-16 text escaped as above, with every character from U+0080 up as &#NNN;.
void append_escaped_wide(std::string& out, std::u16string_view text);

}  // namespace tov::dataset::xml_text
