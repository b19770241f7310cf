// The detailed statement: the walk over cdsExtrato from its current row, the movement blocks and
// the number forms at their limits.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "statement/statement_fixture.hpp"

namespace tov::statement {
namespace {

using testing::ConsumerStatement;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string plain_header =
    "\r\n"
    "--------------------------------------------\r\n"
    "           Restaurante Sao Jorge            \r\n"
    "\r\n"
    "--------------------------------------------\r\n"
    "Caixa: 003               15/03/2024 18:00\r\n"
    "--------------------------------------------\r\n"
    "\r\n";

TEST_F(ConsumerStatement, DetailedWalkStartsOnTheCurrentRowAndEndsAtTheEnd) {
    detailed_account();
    data.cdsExtrato.SetRecNo(4);

    EXPECT_TRUE(print(false).result);

    EXPECT_EQ(recorder.printed, plain_header +
                                    "Cliente: C002\r\n"
                                    "Cons: 123-Maria Joao\r\n"
                                    "--------------------------------------------\r\n"
                                    "SALDO ANTERIOR - Restaurante         100,00\r\n"
                                    "--------------------------------------------\r\n"
                                    "Data       Operacao            Valor   Saldo\r\n"
                                    "12/03/2024\r\n"
                                    " 19:45 Venda                  -30,00   70,00\r\n"
                                    "   0001 1    Prato do dia      30,00\r\n"
                                    "--------------------------------------------\r\n"
                                    "Saldo Total                           102,50\r\n"
                                    "\r\n"
                                    "\r\n");
    EXPECT_TRUE(data.cdsExtrato.Eof());
    EXPECT_EQ(data.cdsExtVenda.Filter(), "NRSEQVENDA = '124'AND CDFAMILISALD = '02'");
    EXPECT_TRUE(data.cdsExtVenda.Filtered());
}

TEST_F(ConsumerStatement, DetailedStatementWithTheWalkAtItsEndPrintsNothing) {
    detailed_account();
    while (!data.cdsExtrato.Eof()) data.cdsExtrato.Next();

    const StatementOutcome outcome = print(true);

    EXPECT_FALSE(outcome.result);
    EXPECT_THAT(outcome.reason, HasSubstr("no movement"));
    EXPECT_THAT(recorder.calls, ElementsAre("ConfiguraImpressora 7 0 1"));
}

TEST_F(ConsumerStatement, DetailedMovementKindsDecideWhatFollowsTheirLine) {
    detailed_account();
    data.extrato({
        {"C001",
         "01",
         "Bar",
         "0",
         {"01", "20240310", "09:15", "Recarga via venda", "C", "55", "50", "50", "0001"}},
        {"C001",
         "01",
         "Bar",
         "0",
         {"01", "20240310", "09:20", "Credito de bonus", "C", "", "5", "55", "0002"}},
        {"C001",
         "01",
         "Bar",
         "0",
         {"01", "20240310", "09:25", "Debito", "D", "", "-1", "54", "0003"}},
        {"C001",
         "01",
         "Bar",
         "0",
         {"01", "20240310", "12:30", "Venda sem itens", "V", "999", "-4", "50", "0001"}},
        {"C001",
         "01",
         "Bar",
         "0",
         {"01", "20240310", "12:40", "Ajuste", "A", "", "-1", "49", "0001"}},
        {"C001",
         "01",
         "Bar",
         "0",
         {"01", "20240310", "12:45", "Venda", "v", "123", "-1", "48", "0001"}},
    });

    EXPECT_TRUE(print(false).result);

    EXPECT_THAT(recorder.printed, HasSubstr("10/03/2024\r\n"
                                            " 09:15 Recarga via venda       50,00   50,00\r\n"
                                            " 09:20 Credito de bonus         5,00   55,00\r\n"
                                            "   0002 Credito de bon \r\n"
                                            " 09:25 Debito                  -1,00   54,00\r\n"
                                            "   0003 Debito         \r\n"
                                            " 12:30 Venda sem itens         -4,00   50,00\r\n"
                                            " 12:40 Ajuste                  -1,00   49,00\r\n"
                                            " 12:45 Venda                   -1,00   48,00\r\n"
                                            "--------------------------------------------\r\n"
                                            "Saldo Total"));
}

TEST_F(ConsumerStatement, NumbersBeyondTheirPrecisionPrintInExponentNotation) {
    detailed_account();
    data.extrato({
        {"C001",
         "01",
         "Bar",
         "1234567890123456.5",
         {"01", "20240310", "12:30", "Venda", "V", "123", "-1", "12345678901234.5", "0001"}},
        {"C001",
         "01",
         "Bar",
         "1234567890123456.5",
         {"01", "20240310", "12:35", "Recarga", "X", "", "1", "9999999999999", "0001"}},
    });
    data.sale_items({{"123", "01", "12.25", "Cerveja", "1234567890123456"}});
    data.family_balances({"999999999999999", "1"});
    recorder.register_width = 60;

    EXPECT_TRUE(print(true).result);

    EXPECT_EQ(recorder.extrato,
              "Cliente: C001\n"
              "Cons: 123-Maria Jo\xe3o\n"
              "------------------------------------------------------------\n"
              "SALDO ANTERIOR - Bar                    1,23456789012346E15\n"
              "------------------------------------------------------------\n"
              "Data       Operacao            Valor   Saldo                \n"
              "10/03/2024\n"
              " 12:30 Venda                   -1,00       1,234567890123E13\n"
              "   0001 12,2 Cerveja        1,234567\n"
              " 12:35 Recarga                  1,00        9999999999999,00\n"
              "------------------------------------------------------------\n"
              "Saldo Total                                             1E15\n"
              "\n"
              "\n");
}

}  // namespace
}  // namespace tov::statement
