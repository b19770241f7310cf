// The lookups against a real PostgreSQL server through ODBC, running the statements as stored
// over the compatibility functions. scripts/with-postgres starts the server and sets
// TOV_TEST_PG_CONNECTION; without it these tests skip.

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "lookup_cases.hpp"
#include "platform/db/provider.hpp"
#include "platform/errors/errors.hpp"

// The PostgreSQL ODBC driver keeps 336 bytes of a statement that failed on the server (seen
// with psqlODBC 13.02); the leak checker is told to leave that driver's allocations alone.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:psqlodbc\n";
}

namespace tov::lookups::testing {

namespace {

std::string server_connection_string() {
    const char* text = std::getenv("TOV_TEST_PG_CONNECTION");
    return text ? text : "";
}

}  // namespace

bool open_test_store(db::Connection& connection) {
    const std::string text = server_connection_string();
    if (text.empty()) return false;
    connection.set_connection_string(text);
    db::Driver& driver = connection.open();
    for (const auto& table : lookup_tables()) driver.execute("DELETE FROM " + table, {});
    run_all(driver, lookup_rows());
    return true;
}

namespace {

class PostgresServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (server_connection_string().empty()) GTEST_SKIP() << "TOV_TEST_PG_CONNECTION is not set";
        connection.set_connection_string(server_connection_string());
    }

    db::Connection connection;
};

TEST_F(PostgresServer, TheDialectComesFromTheDriver) {
    connection.open();
    EXPECT_EQ(connection.dialect(), db::Dialect::Postgres);
}

TEST_F(PostgresServer, TheConnectionStringIsAskedOnceAndTheSessionSetUpRunsOnce) {
    const std::string configured = connection.connection_string();
    connection.set_connection_string("");
    int asked = 0, set_up = 0;
    connection.set_before_connect([&](db::Connection& which) {
        ++asked;
        which.set_connection_string(configured);
    });
    connection.set_after_connect([&](db::Connection&) { ++set_up; });
    SaleLookups lookups(connection);
    lookups.get_desconto_fid("0001", "12");
    lookups.get_nm_consumidor("1001", "12", "");
    lookups.get_mov_caixa_mob("0001", "1001", "T");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(set_up, 1);
}

TEST_F(PostgresServer, AServerThatDoesNotAnswerGivesTheFailurePaths) {
    connection.set_connection_string(
        std::regex_replace(server_connection_string(), std::regex("Port=[0-9]+"), "Port=1"));
    SaleLookups lookups(connection);
    EXPECT_EQ(lookups.get_desconto_fid("0001", "12"), 0.0);
    EXPECT_EQ(lookups.get_nm_consumidor("1001", "12", "01"), "");
    const auto result = lookups.saldo_fidelidade("0001", "MESA 12");
    ASSERT_TRUE(std::holds_alternative<ErrorText>(result));
    EXPECT_NE(std::get<ErrorText>(result).text.find("[08001]"), std::string::npos)
        << std::get<ErrorText>(result).text;
    EXPECT_FALSE(connection.connected());
}

TEST_F(PostgresServer, ABrokenStatementFailsWithItsSqlState) {
    db::Query query("adqBroken", connection, db::SqlStorage("SELEC CDCAIXA FROM CAIXA"));
    try {
        query.open();
        FAIL() << "the statement ran";
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("adqBroken"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("[42601]"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(query.active());
    EXPECT_TRUE(connection.connected()) << "the connection stays open";
}

TEST_F(PostgresServer, ColumnsAreDescribedByKindAndBecomeTheirPacketTypes) {
    db::Query query(
        "adqTypes", connection,
        db::SqlStorage(
            "SELECT CAST(:A AS NUMERIC(15,2)) AS VRDEC, CAST(2.5 AS DOUBLE PRECISION) AS VRFLT,"
            " CAST(3 AS INTEGER) AS QTINT, CAST('2024-03-05 10:15:30' AS TIMESTAMP) AS DTHR,"
            " CAST('abc' AS VARCHAR(7)) AS NMTXT, '10:30' || :A::text AS NMCAST"));
    query.set_param("A", "-1234.5");
    query.open();
    const auto packet = dataset::read_binary_packet(db::provide_packet(query));
    ASSERT_EQ(packet.fields.size(), 6u);
    EXPECT_EQ(packet.fields[0].type(), dataset::TypeCode::Bcd);
    EXPECT_EQ(packet.fields[0].width(), 15);
    EXPECT_EQ(packet.fields[0].decimals(), 2);
    EXPECT_EQ(packet.fields[1].type(), dataset::TypeCode::Float);
    EXPECT_EQ(packet.fields[2].type(), dataset::TypeCode::Int);
    EXPECT_EQ(packet.fields[3].type(), dataset::TypeCode::Timestamp);
    EXPECT_EQ(packet.fields[4].type(), dataset::TypeCode::ZString);
    EXPECT_EQ(packet.fields[4].width(), 7);
    const auto& row = packet.rows.at(0).values;
    EXPECT_EQ(std::get<dataset::Bcd>(row[0]).to_long_double(), -1234.5L);
    EXPECT_EQ(std::get<double>(row[1]), 2.5);
    EXPECT_EQ(std::get<int64_t>(row[2]), 3);
    EXPECT_EQ(std::get<dataset::Timestamp>(row[3]).ms,
              (45356.0 + dataset::date_delta) * dataset::ms_per_day + 36930000.0);
    EXPECT_EQ(std::get<std::string>(row[4]), "abc");
    EXPECT_EQ(std::get<std::string>(row[5]), "10:30-1234.5");
}

TEST_F(PostgresServer, ADecimalWithoutADeclaredScaleKeepsEveryValue) {
    db::Query query("adqNumeric", connection,
                    db::SqlStorage("SELECT VRNUM FROM (VALUES (CAST(5.5 AS NUMERIC)), (CAST(1.25 "
                                   "AS NUMERIC))) AS V (VRNUM)"));
    query.open();
    const auto packet = dataset::read_binary_packet(db::provide_packet(query));
    EXPECT_EQ(packet.fields.at(0).type(), dataset::TypeCode::Bcd);
    EXPECT_EQ(packet.fields[0].decimals(), 2)
        << "the driver reports the most decimals of the result";
    EXPECT_EQ(std::get<dataset::Bcd>(packet.rows.at(0).values[0]).to_string(), "5.50");
    EXPECT_EQ(std::get<dataset::Bcd>(packet.rows.at(1).values[0]).to_string(), "1.25");
}

TEST_F(PostgresServer, ALongValueIsReadWhole) {
    db::Query query(
        "adqLong", connection,
        db::SqlStorage("SELECT repeat('ab', 1500) AS NMLONG, CAST(NULL AS TEXT) AS NMNULL"));
    query.open();
    std::string expected;
    for (int i = 0; i < 1500; ++i) expected += "ab";
    EXPECT_EQ(query.field_as_string("NMLONG"), expected);
    EXPECT_FALSE(query.field("NMNULL").has_value());
}

}  // namespace

}  // namespace tov::lookups::testing
