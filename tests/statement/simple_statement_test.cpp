// The simple statement: families, the previous balance lookup, the movement walk, the pieces
// handed to the register, and where the host's datasets are left.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "statement/statement_fixture.hpp"

namespace tov::statement {
namespace {

using testing::ConsumerStatement;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::Movement;
using ::testing::Not;
using ::testing::SizeIs;

// The lines of a text between its CR LF line breaks.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// ---- Nothing to print --------------------------------------------------------------------------

TEST_F(ConsumerStatement, FamiliesWithoutAnyMovementPrintNothing) {
    simple_account();
    data.movements({});

    const StatementOutcome plain = print(false);
    EXPECT_FALSE(plain.result);
    EXPECT_THAT(plain.reason, HasSubstr("no movement"));
    EXPECT_THAT(recorder.calls, IsEmpty());

    EXPECT_FALSE(print(true).result);
    EXPECT_THAT(recorder.calls, ElementsAre("ConfiguraImpressora 7 0 1"));
}

TEST_F(ConsumerStatement, ConsumerWithoutFamiliesPrintsNothing) {
    simple_account();
    data.families({});

    EXPECT_FALSE(print(true).result);

    EXPECT_THAT(recorder.calls, ElementsAre("ConfiguraImpressora 7 0 1"));
}

TEST_F(ConsumerStatement, MovementsOfUnlistedFamiliesLeaveTheRegisterWithItsHeaderOnly) {
    simple_account();
    data.families({{"09", "Outra"}});

    EXPECT_FALSE(print(true).result);

    EXPECT_THAT(recorder.calls, ElementsAre("ConfiguraImpressora 7 0 1",
                                            "Cabecalho 0001 COR Restaurante Sao Jorge 003 0 0"));
}

// ---- Previous balance --------------------------------------------------------------------------

TEST_F(ConsumerStatement, PreviousBalanceComesFromTheFamilyRowOrElseTheCurrentRow) {
    simple_account();
    data.families({{"ab", "Bar"}, {"zz", "Loja"}});
    data.movements({{"ab", "20240310", "09:15", "Recarga", "C", "", "50", "50", "0001"},
                    {"zz", "20240310", "10:00", "Recarga", "C", "", "9", "9", "0001"}});
    data.extrato({{"C001", "AB", "Bar", "5", {}},
                  {"C002", "08", "Outra", "22.5", {}},
                  {"C003", "09", "Mais outra", "7", {}}});
    data.cdsExtrato.SetRecNo(2);

    EXPECT_TRUE(print(false).result);

    const auto lines = lines_of(recorder.printed);
    EXPECT_THAT(lines, Contains("Cliente: C002"));
    EXPECT_THAT(lines, Contains("SALDO ANTERIOR - Bar                   5,00"));
    EXPECT_THAT(lines, Contains("SALDO ANTERIOR - Loja                 22,50"));
    EXPECT_EQ(data.cdsExtrato.RecNo(), 2);
}

// ---- Movements ---------------------------------------------------------------------------------

TEST_F(ConsumerStatement, MovementsInAnotherOrderThanStoredArePrintedEachOnce) {
    simple_account();
    data.families({{"01", "Bar"}});
    data.movements({{"01", "20240310", "12:00", "Almoco", "V", "", "-20", "30", "0001"},
                    {"01", "20240311", "08:00", "Cafe", "V", "", "-5", "25", "0001"},
                    {"01", "20240310", "07:00", "Recarga", "C", "7", "50", "50", "0001"},
                    {"01", "20240311", "09:00", "Lanche", "X", "", "-5", "20", "0001"}});
    data.cdsExtSimples.AddIndex("porHora", "HORA");
    data.cdsExtSimples.SetIndexName("porHora");

    EXPECT_TRUE(print(false).result);

    EXPECT_THAT(recorder.printed, HasSubstr("Data       Operacao            Valor   Saldo\r\n"
                                            "10/03/2024\r\n"
                                            " 07:00 Recarga                 50,00   50,00\r\n"
                                            "11/03/2024\r\n"
                                            " 08:00 Cafe                    -5,00   25,00\r\n"
                                            " 09:00 Lanche                  -5,00   20,00\r\n"
                                            "10/03/2024\r\n"
                                            " 12:00 Almoco                 -20,00   30,00\r\n"
                                            "\r\n"));
}

TEST_F(ConsumerStatement, CreditAndDebitWithASaleNumberAndSalesWithoutItemsGetTheirLineOnly) {
    simple_account();
    data.families({{"01", "Bar"}});
    data.movements({{"01", "20240310", "09:15", "Recarga via venda", "C", "55", "50", "50", "1"},
                    {"01", "20240310", "09:20", "Estorno via venda", "D", "56", "-5", "45", "1"},
                    {"01", "20240310", "12:30", "Venda sem numero", "V", "", "-5", "40", "1"},
                    {"01", "20240310", "12:40", "Venda sem itens", "V", "999", "-5", "35", "1"}});

    EXPECT_TRUE(print(false).result);

    EXPECT_THAT(recorder.printed, HasSubstr("10/03/2024\r\n"
                                            " 09:15 Recarga via venda       50,00   50,00\r\n"
                                            " 09:20 Estorno via venda       -5,00   45,00\r\n"
                                            " 12:30 Venda sem numero        -5,00   40,00\r\n"
                                            " 12:40 Venda sem itens         -5,00   35,00\r\n"
                                            "\r\n"));
}

TEST_F(ConsumerStatement, FamilyCodeWithAQuoteSelectsItsOwnMovementsAndItems) {
    simple_account();
    data.families({{"0'1", "Bar"}});
    data.movements({{"0'1", "20240310", "12:30", "Venda", "V", "12'3", "-10", "40", "0001"},
                    {"01", "20240310", "12:40", "Outra", "C", "", "-5", "35", "0001"}});
    data.sale_items({{"12'3", "0'1", "2", "Cerveja", "10"}});

    EXPECT_TRUE(print(false).result);

    EXPECT_THAT(recorder.printed, HasSubstr("   0001 2    Cerveja           10,00\r\n"));
    EXPECT_THAT(recorder.printed, Not(HasSubstr("Outra")));
}

// ---- Pieces to the register --------------------------------------------------------------------

TEST_F(ConsumerStatement, LongTextBeforeASaleGoesToTheRegisterWholeInPiecesOfWholeLines) {
    const auto long_account = [this] {
        simple_account();
        std::vector<Movement> movements;
        for (int i = 10; i < 40; ++i) {
            movements.push_back({"01", "20240310", "09:" + std::to_string(i), "Recarga", "C", "",
                                 "1", std::to_string(i), "0001"});
        }
        movements.push_back(
            {"01", "20240310", "12:30", "Venda", "V", "123", "-12.5", "37.5", "0001"});
        data.movements(movements);
    };
    stNmConsumidor = "Maria";
    long_account();
    EXPECT_TRUE(print(false).result);
    const std::string plain_header =
        "\r\n"
        "--------------------------------------------\r\n"
        "           Restaurante Sao Jorge            \r\n"
        "\r\n"
        "--------------------------------------------\r\n"
        "Caixa: 003               15/03/2024 18:00\r\n"
        "--------------------------------------------\r\n"
        "\r\n";
    const std::string on_plain_printer = recorder.printed;

    long_account();
    recorder.register_width = 44;
    recorder.register_line_break = "\r\n";
    EXPECT_TRUE(print(true).result);

    ASSERT_THAT(recorder.pieces, SizeIs(6));  // four up to the sale, one per item line
    std::string handed_over;
    for (const auto& piece : recorder.pieces) {
        EXPECT_LE(piece.size(), 620u);
        EXPECT_THAT(piece, EndsWith("\r\n"));
        handed_over += piece;
    }
    EXPECT_EQ(recorder.pieces[0].size(), 582u);  // the next line, 46 with its break, would pass 620
    EXPECT_EQ(plain_header + handed_over + recorder.extrato, on_plain_printer);
}

// ---- Where the host's datasets are left --------------------------------------------------------

TEST_F(ConsumerStatement, SimpleStatementLeavesTheFiltersAndCursorsWhereItsWalksEnd) {
    simple_account();
    data.cdsExtrato.SetRecNo(2);

    EXPECT_TRUE(print(false).result);

    EXPECT_TRUE(data.cdsSaldoConsExt.Eof());
    EXPECT_TRUE(data.cdsExtSimples.Filtered());
    EXPECT_EQ(data.cdsExtSimples.Filter(), "CDFAMILISALD = '03'");
    EXPECT_TRUE(data.cdsExtVenda.Filtered());
    EXPECT_EQ(data.cdsExtVenda.Filter(), "NRSEQVENDA = '124'AND CDFAMILISALD = '02'");
    EXPECT_TRUE(data.cdsExtVenda.Eof());
    EXPECT_TRUE(data.cdsSaldFam.Eof());
    EXPECT_EQ(data.cdsExtrato.RecNo(), 2);
    EXPECT_FALSE(data.cdsExtrato.Eof());
}

}  // namespace
}  // namespace tov::statement
