#pragma once
// The printer's bold-on and bold-off sequences, by printer kind. The bill prints its Total line,
// the separator under it and the seat subtotals between them.

#include <string>

namespace tov::bill {

struct BoldCodes {
    std::string stNegritoIni;
    std::string stNegritoFim;
};

// Kinds outside the bill's table print no control bytes.
BoldCodes bold_codes(int IdTipoImp);

// Kind 14 takes one blank after its bold-off sequence.
bool blank_after_bold_off(int IdTipoImp);

}  // namespace tov::bill
