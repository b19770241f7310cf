#include "bill/item_filters.hpp"

#include <string>

#include "bill/item_states.hpp"
#include "platform/dataset/filter_literal.hpp"

namespace tov::bill {
namespace {

using dataset::filter_literal;

// The pieces are joined with no blank between a closing quote and the next AND, as the bill has
// always written them.
std::string charges_left_out(const TableBillRequest& request) {
    return "CDPRODUTO <> " + filter_literal(request.stCdProdCouver) + "AND CDPRODUTO <> " +
           filter_literal(request.stCdProdConsum) + "AND CDPRODUTO <> " +
           filter_literal(request.stCdProdConsFem);
}

}  // namespace

std::string other_seats_filter(std::string_view seat, const TableBillRequest& request) {
    return "NRLUGARMESA <> " + filter_literal(seat) + "AND " + charges_left_out(request);
}

std::string fiscal_item_filter(const TableBillRequest& request) {
    return charges_left_out(request);
}

std::string non_fiscal_item_filter(const TableBillRequest& request) {
    return "IDSTPRCOMVEN  <> '" + std::string(cancelled_item_states[0]) +
           "' AND IDSTPRCOMVEN <> '" + std::string(cancelled_item_states[1]) + "'AND " +
           charges_left_out(request);
}

}  // namespace tov::bill
