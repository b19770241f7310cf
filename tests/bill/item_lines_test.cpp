// The item lines: what is listed, the running amounts of an item's discount and surcharge, and
// where seat headings and the separator before the items go.

#include <gmock/gmock.h>

#include "bill_fixture.hpp"

namespace tov::bill::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(BillTest, NonFiscalBillListsNeitherCancelledItemsNorChargesAndSumsNothing) {
    print({{.name = "Velho", .status = "7"},
           {.name = "Couvert", .product = "COUV"},
           {.name = "Minimo", .product = "FEM"}});
    EXPECT_THAT(bill(), HasSubstr("Emissao: 15/03/2024 17:30\n" + dashes + "\n" + dashes +
                                  "\nTotal Produtos                      0,00\n"));
}

TEST_F(BillTest, DiscountThenSurchargeShowTheItemsRunningAmount) {
    print({{.name = "Vinho", .quantity = 2, .price = 10, .discount = 1, .surcharge = 0.5}});
    EXPECT_THAT(bill(), HasSubstr("Vinho\n"
                                  "2,000   X 10,00                    20,00\n"
                                  "desconto            -1,00          19,00\n"
                                  "acr\xe9scimo           +0,50          19,50\n"));
}

TEST_F(BillTest, TicketSaleGroupedBySeatHasNeitherSeatHeadingsNorASeparatorBeforeItems) {
    request.stTipoVenda = "1";
    request.stNrComanda = "";
    request.IdLugarMesa = "S";
    print({{.name = "Agua"}});
    EXPECT_THAT(bill(), HasSubstr("Emissao: 15/03/2024 17:30\nAgua\n"));
    EXPECT_THAT(bill(), Not(HasSubstr("Posicao")));
}

}  // namespace
}  // namespace tov::bill::testing
