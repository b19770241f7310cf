#pragma once
// The value of one ROW attribute of an XML packet: its text read in the form of its field. The
// reader reads every value with it, and the writer reads back what it is about to write, so that
// a writer never writes what the reader would refuse, and refuses it with the reader's words.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dataset/packet.hpp"
#include "platform/dataset/packet_xml_text.hpp"
#include "platform/dataset/packet_xml_types.hpp"

namespace tov::dataset::xml_cell {

// A value of a form other than the texts (Text, Memo, WideText, WideMemo). Throws
// ConversionError "'TEXT' is not a number" and the like, quoting at most 40 characters.
// NaN and infinite numbers are refused: no amount is either.
Value parse(xml_types::ValueForm form, uint16_t size, std::string_view text,
            xml_text::Source source);

// A parsed text quoted for a message, as Windows-1252, cut after 40 characters.
std::string quoted(std::string_view parsed, xml_text::Source source);
// Windows-1252 text quoted the same way.
std::string quoted_ansi(std::string_view ansi);

}  // namespace tov::dataset::xml_cell
