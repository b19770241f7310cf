#include "platform/dataset/filter_expression.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dataset/dataset_test_packets.hpp"
#include "platform/errors/errors.hpp"

namespace tov::dataset {
namespace {

using namespace testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Items of a ticket: seat, product, status, family, quantity, date, flag, name, unit price.
Packet items() {
    return make_packet(
        {text_field("NRLUGARMESA"), text_field("CDPRODUTO"), text_field("IDSTPRCOMVEN"),
         text_field("CDFAMILISALD"), float_field("QTPRODCOMVEN"), date_field("DATA"),
         bool_field("IDATIVO"), text_field("NMPRODUTO"), bcd_field("VRPRECCOMVEN")},
        {
            make_row({std::string("01"), std::string("A1"), std::string("1"), std::string("12"),
                      2.0, date_of(2024, 12, 25), true, std::string("Agua"),
                      Bcd::from_string("3.50")}),
            make_row({std::string("02"), std::string("X"), std::string("6"), std::string("12"), 1.0,
                      date_of(2025, 1, 1), false, std::string("Joao's"), Bcd::from_string("10")}),
            make_row({std::string("01"), std::string("B2"), std::string("7"), std::string("13"),
                      3.5, date_of(2025, 1, 2), true, std::string("JOANA"),
                      Bcd::from_string("0.05")}),
            make_row(
                {Null{}, std::string("X"), Null{}, Null{}, Null{}, Null{}, Null{}, Null{}, Null{}}),
        });
}

std::vector<int> matching(const Packet& packet, const std::string& filter,
                          const FilterOptions& options = {}) {
    const CompiledFilter compiled =
        FilterExpression::parse(filter).bind(packet.fields, options, {});
    std::vector<int> rows;
    for (size_t i = 0; i < packet.rows.size(); ++i) {
        // A table row is read in place, a Row from its copied values: both must agree.
        const bool in_place = compiled.matches(packet.rows, i);
        EXPECT_EQ(in_place, compiled.matches(Row(packet.rows[i]))) << filter << ", row " << i;
        if (in_place) rows.push_back(static_cast<int>(i));
    }
    return rows;
}

std::string parse_error(const std::string& filter) {
    try {
        FilterExpression::parse(filter).bind(items().fields, {}, {});
    } catch (const DatasetError& error) {
        return error.what();
    }
    return "no error";
}

TEST(FilterDocuments, SeatSelectionWithNoBlankBeforeAnd) {
    EXPECT_THAT(matching(items(), "NRLUGARMESA <> '01'AND CDPRODUTO <> 'X'"), IsEmpty());
    EXPECT_THAT(matching(items(), "NRLUGARMESA <> '02'AND CDPRODUTO <> 'X'AND CDPRODUTO <> ''"),
                ElementsAre(0, 2));
}

TEST(FilterDocuments, NonFiscalItemFilterWithDoubleBlank) {
    EXPECT_THAT(matching(items(),
                         "IDSTPRCOMVEN  <> '6' AND IDSTPRCOMVEN <> '7'AND CDPRODUTO <> 'C'"
                         "AND CDPRODUTO <> 'M'AND CDPRODUTO <> 'F'"),
                ElementsAre(0));
}

TEST(FilterDocuments, FamilyAndSaleKeys) {
    EXPECT_THAT(matching(items(), "CDFAMILISALD = '12'"), ElementsAre(0, 1));
    EXPECT_THAT(matching(items(), "CDPRODUTO = 'X'AND CDFAMILISALD = '12'"), ElementsAre(1));
}

// The bill items as the table bill sees them: seat, product, status; the cover, minimum
// consumption and female minimum consumption products are "COUV", "CONS" and "CFEM".
Packet bill_items() {
    const auto item = [](const char* seat, const char* product, const char* status) {
        return make_row({std::string(seat), std::string(product), std::string(status)});
    };
    return make_packet(
        {text_field("NRLUGARMESA"), text_field("CDPRODUTO"), text_field("IDSTPRCOMVEN")},
        {item("01", "P1", "1"), item("01", "COUV", "1"), item("02", "P2", "6"),
         item("02", "CONS", "1"), item("03", "P3", "7"), item("03", "CFEM", "1"),
         item("01", "P4", "1")});
}

// The product exclusions every item filter ends with, joined as the bill joins them.
std::string excluded_products(const std::string& cover, const std::string& consumption,
                              const std::string& female_consumption) {
    return "CDPRODUTO <> '" + cover + "'" + "AND CDPRODUTO <> " + "'" + consumption + "'" +
           "AND CDPRODUTO <> " + "'" + female_consumption + "'";
}

TEST(FilterDocuments, FiscalBillItems) {
    const std::string filter = excluded_products("COUV", "CONS", "CFEM");
    EXPECT_EQ(filter, "CDPRODUTO <> 'COUV'AND CDPRODUTO <> 'CONS'AND CDPRODUTO <> 'CFEM'");
    EXPECT_THAT(matching(bill_items(), filter), ElementsAre(0, 2, 4, 6));
    // A store without a female minimum consumption product leaves its literal empty.
    EXPECT_THAT(matching(bill_items(), excluded_products("COUV", "CONS", "")),
                ElementsAre(0, 2, 4, 5, 6));
    EXPECT_THAT(matching(bill_items(), excluded_products("", "", "")),
                ElementsAre(0, 1, 2, 3, 4, 5, 6));
}

TEST(FilterDocuments, NonFiscalBillItems) {
    const std::string filter = "IDSTPRCOMVEN  <> '6' AND IDSTPRCOMVEN <> '7'AND " +
                               excluded_products("COUV", "CONS", "CFEM");
    EXPECT_EQ(filter,
              "IDSTPRCOMVEN  <> '6' AND IDSTPRCOMVEN <> '7'AND CDPRODUTO <> 'COUV'"
              "AND CDPRODUTO <> 'CONS'AND CDPRODUTO <> 'CFEM'");
    EXPECT_THAT(matching(bill_items(), filter), ElementsAre(0, 6));
}

TEST(FilterDocuments, SeatBillDeletesOtherSeatsItems) {
    const std::string position = "01 - seat";
    const std::string filter = "NRLUGARMESA <> '" + position.substr(0, 2) + "'" + "AND " +
                               excluded_products("COUV", "CONS", "CFEM");
    EXPECT_EQ(filter,
              "NRLUGARMESA <> '01'AND CDPRODUTO <> 'COUV'AND CDPRODUTO <> 'CONS'"
              "AND CDPRODUTO <> 'CFEM'");
    EXPECT_THAT(matching(bill_items(), filter), ElementsAre(2, 4));
}

TEST(FilterDocuments, StatementFamilyAndSaleItems) {
    // Sale numbers come as text in one host's packets and as integers in another's.
    const Packet movements =
        make_packet({text_field("NRSEQVENDA"), int_field("NRSEQNUM"), text_field("CDFAMILISALD")},
                    {make_row({std::string("1001"), int64_t{1001}, std::string("05")}),
                     make_row({std::string("1001"), int64_t{1001}, std::string("07")}),
                     make_row({std::string("1002"), int64_t{1002}, std::string("05")})});
    EXPECT_THAT(matching(movements, "CDFAMILISALD = '" + std::string("05") + "'"),
                ElementsAre(0, 2));
    const auto sale_filter = [](const std::string& field, const std::string& sale,
                                const std::string& family) {
        return field + " = '" + sale + "'" + "AND CDFAMILISALD = " + "'" + family + "'";
    };
    EXPECT_EQ(sale_filter("NRSEQVENDA", "1001", "05"),
              "NRSEQVENDA = '1001'AND CDFAMILISALD = '05'");
    EXPECT_THAT(matching(movements, sale_filter("NRSEQVENDA", "1001", "05")), ElementsAre(0));
    EXPECT_THAT(matching(movements, sale_filter("NRSEQNUM", "1001", "07")), ElementsAre(1));
    EXPECT_THAT(matching(movements, sale_filter("NRSEQVENDA", "1003", "05")), IsEmpty());
}

TEST(FilterSyntax, KeywordsAndFieldNamesIgnoreCase) {
    EXPECT_THAT(matching(items(), "nrlugarmesa = '01' and Not cdproduto = 'A1'"), ElementsAre(2));
}

TEST(FilterSyntax, PrecedenceIsNotThenAndThenOr) {
    EXPECT_THAT(matching(items(), "CDPRODUTO = 'A1' OR CDPRODUTO = 'X' AND IDSTPRCOMVEN = '6'"),
                ElementsAre(0, 1));
    EXPECT_THAT(matching(items(), "(CDPRODUTO = 'A1' OR CDPRODUTO = 'X') AND IDSTPRCOMVEN = '6'"),
                ElementsAre(1));
    EXPECT_THAT(matching(items(), "NOT CDPRODUTO = 'X' AND NRLUGARMESA = '01'"), ElementsAre(0, 2));
    EXPECT_THAT(matching(items(), "NOT (CDPRODUTO = 'X' OR NRLUGARMESA = '01')"), IsEmpty());
}

TEST(FilterSyntax, QuotesInsideLiteralsAndBracketedNames) {
    EXPECT_THAT(matching(items(), "NMPRODUTO = 'Joao''s'"), ElementsAre(1));
    EXPECT_THAT(matching(items(), "[NMPRODUTO] = 'Agua'"), ElementsAre(0));
}

TEST(FilterSyntax, LongChainsNeedNoDeepRecursion) {
    std::string filter = "CDPRODUTO <> 'Z0'";
    for (int i = 1; i < 20000; ++i) filter += " AND CDPRODUTO <> 'Z" + std::to_string(i) + "'";
    EXPECT_THAT(matching(items(), filter), ElementsAre(0, 1, 2, 3));
}

TEST(FilterText, ComparesCaseSensitivelyUnlessAsked) {
    EXPECT_THAT(matching(items(), "NMPRODUTO = 'agua'"), IsEmpty());
    EXPECT_THAT(matching(items(), "NMPRODUTO = 'agua'", {.case_insensitive = true}),
                ElementsAre(0));
    EXPECT_THAT(matching(items(), "NMPRODUTO > 'JOANA'"), ElementsAre(1));
}

TEST(FilterText, TrailingAsteriskMatchesPrefixUnlessSwitchedOff) {
    EXPECT_THAT(matching(items(), "NMPRODUTO = 'Jo*'"), ElementsAre(1));
    EXPECT_THAT(matching(items(), "NMPRODUTO = 'jo*'", {.case_insensitive = true}),
                ElementsAre(1, 2));
    EXPECT_THAT(matching(items(), "NMPRODUTO <> 'Jo*'"), ElementsAre(0, 2));
    EXPECT_THAT(matching(items(), "NMPRODUTO = 'Jo*'", {.no_partial_compare = true}), IsEmpty());
}

TEST(FilterText, BareNumberComparesWithItsSpelling) {
    EXPECT_THAT(matching(items(), "CDFAMILISALD = 13"), ElementsAre(2));
}

TEST(FilterNumbers, ComparesNumericallyWithLiteralOnEitherSide) {
    EXPECT_THAT(matching(items(), "QTPRODCOMVEN > 1"), ElementsAre(0, 2));
    EXPECT_THAT(matching(items(), "2 <= QTPRODCOMVEN"), ElementsAre(0, 2));
    EXPECT_THAT(matching(items(), "QTPRODCOMVEN = 3.5"), ElementsAre(2));
    EXPECT_THAT(matching(items(), "QTPRODCOMVEN >= -1 AND QTPRODCOMVEN < 2"), ElementsAre(1));
}

TEST(FilterNumbers, QuotedLiteralIsReadAsNumber) {
    EXPECT_THAT(matching(items(), "QTPRODCOMVEN = '3,5'"), ElementsAre(2));
    EXPECT_THAT(matching(items(), "QTPRODCOMVEN = '3.5'"), ElementsAre(2));
    EXPECT_THAT(matching(items(), "VRPRECCOMVEN = '0,05'"), ElementsAre(2));
    EXPECT_THAT(matching(items(), "VRPRECCOMVEN > 3.4"), ElementsAre(0, 1));
}

TEST(FilterNumbers, LiteralThatIsNoNumberIsNamed) {
    EXPECT_EQ(parse_error("QTPRODCOMVEN = 'abc'"),
              "filter 'QTPRODCOMVEN = 'abc'': 'abc' is no number for the field 'QTPRODCOMVEN' at "
              "position 16");
}

TEST(FilterDates, QuotedLiteralInShortDateFormat) {
    EXPECT_THAT(matching(items(), "DATA = '25/12/2024'"), ElementsAre(0));
    EXPECT_THAT(matching(items(), "DATA >= '01/01/2025'"), ElementsAre(1, 2));
    EXPECT_THAT(parse_error("DATA = '31/02/2025'"), HasSubstr("'31/02/2025' is no date"));
}

TEST(FilterBooleans, AcceptsKeywordsTextAndNumbers) {
    EXPECT_THAT(matching(items(), "IDATIVO = TRUE"), ElementsAre(0, 2));
    EXPECT_THAT(matching(items(), "IDATIVO = 'false'"), ElementsAre(1));
    EXPECT_THAT(matching(items(), "IDATIVO <> 0"), ElementsAre(0, 2));
}

TEST(FilterNulls, EveryComparisonWithNullIsFalse) {
    EXPECT_THAT(matching(items(), "NRLUGARMESA <> '01'"), ElementsAre(1));
    EXPECT_THAT(matching(items(), "NRLUGARMESA < 'zz'"), ElementsAre(0, 1, 2));
    EXPECT_THAT(matching(items(), "NOT NRLUGARMESA = '01'"), ElementsAre(1, 3));
}

TEST(FilterNulls, IsNullAndEqualsNull) {
    EXPECT_THAT(matching(items(), "IDSTPRCOMVEN IS NULL"), ElementsAre(3));
    EXPECT_THAT(matching(items(), "QTPRODCOMVEN is not null"), ElementsAre(0, 1, 2));
    EXPECT_THAT(matching(items(), "DATA = NULL"), ElementsAre(3));
    EXPECT_THAT(matching(items(), "DATA <> NULL"), ElementsAre(0, 1, 2));
}

TEST(FilterFields, ComparesTwoFieldsOfOneKind) {
    EXPECT_THAT(matching(items(), "NRLUGARMESA < IDSTPRCOMVEN"), ElementsAre(0, 1, 2));
    EXPECT_THAT(parse_error("NRLUGARMESA = QTPRODCOMVEN"), HasSubstr("different kinds"));
}

TEST(FilterErrors, NameWhatAndWhere) {
    EXPECT_EQ(parse_error("CDPRODUTO = "),
              "filter 'CDPRODUTO = ': expected a value after '=' at position 13");
    EXPECT_EQ(
        parse_error("CDPRODUTO = 'X' AND"),
        "filter 'CDPRODUTO = 'X' AND': expected a field name or a value, found end of filter at "
        "position 20");
    EXPECT_EQ(parse_error("CDPRODUTO = 'X"),
              "filter 'CDPRODUTO = 'X': unterminated text literal at position 13");
    EXPECT_EQ(
        parse_error("CDPRODUTO == 'X'"),
        "filter 'CDPRODUTO == 'X'': expected a field name or a value, found '=' at position 12");
    EXPECT_EQ(
        parse_error("(CDPRODUTO = 'X'"),
        "filter '(CDPRODUTO = 'X'': expected ')' to close the '(' at position 1, found end of "
        "filter at position 17");
    EXPECT_EQ(parse_error("CDPRODUTO = 'X' 'Y'"),
              "filter 'CDPRODUTO = 'X' 'Y'': unexpected text 'Y' at position 17");
    EXPECT_EQ(parse_error("CDPRODUTO ; 'X'"),
              "filter 'CDPRODUTO ; 'X'': unexpected character ';' at position 11");
    EXPECT_EQ(parse_error("'X' = 'Y'"),
              "filter ''X' = 'Y'': a comparison needs a field at position 1");
    EXPECT_EQ(parse_error("CDPRODUTO > NULL"),
              "filter 'CDPRODUTO > NULL': NULL can only be compared with = or <> at position 13");
    EXPECT_THAT(parse_error(""), HasSubstr("found end of filter at position 1"));
}

TEST(FilterErrors, RefusesDeepNesting) {
    const std::string filter = std::string(500, '(') + "CDPRODUTO = 'X'" + std::string(500, ')');
    EXPECT_THAT(parse_error(filter), HasSubstr("nested too deeply"));
}

TEST(FilterErrors, UnknownFieldIsNamed) {
    try {
        matching(items(), "CDPRODUTO = 'X' AND NOPE = '1'");
        FAIL() << "no error";
    } catch (const FieldNotFound& error) {
        EXPECT_EQ(error.field(), "NOPE");
        EXPECT_STREQ(error.what(), "field 'NOPE' not found");
    }
}

}  // namespace
}  // namespace tov::dataset
