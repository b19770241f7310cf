#include "printer/codepage/code_page_fallback.hpp"

#include <array>

namespace tovprint {
namespace {

// 0x80 to 0xFF.
constexpr std::array<std::string_view, 128> fallbacks = {
    // 0x80: € ? ‚ ƒ „ … † ‡ ˆ ‰ Š ‹ Œ ? Ž ?
    "EUR", "?", ",", "f", "\"", "...", "+", "+", "^", "%o", "S", "<", "OE", "?", "Z", "?",
    // 0x90: ? ‘ ’ “ ” • – — ˜ ™ š › œ ? ž Ÿ
    "?", "'", "'", "\"", "\"", "*", "-", "-", "~", "TM", "s", ">", "oe", "?", "z", "Y",
    // 0xA0: nbsp ¡ ¢ £ ¤ ¥ ¦ § ¨ © ª « ¬ shy ® ¯
    " ", "!", "c", "L", "*", "Y", "|", "S", "\"", "(C)", "a", "<<", "-", "-", "(R)", "-",
    // 0xB0: ° ± ² ³ ´ µ ¶ · ¸ ¹ º » ¼ ½ ¾ ¿
    "o", "+-", "2", "3", "'", "u", "P", ".", ",", "1", "o", ">>", "1/4", "1/2", "3/4", "?",
    // 0xC0: À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    // 0xD0: Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß
    "D", "N", "O", "O", "O", "O", "O", "x", "O", "U", "U", "U", "U", "Y", "Th", "ss",
    // 0xE0: à á â ã ä å æ ç è é ê ë ì í î ï
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    // 0xF0: ð ñ ò ó ô õ ö ÷ ø ù ú û ü ý þ ÿ
    "d", "n", "o", "o", "o", "o", "o", "/", "o", "u", "u", "u", "u", "y", "th", "y"};

}  // namespace

std::string_view code_page_fallback(unsigned char cp1252_byte) {
    if (cp1252_byte < 0x80) return "?";  // only a code page without ASCII lacks one
    return fallbacks[cp1252_byte - 0x80];
}

}  // namespace tovprint
