#include "statement/statement_lines.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tov::statement {
namespace {

const format::FormatSettings brazil;

std::string breaks(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "\r\n";
    return text;
}

TEST(ClosingFeed, ModelsThatCutBelowASeparatorGetItAndFiveLineBreaks) {
    for (const char* model : {"30", "32", "33", "41", "44"}) {
        EXPECT_EQ(closing_feed(model, 10, "\r\n"), "----------" + breaks(6)) << model;
    }
}

TEST(ClosingFeed, ModelThirtyFourGetsTwelveLineBreaks) {
    EXPECT_EQ(closing_feed("34", 10, "\r\n"), breaks(12));
}

TEST(ClosingFeed, AnyOtherModelGetsTwoLineBreaks) {
    for (const char* model : {"", "1", "440", " 44", "34 "}) {
        EXPECT_EQ(closing_feed(model, 10, "\r\n"), breaks(2)) << model;
    }
}

TEST(MoneyFormats, FixedPointUpToTheirPrecisionAndExponentNotationBeyond) {
    EXPECT_EQ(money(999999999999999, brazil), "999999999999999,00");
    EXPECT_EQ(money(-999999999999999, brazil), "-999999999999999,00");
    EXPECT_EQ(money(1e15, brazil), "1E15");
    EXPECT_EQ(money(-1234567890123456, brazil), "-1,23456789012346E15");
    EXPECT_EQ(movement_money(-9999999999999, brazil), "-9999999999999,00");
    EXPECT_EQ(movement_money(1e13, brazil), "1E13");
    EXPECT_EQ(movement_money(999999999999999, brazil), "1E15");
}

TEST(MovementLine, AmountColumnBeginsAfterTwentyEightColumnsForEveryKind) {
    MovementCells movement{MovementKind::Sale, "12:30:45", "Descricao muito longa da venda", 1.5,
                           -2.25};
    EXPECT_EQ(movement_line(movement, 44, brazil), " 12:30:Descricao muito l        1,50   -2,25");
    movement.kind = MovementKind::CreditOrDebit;
    EXPECT_EQ(movement_line(movement, 44, brazil), " 12:30:Descricao muito lon      1,50   -2,25");
}

TEST(MovementKind, SaleNeedsItsNumberAndCreditOrDebitItsAbsence) {
    EXPECT_EQ(movement_kind("V", "1"), MovementKind::Sale);
    EXPECT_EQ(movement_kind("V", ""), MovementKind::Other);
    EXPECT_EQ(movement_kind("C", ""), MovementKind::CreditOrDebit);
    EXPECT_EQ(movement_kind("D", ""), MovementKind::CreditOrDebit);
    EXPECT_EQ(movement_kind("C", "1"), MovementKind::Other);
    EXPECT_EQ(movement_kind("c", ""), MovementKind::Other);
    EXPECT_EQ(movement_kind("v", "1"), MovementKind::Other);
}

TEST(SaleItemLine, IsThirtySixColumnsWithTheQuantityCutToFour) {
    EXPECT_EQ(sale_item_line("00012", 12.25, "Refrigerante lata 350ml", 123456.789, brazil),
              "   0001 12,2 Refrigerante la123456,7");
    EXPECT_EQ(sale_item_line("1", 1, "Agua", -3, brazil), "   1    1    Agua              -3,00");
}

TEST(NarrowLine, ColumnsPastTheWidthAreLeftOutAndTheLineStillPrints) {
    EXPECT_EQ(column_heading(30), "Data       Operacao            Valor   ");
    EXPECT_EQ(previous_balance_line("Bar", 10, 20, brazil), "SALDO ANTERIOR - Bar        ");
    EXPECT_EQ(total_line(5, 12, brazil), "Saldo Total ");
}

TEST(TillLine, ShowsThePrintingTimeInTwentyFourHours) {
    EXPECT_EQ(till_line("003", 45366.9375, brazil), "Caixa: 003               15/03/2024 22:30");
}

TEST(TillLine, KeepsItsSlashesAndColonWhateverTheRegionalSeparators) {
    format::FormatSettings elsewhere;
    elsewhere.date_separator = '-';
    elsewhere.time_separator = '.';
    elsewhere.short_date_format = "yyyy-mm-dd";
    EXPECT_EQ(till_line("7", 45366.0416666667, elsewhere),
              "Caixa: 7               15/03/2024 01:00");
}

}  // namespace
}  // namespace tov::statement
