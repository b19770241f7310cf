// The totals under the items: the service charge switched off or shared by a seat, the loyalty
// programme asked, and the charges that need a row of their product.

#include <gmock/gmock.h>

#include "bill_fixture.hpp"

namespace tov::bill::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(BillTest, ServiceChargeSwitchedOffLeavesTheLineTheTotalAndTheTipsWithoutIt) {
    request.stIdImpTxServ = "N";
    request.doTotal = 110;
    request.doVrTxSer = 10;
    request.stIdComisVenda = "S";
    Ticket ticket;
    ticket.tips[0] = 10;
    ticket.tips[1] = 12;
    print({{.price = 100}}, ticket);
    EXPECT_THAT(bill(), Not(HasSubstr("Gorjeta Sugerida")));
    EXPECT_THAT(bill(), HasSubstr("Total Geral                       100,00\n"));
}

// Base 40 of a ticket of 110 with service 10: 10 x 40 / 100.
TEST_F(BillTest, SeatsShareIsInProportionToTheTicketWithoutService) {
    request.stPosicao = "01";
    request.doTotal = 110;
    request.doVrTxSer = 10;
    request.doVrDesc = 1;
    request.doAcre = 2;
    const std::vector<ItemRow> rows{{.seat = "01", .quantity = 2, .price = 20},
                                    {.seat = "01", .price = 5, .charged = "N"},
                                    {.seat = "02", .price = 55}};
    print(rows);
    EXPECT_THAT(bill(), HasSubstr("\nGorjeta Sugerida                    4,00\n"
                                  "Total Geral                        50,00\n"));

    recorder.bills.clear();
    request.doTotal = 10;  // a ticket that is all service: no share can be worked out
    print(rows);
    EXPECT_THAT(bill(), HasSubstr("\nGorjeta Sugerida                    0,00\n"
                                  "Total Geral                        46,00\n"));
}

// Sale 1001's discounts: 3,00 Cash4All, 2,00 UDS, 1,50 core banking, 5,00 own loyalty.
TEST_F(BillTest, LoyaltyDiscountComesFromTheFirstProgrammeSwitchedOn) {
    request.stNrComanda = "MESA 12";
    request.stNrvendarest = "1001";
    parameter_file("", "", "S");
    const auto discount_line = [this] {
        recorder.bills.clear();
        print({{}});
        const std::string& text = bill();
        const auto at = text.find("Desconto Fidelidade");
        return at == std::string::npos ? std::string() : text.substr(at, 40);
    };
    request.stIdUtilFid4All = "S";
    request.stIdUtilFidUds = "S";
    EXPECT_EQ(discount_line(), "Desconto Fidelidade                 3,00");
    request.stIdUtilFid4All = "N";
    EXPECT_EQ(discount_line(), "Desconto Fidelidade                 2,00");
    request.stIdUtilFidUds = "N";
    EXPECT_EQ(discount_line(), "Desconto Fidelidade                 1,50");
    parameter_file("", "", "N");
    EXPECT_EQ(discount_line(), "Desconto Fidelidade                 5,00");
}

TEST_F(BillTest, ChargesPrintTheAmountsPassedOnlyWhenTheTicketHoldsTheirProduct) {
    request.doCouver = 0;
    request.doConsMin = 30;
    print({{.name = "Agua"}, {.product = "COUV"}, {.product = "FEM"}});
    EXPECT_THAT(bill(), HasSubstr("\nCouvert                             0,00\n"
                                  "Consumacao Minima                  30,00\n"));

    recorder.bills.clear();
    request.doCouver = 5;
    print({{.name = "Agua"}});
    EXPECT_THAT(bill(), Not(HasSubstr("Couvert")));
    EXPECT_THAT(bill(), Not(HasSubstr("Consumacao")));
}

}  // namespace
}  // namespace tov::bill::testing
