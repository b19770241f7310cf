#pragma once
// The built-in cipher of stored values, used when the host does not supply its own.
//
// A position-dependent shift within two printable ranges of Windows-1252:
//   - printable ASCII, 0x20 (blank) to 0x7E ('~'), 95 bytes;
//   - the printable upper half, 0xA0 (no-break space) to 0xFF ('ÿ'), 96 bytes.
// The byte at position i (counted from 0) of a range of n bytes starting at `low` becomes
//   low + (byte - low + key + i) mod n
// when enciphered, and is moved back by the same amount when deciphered. Every other byte
// (control bytes and 0x80 to 0x9F) is left as it is. So the enciphered text has the length of
// the plain text, a printable text stays printable, and Uncripto(Cripto(t, k), k) == t for
// every text t and every key k (negative keys and keys above a range's size included).
//
// Example: Cripto("ABC", 7) == "HJL"; Cripto("~", 7) == "&" (wraps past the end of ASCII).

#include <string>
#include <string_view>

namespace tov::services {

// The key the identification report deciphers its stored values with.
inline constexpr int kReportCipherKey = 7;

std::string Cripto(std::string_view plain_text, int key);

std::string Uncripto(std::string_view enciphered_text, int key);

}  // namespace tov::services
