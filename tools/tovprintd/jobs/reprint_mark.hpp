#pragma once
// A reprinted paper says so on its first line, in the document's language and in the package's
// manner (Windows-1252, the words without accents, as the documents write "Emissao"):
//   Portuguese (Brazil)  "*** REIMPRESSAO ***"
//   Spanish (Colombia)   "*** REIMPRESION ***"
// The line ends as the paper's own lines do (CR LF or LF).

#include <string>
#include <string_view>

namespace tovprintd {

inline constexpr std::string_view portuguese = "pt";
inline constexpr std::string_view spanish = "es";

// The language of a document's papers: Spanish when they carry the Spanish wording of the table
// bill of a store in Colombia, Portuguese otherwise.
std::string document_language(std::string_view first_paper);

// The paper's text with the reprint line before it.
std::string marked_as_reprint(std::string_view paper_text, std::string_view language);

}  // namespace tovprintd
