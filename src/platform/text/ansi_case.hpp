#pragma once
// Upper and lower case of Windows-1252 text as the Windows Western locale does it: the ASCII
// letters, the accented Latin-1 letters (ã/Ã, ç/Ç, é/É ...) and the four letters of the
// 0x80-0x9F block (š/Š, œ/Œ, ž/Ž, ÿ/Ÿ). Letters without a partner in the code page (ß, µ, ƒ)
// keep their byte. Case-insensitive ordering for indexes and searches sits beside it.

#include <string>
#include <string_view>

namespace tov::text {

char ansi_upper(char c);
char ansi_lower(char c);
std::string ansi_upper(std::string_view text);
std::string ansi_lower(std::string_view text);

// Case-insensitive ordering: <0, 0 or >0. Letters compare by their base letter first, so that
// "ação" sorts between "abc" and "ad"; an accent only decides between texts whose base letters
// are equal ("acao" < "ação"). Punctuation sorts before digits and digits before letters.
// Two texts compare equal exactly when their upper-case forms are the same bytes.
int ansi_compare_text(std::string_view a, std::string_view b);

bool ansi_same_text(std::string_view a, std::string_view b);

}  // namespace tov::text
