#pragma once
// Control sequences written as printer manuals write them: "ESC @", "ESC t 2", "GS V 66 0".
// The tokens are separated by blanks; each is one byte:
//   - an ASCII control name (NUL SOH STX ETX EOT ENQ ACK BEL BS HT LF VT FF CR SO SI DLE DC1 DC2
//     DC3 DC4 NAK SYN ETB CAN EM SUB ESC FS GS RS US), SP for the blank or DEL;
//   - a number from 0 to 255, decimal or hexadecimal (0x1B): the byte of that value;
//   - any other single printable ASCII character: that character ("@", "t", "V").
// A digit is always a number: the character '2' is written 50 or 0x32.

#include <string>
#include <string_view>

namespace tovprint {

// The bytes of a notation. Throws tov::ArgumentError naming the token it cannot read.
std::string parse_byte_notation(std::string_view notation);

// The notation of bytes, as a manual writes them: ESC, GS, FS and DLE by name, the function
// letter after them as itself and the command's parameters as numbers ("GS V 66 0"); outside a
// command, control names, printable characters as themselves, digits and other bytes as numbers.
std::string byte_notation(std::string_view bytes);

}  // namespace tovprint
