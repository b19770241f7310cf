#pragma once
// The item states (IDSTPRCOMVEN of the items packet) the table bill tells apart: the two states
// of a cancelled item. A cancelled item prints "Cancelado" and adds to no sum, and the item filter
// of a non-fiscal bill leaves it out.

#include <array>
#include <string_view>

namespace tov::bill {

inline constexpr std::array<std::string_view, 2> cancelled_item_states{"6", "7"};

constexpr bool is_cancelled_state(std::string_view IDSTPRCOMVEN) {
    return IDSTPRCOMVEN == cancelled_item_states[0] || IDSTPRCOMVEN == cancelled_item_states[1];
}

}  // namespace tov::bill
