#include "bill/bold_codes.hpp"

#include "bill/printer_kinds.hpp"

namespace tov::bill {
namespace {

constexpr char esc = '\x1b';
const std::string esc_E = std::string{esc, 'E'};
const std::string esc_F = std::string{esc, 'F'};

}  // namespace

BoldCodes bold_codes(int IdTipoImp) {
    using printer_kinds::is_one_of;
    if (is_one_of(IdTipoImp, printer_kinds::bold_with_esc_f)) return {esc_E, esc_F};
    if (is_one_of(IdTipoImp, printer_kinds::bold_with_esc_e_nul)) {
        return {esc_E + '\x01', esc_E + '\0'};
    }
    if (is_one_of(IdTipoImp, printer_kinds::bold_with_esc_e)) return {esc_E + '\x01', esc_E};
    return {};
}

bool blank_after_bold_off(int IdTipoImp) {
    return IdTipoImp == printer_kinds::blank_after_bold_off;
}

}  // namespace tov::bill
