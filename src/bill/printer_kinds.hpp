#pragma once
// The printer kinds (IdTipoImp) the table bill treats apart. A kind is the host's code of a
// printer model, which also selects the printer configuration; the bill knows a kind only by
// what it does differently for it.

#include <algorithm>
#include <array>

namespace tov::bill::printer_kinds {

// The fiscal registers that print the table bill themselves from the items packet and the
// amounts (Conferencia_Outras): for them the package composes nothing.
inline constexpr std::array registers_composing_bill{16, 30, 41, 44};

// The bold sequences by kind, ESC being the byte 27: ESC E and ESC F; ESC E 1 and ESC E NUL;
// ESC E 1 and ESC E. Every other kind prints the Total line without control bytes.
inline constexpr std::array bold_with_esc_f{13, 21, 28, 42, 45};
inline constexpr std::array bold_with_esc_e_nul{22};
inline constexpr std::array bold_with_esc_e{14, 16, 19};

// The printer that takes one blank after its bold-off sequence.
inline constexpr int blank_after_bold_off = 14;

constexpr bool is_one_of(int kind, const auto& kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

}  // namespace tov::bill::printer_kinds
