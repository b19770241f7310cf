// The seat subtotals of a shared table and the suggested tips.

#include <gmock/gmock.h>

#include "bill_fixture.hpp"

namespace tov::bill::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class SharedTable : public BillTest {
protected:
    SharedTable() {
        request.IdLugarMesa = "S";
        request.doQtPessoas = 2;
        request.doVrTxSer = 10;
        request.doTotal = 110;
    }
};

// Seats stored as single digits are grouped under their two-character keys.
TEST_F(SharedTable, EachSeatGetsItsConsumptionItsShareAndBoth) {
    const std::vector<ItemRow> rows{
        {.seat = "1", .price = 10}, {.seat = "1", .price = 20}, {.seat = "2", .price = 70}};
    print(rows);
    EXPECT_THAT(bill(), HasSubstr("Total Geral                       110,00\n" + dashes +
                                  "\nTotal P01:  30,00   TX 3,00      33,00\n"
                                  "Total P02:  70,00   TX 7,00      77,00\n" +
                                  dashes + "\n 2 PESSOA(S) 55,00 POR PESSOA\n"));

    recorder.bills.clear();
    request.doQtPessoas = 1;
    print(rows);
    EXPECT_THAT(bill(), Not(HasSubstr("Total P0")));
}

// The earlier seats have no share; the last seat shows the service charge of the totals.
TEST_F(SharedTable, WithoutChargedItemsNoSeatIsGivenAShareOfItsOwn) {
    print(
        {{.seat = "01", .price = 30, .charged = "N"}, {.seat = "02", .price = 70, .charged = "N"}});
    EXPECT_THAT(bill(), HasSubstr("Total P01:  30,00   TX 0,00      30,00\n"
                                  "Total P02:  70,00  TX 10,00      80,00\n"));
}

class Tips : public BillTest {
protected:
    Tips() {
        request.stIdComisVenda = "S";
        request.doVrTxSer = 10;
        request.doVrDesc = 10;
        request.doVrDescManual = 4;
        ticket.tips[0] = 10;
        ticket.tips[1] = 20;
    }

    std::string ten_percent_line() {
        recorder.bills.clear();
        print({{.price = 100}}, ticket);
        const auto at = bill().find("Gorjeta Sugerida 10,00 %");
        return at == std::string::npos ? std::string() : bill().substr(at, 40);
    }

    Ticket ticket;
};

TEST_F(Tips, NeedTwoPercentagesAboveZero) {
    ticket.tips[1] = 0;
    EXPECT_EQ(ten_percent_line(), "");
}

// Base 100, discount 10 of which 4 manual; the bill without tip is 90.
TEST_F(Tips, TipBaseFollowsWhetherTheDiscountsCount) {
    EXPECT_EQ(ten_percent_line(), "Gorjeta Sugerida 10,00 %          100,00");
    request.stIdConDescTxServ = "N";
    request.stIdConsDescTxServ = "N";
    EXPECT_EQ(ten_percent_line(), "Gorjeta Sugerida 10,00 %          101,00");
    request.stIdConsDescTxServ = "S";
    EXPECT_EQ(ten_percent_line(), "Gorjeta Sugerida 10,00 %          100,40");
    request.stIdConDescTxServ = "S";
    request.stIdConsDescTxServ = "N";
    EXPECT_EQ(ten_percent_line(), "Gorjeta Sugerida 10,00 %          100,60");
    request.stIdConsDescTxServ = "";
    EXPECT_EQ(ten_percent_line(), "Gorjeta Sugerida 10,00 %           90,00");
}

}  // namespace
}  // namespace tov::bill::testing
