// The lookups against the embedded store (SQLite, in memory), and their failure paths.

#include <gtest/gtest.h>

#include "lookup_cases.hpp"
#include "platform/db/sqlite_driver.hpp"
#include "platform/errors/errors.hpp"

namespace tov::lookups::testing {

bool open_test_store(db::Connection& connection) {
    connection.set_connection_string("Provider=SQLite;Data Source=:memory:");
    db::Driver& driver = connection.open();
    run_all(driver, sql_statements(store_file("schema.sql")));
    run_all(driver, lookup_rows());
    return true;
}

namespace {

TEST(SqliteLookupFailures, AStoreWithoutTheTablesGivesZeroEmptyTextAndTheErrorText) {
    db::Connection connection;
    connection.set_connection_string("Provider=SQLite;Data Source=:memory:");
    std::string seen_error;
    SaleLookups lookups(connection, [&](const std::exception& error, db::Connection& which) {
        seen_error = error.what();
        EXPECT_EQ(&which, &connection);
        return std::string("host says: failed");
    });
    EXPECT_EQ(lookups.get_desconto_fid("0001", "12"), 0.0);
    EXPECT_EQ(lookups.get_desc_cash4all("0001", "12"), 0.0);
    EXPECT_EQ(lookups.get_desc_cash_uds("0001", "12"), 0.0);
    EXPECT_EQ(lookups.get_desc_core_banc("0001", "12"), 0.0);
    EXPECT_EQ(lookups.get_nm_consumidor("1001", "12", ""), "");
    EXPECT_EQ(lookups.get_nm_consumidor("1001", "12", "01"), "");
    const format::FormatSettings settings;
    EXPECT_EQ(lookups.saldo_fidelidade("0001", "MESA 12"),
              LookupPacket(ErrorText{"host says: failed"}));
    EXPECT_NE(seen_error.find("adqSaldoCons"), std::string::npos) << seen_error;
    EXPECT_NE(seen_error.find("no such table"), std::string::npos) << seen_error;
    EXPECT_EQ(lookups.get_caixa("001", test_today, settings),
              LookupPacket(ErrorText{"host says: failed"}));
    EXPECT_EQ(lookups.get_mov_caixa_mob("0001", "1001", "T"),
              LookupPacket(ErrorText{"host says: failed"}));
}

TEST(SqliteLookupFailures, AStoreThatCannotBeOpenedGivesTheErrorOfTheConnection) {
    db::Connection connection;
    connection.set_connection_string("Provider=SQLite;Data Source=/nonexistent/folder/store.db");
    SaleLookups lookups(connection);
    const auto result = lookups.get_mov_caixa_mob("0001", "1001", "T");
    ASSERT_TRUE(std::holds_alternative<ErrorText>(result));
    EXPECT_NE(std::get<ErrorText>(result).text.find("/nonexistent/folder/store.db"),
              std::string::npos);
    EXPECT_FALSE(connection.connected());
}

TEST(SqliteLookupFailures, ADateOutsideTheCalendarGivesTheErrorTextAndNoQuery) {
    db::Connection connection;
    int connects = 0;
    connection.set_before_connect([&](db::Connection&) { ++connects; });
    SaleLookups lookups(connection);
    const auto result = lookups.get_caixa("001", 1e12, format::FormatSettings{});
    ASSERT_TRUE(std::holds_alternative<ErrorText>(result));
    EXPECT_EQ(connects, 0);
}

TEST(SqliteLookupConnection, TheConnectionStringIsAskedOnceAndTheSessionSetUpRunsOnce) {
    db::Connection connection;
    int asked = 0, set_up = 0;
    connection.set_before_connect([&](db::Connection& which) {
        ++asked;
        which.set_connection_string("Provider=SQLite;Data Source=:memory:");
    });
    connection.set_after_connect([&](db::Connection& which) {
        ++set_up;
        run_all(which.open(), sql_statements(store_file("schema.sql")));
        run_all(which.open(), lookup_rows());
    });
    SaleLookups lookups(connection);
    EXPECT_DOUBLE_EQ(lookups.get_desconto_fid("0001", "12"), 5.50);
    EXPECT_EQ(lookups.get_nm_consumidor("1001", "12", "01"), "JOAO");
    EXPECT_TRUE(
        std::holds_alternative<std::string>(lookups.get_mov_caixa_mob("0001", "1001", "T")));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(set_up, 1);
    EXPECT_TRUE(connection.connected());
}

}  // namespace

}  // namespace tov::lookups::testing
