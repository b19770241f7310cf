#include "bill/bold_codes.hpp"

namespace tov::bill {
namespace {

constexpr char esc = '\x1b';
const std::string esc_E = std::string{esc, 'E'};
const std::string esc_F = std::string{esc, 'F'};

}  // namespace

BoldCodes bold_codes(int IdTipoImp) {
    switch (IdTipoImp) {
        case 13:
        case 21:
        case 28:
        case 42:
        case 45:
            return {esc_E, esc_F};
        case 22:
            return {esc_E + '\x01', esc_E + '\0'};
        case 14:
        case 16:
        case 19:
            return {esc_E + '\x01', esc_E};
        default:
            return {};
    }
}

bool blank_after_bold_off(int IdTipoImp) {
    return IdTipoImp == 14;
}

}  // namespace tov::bill
