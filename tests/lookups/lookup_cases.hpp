#pragma once
// The lookup cases, run against every store that the including test program opens: each
// program defines open_test_store(), which fills the store with lookup_rows() and says whether
// the store is there at all.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "lookup_rows.hpp"
#include "lookups/sale_lookups.hpp"
#include "platform/dataset/packet_binary.hpp"
#include "platform/db/connection.hpp"

namespace tov::lookups::testing {

// Connects connection to a store holding the schema and lookup_rows(); false when the program
// has no such store (the tests then skip).
bool open_test_store(db::Connection& connection);

inline dataset::Packet packet_of(const LookupPacket& result) {
    if (const auto* error = std::get_if<ErrorText>(&result))
        ADD_FAILURE() << "error text: " << error->text;
    const auto* bytes = std::get_if<std::string>(&result);
    return bytes ? dataset::read_binary_packet(*bytes) : dataset::Packet{};
}

inline std::string text_at(const dataset::Packet& packet, std::size_t row, std::string_view field) {
    const auto& value =
        packet.rows.at(row).values.at(static_cast<std::size_t>(packet.field_index(field)));
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : std::string("<not text>");
}

inline double amount_at(const dataset::Packet& packet, std::size_t row, std::string_view field) {
    const auto& value =
        packet.rows.at(row).values.at(static_cast<std::size_t>(packet.field_index(field)));
    if (const auto* bcd = std::get_if<dataset::Bcd>(&value))
        return static_cast<double>(bcd->to_long_double());
    ADD_FAILURE() << field << " is not a fixed-point decimal";
    return -1;
}

inline std::vector<std::string> field_names(const dataset::Packet& packet) {
    std::vector<std::string> names;
    for (const auto& field : packet.fields) names.push_back(field.name);
    return names;
}

class LookupCases : public ::testing::Test {
protected:
    void SetUp() override {
        if (!open_test_store(connection)) GTEST_SKIP() << "no test store";
    }

