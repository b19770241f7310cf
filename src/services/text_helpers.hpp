#pragma once
// Text helpers the documents lay their columns out with. Every helper takes Windows-1252 bytes,
// counts one byte as one column and returns a new text; none changes its argument.
//
// Widths are taken as given (a width above 255 is not wrapped to a byte). Blanks are the padding
// character everywhere except in Ajusta, which pads with zeros. TamFixo, TamFixoR, Centraliza and
// Replicate give an empty text for a width or count of zero or less; Centraliza, PadL and Ajusta
// never cut a text longer than their width, so a title, an amount or a number always prints whole.

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace tov::services {

// The text left-aligned in exactly `width` columns: blank-padded on the right, or cut to its
// first `width` bytes.
std::string TamFixo(std::string_view text, int width);

// The text right-aligned in exactly `width` columns: blank-padded on the left, or cut to its
// first `width` bytes (the start of the text is kept, as in TamFixo).
std::string TamFixoR(std::string_view text, int width);

// The text right-aligned in `width` columns, blank-padded in front. A text as long as the width
// or longer comes back unchanged, so a label followed by PadL(amount, line - label) fills the
// line, and an amount that does not fit follows its label whole.
std::string PadL(std::string_view text, int width);

// The text centred in exactly `width` columns. The left side gets half the spare blanks rounded
// down, the right side the rest (so the odd blank goes to the right). A text as long as the width
// or longer comes back unchanged: the printer wraps it rather than losing its end.
std::string Centraliza(std::string_view text, int width);

// The text repeated `count` times. Throws tov::ArgumentError when the result could not be held.
std::string Replicate(std::string_view text, int count);

// The text brought to `width` by zeros in front ("1" -> "01"), so that numbers held as text
// compare and print uniformly. A text as long as the width or longer comes back unchanged.
std::string Ajusta(std::string_view text, int width);

// True when the text is empty or holds only blanks and control bytes (bytes up to 0x20).
bool EmptyString(std::string_view text);

// The text with every accented Windows-1252 letter replaced by its plain letter, in both cases
// (á à â ã ä å -> a, ç -> c, ñ -> n, ø -> o, ý ÿ -> y, š -> s, ž -> z, ...). Ligatures and other
// letters without a one-byte plain form (æ, œ, ß, ð, þ) and every other byte stay as they are,
// so the text keeps its length and its columns.
std::string RemoveAcentos(std::string_view text);

// The value the condition selects. Both values are evaluated by the caller, as with any call;
// the result has their common type (iif(c, "a", std::string("b")) is a std::string).
template <typename IfTrue, typename IfFalse>
std::common_type_t<std::decay_t<IfTrue>, std::decay_t<IfFalse>> iif(bool condition,
                                                                    IfTrue&& if_true,
                                                                    IfFalse&& if_false) {
    using Result = std::common_type_t<std::decay_t<IfTrue>, std::decay_t<IfFalse>>;
    if (condition) return Result(std::forward<IfTrue>(if_true));
    return Result(std::forward<IfFalse>(if_false));
}

}  // namespace tov::services