    db::Connection connection;
    SaleLookups lookups{connection};
    format::FormatSettings settings;
};

TEST_F(LookupCases, LoyaltyBalanceSumsThePointsOfTheTicketsConsumer) {
    const auto packet = packet_of(lookups.saldo_fidelidade("0001", "MESA 12"));
    EXPECT_EQ(field_names(packet), (std::vector<std::string>{"CDCLIENTE", "CDCONSUMIDOR",
                                                             "NMCONSUMIDOR", "VRSALDOCONS"}));
    ASSERT_EQ(packet.rows.size(), 1u);
    EXPECT_EQ(text_at(packet, 0, "NMCONSUMIDOR"), "ANA");
    EXPECT_DOUBLE_EQ(amount_at(packet, 0, "VRSALDOCONS"), 115.50);
}

TEST_F(LookupCases, LoyaltyBalanceMatchesTheTicketsDescriptionNotItsNumber) {
    const auto packet = packet_of(lookups.saldo_fidelidade("0001", "12"));
    EXPECT_EQ(packet.fields.size(), 4u);
    EXPECT_TRUE(packet.rows.empty());
}

TEST_F(LookupCases, TillOperatorIsTheOneOfTheShiftOpenedTodayAndNotClosed) {
    const auto open_today = packet_of(lookups.get_caixa("001", test_today, settings));
    EXPECT_EQ(field_names(open_today), (std::vector<std::string>{"CDOPERADOR", "NMOPERADOR"}));
    ASSERT_EQ(open_today.rows.size(), 1u);
    EXPECT_EQ(text_at(open_today, 0, "NMOPERADOR"), "MARIA");
    EXPECT_TRUE(packet_of(lookups.get_caixa("002", test_today, settings)).rows.empty())
        << "opened yesterday";
    EXPECT_TRUE(packet_of(lookups.get_caixa("003", test_today, settings)).rows.empty()) << "closed";
    EXPECT_EQ(packet_of(lookups.get_caixa("002", test_today - 1, settings)).rows.size(), 1u);
}

TEST_F(LookupCases, TillOperatorIsNotFoundWhenTheShortDateFormatDiffersFromTheDatabasesText) {
    settings.short_date_format = "yyyy-mm-dd";
    settings.date_separator = '-';
    EXPECT_TRUE(packet_of(lookups.get_caixa("001", test_today, settings)).rows.empty());
}

TEST_F(LookupCases, DiscountsMatchEveryTicketWhoseNumberOccursInTheTextPassed) {
    EXPECT_DOUBLE_EQ(lookups.get_desconto_fid("0001", "12"), 5.50);
    EXPECT_DOUBLE_EQ(lookups.get_desconto_fid("0001", "112"), 5.50) << "12 occurs in 112";
    EXPECT_DOUBLE_EQ(lookups.get_desc_cash4all("0001", "12"), 3.00);
    EXPECT_DOUBLE_EQ(lookups.get_desc_core_banc("0001", "12"), 5.50) << "4.00 + NULL + 1.50";
}

TEST_F(LookupCases, DiscountsAreZeroWithoutARowOrForANull) {
    EXPECT_EQ(lookups.get_desconto_fid("0001", "99"), 0.0);
    EXPECT_EQ(lookups.get_desconto_fid("0001", "7"), 0.0);
    EXPECT_EQ(lookups.get_desc_cash_uds("0001", "12"), 0.0);
    EXPECT_EQ(lookups.get_desc_core_banc("0001", "7"), 0.0);
    EXPECT_EQ(lookups.get_desc_core_banc("0003", "12"), 0.0);
}

TEST_F(LookupCases, ConsumerNameTypedForTheSeatWinsOverTheRegisteredOne) {
    EXPECT_EQ(lookups.get_nm_consumidor("1001", "12", "01"), "JOAO");
    EXPECT_EQ(lookups.get_nm_consumidor("1001", "12", "02"), "ANA");
    EXPECT_EQ(lookups.get_nm_consumidor("1001", "12", "03"), "");
}

TEST_F(LookupCases, ConsumerNameWithoutSeatMatchesTheNumberOrTheEndOfTheDescription) {
    EXPECT_EQ(lookups.get_nm_consumidor("1002", "7", ""), "PAULO");
    EXPECT_EQ(lookups.get_nm_consumidor("1003", "30", ""), "BALCONISTA");
    EXPECT_EQ(lookups.get_nm_consumidor("1003", "5", ""), "BALCONISTA") << "'BALCAO 5' ends in 5";
    EXPECT_EQ(lookups.get_nm_consumidor("1003", "3", ""), "");
    EXPECT_EQ(lookups.get_nm_consumidor("9999", "12", ""), "");
}

TEST_F(LookupCases, PaymentsOfSeatTAreThoseOfSeatTAndOfSeat00Only) {
    const auto packet = packet_of(lookups.get_mov_caixa_mob("0001", "1001", "T"));
    EXPECT_EQ(field_names(packet), (std::vector<std::string>{"NMTIPORECE", "VRMOV"}));
    std::map<std::string, double> by_type;
    for (std::size_t row = 0; row < packet.rows.size(); ++row)
        by_type[text_at(packet, row, "NMTIPORECE")] = amount_at(packet, row, "VRMOV");
    EXPECT_EQ(by_type, (std::map<std::string, double>{{"DINHEIRO", 15.25}, {"PIX", 25.00}}));
}

TEST_F(LookupCases, PaymentsOfASeatAddThoseOfSeat00) {
    const auto packet = packet_of(lookups.get_mov_caixa_mob("0001", "1001", "01"));
    std::map<std::string, double> by_type;
    for (std::size_t row = 0; row < packet.rows.size(); ++row)
        by_type[text_at(packet, row, "NMTIPORECE")] = amount_at(packet, row, "VRMOV");
    EXPECT_EQ(by_type, (std::map<std::string, double>{{"CARTAO", 40.00}, {"PIX", 25.00}}));
    EXPECT_TRUE(packet_of(lookups.get_mov_caixa_mob("0001", "2000", "T")).rows.empty());
}

TEST_F(LookupCases, FooterQueryOfTheTableBillReadsTheTillsText) {
    db::Query& query = lookups.text_parc_cont();
    query.set_param("P_CDFILIAL", "0001");
    query.set_param("P_CDCAIXA", "001");
    query.open();
    EXPECT_EQ(query.field_as_string("DSTXTRODAPEPARC"), "VOLTE SEMPRE");
}

TEST_F(LookupCases, ALookupLeavesItsQueryOpenAndRunsAgainWithNewValues) {
    EXPECT_DOUBLE_EQ(lookups.get_desconto_fid("0001", "12"), 5.50);
    EXPECT_EQ(lookups.get_desconto_fid("0001", "7"), 0.0);
    EXPECT_DOUBLE_EQ(lookups.get_desconto_fid("0001", "12"), 5.50);
}

}  // namespace tov::lookups::testing
