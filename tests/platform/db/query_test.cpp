// Queries, the provider and the connection over the embedded driver (SQLite in memory).

#include "platform/db/query.hpp"

#include <gtest/gtest.h>

#include "platform/dataset/packet_binary.hpp"
#include "platform/db/provider.hpp"
#include "platform/errors/errors.hpp"

namespace tov::db {
namespace {

class SqliteQuery : public ::testing::Test {
protected:
    void SetUp() override {
        connection.set_connection_string("Provider=SQLite;Data Source=:memory:");
        Driver& driver = connection.open();
        driver.execute(
            "CREATE TABLE T (NMTXT VARCHAR(5), VRDEC NUMERIC(15,2), VRFLT REAL, QTINT INTEGER,"
            " QTBIG BIGINT, DTHR TIMESTAMP)",
            {});
        driver.execute(
            "INSERT INTO T VALUES ('abc', 9.9, 2.5, 3, 5000000000, '2024-03-05 18:00:00'),"
            " ('longer text', 1000, NULL, NULL, NULL, NULL)",
            {});
    }

    dataset::Packet packet_of(Query& query) {
        return dataset::read_binary_packet(provide_packet(query));
    }

    Connection connection;
};

TEST_F(SqliteQuery, ParametersAreBoundByNameAtEveryOccurrenceAndStartAsNull) {
    Query query("adqTest", connection,
                SqlStorage("SELECT :A || '-' || :B || '-' || :a AS X, :C IS NULL AS Y"));
    EXPECT_EQ(query.parameter_names(), (std::vector<std::string>{"A", "B", "C"}));
    query.set_param("a", "1");
    query.set_param("B", "2");
    query.open();
    EXPECT_EQ(query.field_as_string("X"), "1-2-1");
    EXPECT_EQ(query.field_as_double("Y"), 1.0);
    EXPECT_THROW(query.set_param("D", "x"), DatabaseError);
}

TEST_F(SqliteQuery, ValuesAreBoundNeverPastedIntoTheStatement) {
    Query query("adqTest", connection, SqlStorage("SELECT COUNT(*) AS N FROM T WHERE NMTXT = :P"));
    query.set_param("P", "x' OR '1'='1");
    query.open();
    EXPECT_EQ(query.field_as_double("N"), 0.0);
}

TEST_F(SqliteQuery, TheVariantOfTheConnectionsDialectRuns) {
    Query query("adqTest", connection,
                SqlStorage("SELECT 'as written' AS X")
                    .with(Dialect::Oracle, "SELECT 'oracle' AS X")
                    .with(Dialect::Sqlite, "SELECT 'sqlite' AS X"));
    query.open();
    EXPECT_EQ(query.field_as_string("X"), "sqlite");
}

TEST_F(SqliteQuery, RowsAreReadInOrderAndAnEmptyResultReadsAsNull) {
    Query query("adqTest", connection,
                SqlStorage("SELECT NMTXT, VRFLT FROM T WHERE QTINT IS NOT NULL OR :ALL = '1'"));
    query.set_param("ALL", "1");
    query.open();
    EXPECT_EQ(query.field_as_string("nmtxt"), "abc");
    query.next();
    EXPECT_EQ(query.field_as_string("NMTXT"), "longer text");
    EXPECT_EQ(query.field_as_double("VRFLT"), 0.0) << "NULL";
    query.next();
    EXPECT_TRUE(query.eof());
    query.close();
    query.set_param("ALL", "0");
    query.open();
    EXPECT_EQ(query.rows().size(), 1u);
    EXPECT_THROW(query.field("NOSUCH"), FieldNotFound);
    Query empty("adqEmpty", connection, SqlStorage("SELECT VRFLT, NMTXT FROM T WHERE 1 = 0"));
    empty.open();
    EXPECT_EQ(empty.field_as_double("VRFLT"), 0.0);
    EXPECT_EQ(empty.field_as_string("NMTXT"), "");
}

TEST_F(SqliteQuery, AFailureNamesTheQueryAndLeavesItClosed) {
    Query query("adqBroken", connection, SqlStorage("SELEC 1"));
    try {
        query.open();
        FAIL();
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("adqBroken"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("syntax error"), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(query.active());
    EXPECT_THROW(query.field("X"), DatabaseError);
    EXPECT_THROW(provide_packet(query), DatabaseError);
}

TEST_F(SqliteQuery, CharindexIsTheOneOfSqlServer) {
    Query query("adqTest", connection,
                SqlStorage("SELECT CHARINDEX('12', '112') AS A, CHARINDEX('', 'abc') AS B, "
                           "CHARINDEX('x', 'abc') AS C,"
                           " CHARINDEX(NULL, 'abc') IS NULL AS D"));
    query.open();
    EXPECT_EQ(query.field_as_double("A"), 2.0);
    EXPECT_EQ(query.field_as_double("B"), 0.0);
    EXPECT_EQ(query.field_as_double("C"), 0.0);
    EXPECT_EQ(query.field_as_double("D"), 1.0);
}

TEST_F(SqliteQuery, TheProviderTypesTheFieldsAsTheColumnsAreDeclared) {
    Query query("adqTest", connection, SqlStorage("SELECT * FROM T"));
    query.open();
    const auto packet = packet_of(query);
    ASSERT_EQ(packet.fields.size(), 6u);
    EXPECT_EQ(packet.fields[0].type(), dataset::TypeCode::ZString);
    EXPECT_EQ(packet.fields[0].width(), 11) << "the longest value is wider than declared";
    EXPECT_EQ(packet.fields[1].type(), dataset::TypeCode::Bcd);
    EXPECT_EQ(packet.fields[1].width(), 15);
    EXPECT_EQ(packet.fields[1].decimals(), 2);
    EXPECT_EQ(packet.fields[2].type(), dataset::TypeCode::Float);
    EXPECT_EQ(packet.fields[3].type(), dataset::TypeCode::Int);
    EXPECT_EQ(packet.fields[3].size(), 4);
    EXPECT_EQ(packet.fields[4].size(), 8);
    EXPECT_EQ(packet.fields[5].type(), dataset::TypeCode::Timestamp);
    ASSERT_EQ(packet.rows.size(), 2u);
    const auto& first = packet.rows[0].values;
    EXPECT_EQ(std::get<std::string>(first[0]), "abc");
    EXPECT_EQ(std::get<dataset::Bcd>(first[1]), dataset::Bcd::from_string("9.90"));
    EXPECT_EQ(std::get<double>(first[2]), 2.5);
    EXPECT_EQ(std::get<int64_t>(first[3]), 3);
    EXPECT_EQ(std::get<int64_t>(first[4]), 5000000000);
    EXPECT_EQ(std::get<dataset::Timestamp>(first[5]).ms,
              (45356.75 + dataset::date_delta) * dataset::ms_per_day);
    const auto& second = packet.rows[1].values;
    EXPECT_EQ(std::get<dataset::Bcd>(second[1]), dataset::Bcd::from_string("1000.00"));
    for (std::size_t column = 2; column < 6; ++column)
        EXPECT_TRUE(std::holds_alternative<dataset::Null>(second[column])) << column;
}

// SQLite keeps what a NUMERIC column holds as an integer or a double; only a declared scale
// rounds it, as the database the statements were written for stores it.
TEST_F(SqliteQuery, ADecimalWithoutADeclaredScaleKeepsEveryStoredValue) {
    Driver& driver = connection.open();
    driver.execute("CREATE TABLE N (VRNUM NUMERIC, VRDEC DECIMAL, VRPREC NUMERIC(10), VRMNY MONEY)",
                   {});
    driver.execute(
        "INSERT INTO N VALUES (5.5, 1.25, 5.5, 0.1), (1.25, 9007199254740993, -0.05, 12)", {});
    Query query("adqTest", connection, SqlStorage("SELECT * FROM N"));
    query.open();
    EXPECT_EQ(query.field_as_string("VRNUM"), "5.5");
    EXPECT_EQ(query.field_as_string("VRDEC"), "1.25");
    EXPECT_EQ(query.field_as_string("VRPREC"), "5.5");
    EXPECT_EQ(query.field_as_string("VRMNY"), "0.1");
    query.next();
    EXPECT_EQ(query.field_as_string("VRDEC"), "9007199254740993")
        << "an integer is not read as a double";
    const auto packet = packet_of(query);
    const auto bcd = [&](std::size_t row, std::size_t field) {
        return std::get<dataset::Bcd>(packet.rows.at(row).values.at(field)).to_string();
    };
    EXPECT_EQ(bcd(0, 0), "5.50");
    EXPECT_EQ(bcd(1, 0), "1.25");
    EXPECT_EQ(bcd(0, 1), "1.25");
    EXPECT_EQ(bcd(1, 1), "9007199254740993.00");
    EXPECT_EQ(bcd(1, 2), "-0.05");
    EXPECT_EQ(bcd(1, 3), "12.0");
    // Each field is as wide as its values: the most digits before the point and after it.
    EXPECT_EQ(packet.fields[0].type(), dataset::TypeCode::Bcd);
    EXPECT_EQ(packet.fields[0].width(), 3);
    EXPECT_EQ(packet.fields[0].decimals(), 2);
    EXPECT_EQ(packet.fields[1].width(), 18);
    EXPECT_EQ(packet.fields[1].decimals(), 2);
    EXPECT_EQ(packet.fields[3].width(), 3);
    EXPECT_EQ(packet.fields[3].decimals(), 1);
}

TEST_F(SqliteQuery, ADeclaredScaleRoundsToItsDecimals) {
    Driver& driver = connection.open();
    driver.execute("CREATE TABLE D (VRDEC DECIMAL(18,2), VRWHOLE NUMERIC(18, 0))", {});
    driver.execute("INSERT INTO D VALUES (1.257, 5.7), (9007199254740993, 9007199254740993)", {});
    Query query("adqTest", connection, SqlStorage("SELECT * FROM D"));
    query.open();
    EXPECT_EQ(query.field_as_string("VRDEC"), "1.26");
    EXPECT_EQ(query.field_as_string("VRWHOLE"), "6");
    const auto packet = packet_of(query);
    EXPECT_EQ(packet.fields[0].width(), 18);
    EXPECT_EQ(packet.fields[0].decimals(), 2);
    EXPECT_EQ(packet.fields[1].width(), 18);
    EXPECT_EQ(packet.fields[1].decimals(), 0);
    EXPECT_EQ(std::get<dataset::Bcd>(packet.rows[1].values[0]).to_string(), "9007199254740993.00");
    EXPECT_EQ(std::get<dataset::Bcd>(packet.rows[1].values[1]).to_string(), "9007199254740993");
}

TEST_F(SqliteQuery, ADecimalTooLongForABcdWithoutADeclaredScaleIsFloatingPoint) {
    Driver& driver = connection.open();
    driver.execute("CREATE TABLE F (VRNUM NUMERIC)", {});
    driver.execute("INSERT INTO F VALUES (1e-40), (2.5e300), (0.1)", {});
    Query query("adqTest", connection, SqlStorage("SELECT VRNUM FROM F"));
    query.open();
    const auto packet = packet_of(query);
    EXPECT_EQ(packet.fields[0].type(), dataset::TypeCode::Float);
    EXPECT_EQ(std::get<double>(packet.rows[0].values[0]), 1e-40);
    EXPECT_EQ(std::get<double>(packet.rows[1].values[0]), 2.5e300);
    EXPECT_EQ(std::get<double>(packet.rows[2].values[0]), 0.1);
    // An integer past 2^53 is no double: the field stays a BCD and the long value is an error.
    driver.execute("INSERT INTO F VALUES (9007199254740993)", {});
    query.open();
    try {
        provide_packet(query);
        FAIL() << "a value was changed";
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("row 1, field VRNUM"), std::string::npos)
            << error.what();
    }
}

TEST_F(SqliteQuery, WithEnableBcdOffDecimalsAreFloatingPoint) {
    Query query("adqTest", connection, SqlStorage("SELECT VRDEC FROM T"), false);
    query.open();
    const auto packet = packet_of(query);
    EXPECT_EQ(packet.fields[0].type(), dataset::TypeCode::Float);
    EXPECT_EQ(std::get<double>(packet.rows[0].values[0]), 9.9);
}

TEST_F(SqliteQuery, AnExpressionIsTextUnlessTheVariantDeclaresIt) {
    const std::string sql = "SELECT SUM(VRDEC) AS VRSUM, MAX(NMTXT) AS NMMAX FROM T";
    Query plain("adqPlain", connection, SqlStorage(sql));
    plain.open();
    EXPECT_EQ(packet_of(plain).fields[0].type(), dataset::TypeCode::ZString);
    Query declared("adqDeclared", connection,
                   SqlStorage(sql).with(Dialect::Sqlite, sql,
                                        {Column{"VRSUM", ColumnKind::Decimal, 0, 32, 2}}));
    declared.open();
    const auto packet = packet_of(declared);
    EXPECT_EQ(packet.fields[0].type(), dataset::TypeCode::Bcd);
    EXPECT_EQ(packet.fields[0].width(), 32);
    EXPECT_EQ(std::get<dataset::Bcd>(packet.rows[0].values[0]),
              dataset::Bcd::from_string("1009.90"));
    EXPECT_EQ(packet.fields[1].type(), dataset::TypeCode::ZString);
}

TEST_F(SqliteQuery, AValueThatDoesNotFitItsColumnNamesRowAndField) {
    connection.open().execute("INSERT INTO T (NMTXT, QTINT) VALUES ('bad', 'abc')", {});
    Query query("adqTest", connection, SqlStorage("SELECT NMTXT, QTINT FROM T"));
    query.open();
    try {
        provide_packet(query);
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("row 3, field QTINT"), std::string::npos)
            << error.what();
    }
}

// A driver that answers every statement with no columns, counting how often it was opened.
class CountingDriver final : public Driver {
public:
    class NoRows final : public Statement {
    public:
        const std::vector<Column>& columns() const override { return columns_; }
        bool fetch(CellRow&) override { return false; }

    private:
        std::vector<Column> columns_;
    };
    Dialect dialect() const override { return Dialect::SqlServer; }
    std::unique_ptr<Statement> execute(const std::string&, const std::vector<Cell>&) override {
        return std::make_unique<NoRows>();
    }
};

TEST(ConnectionEvents, BeforeConnectSetsTheStringTheDriverOpensWithAndAfterConnectFollows) {
    std::vector<std::string> events;
    Connection connection([&](const std::string& text) {
        events.push_back("driver " + text);
        return std::make_unique<CountingDriver>();
    });
    connection.set_before_connect([&](Connection& which) {
        events.push_back("before");
        which.set_connection_string("DSN=store");
    });
    connection.set_after_connect([&](Connection& which) {
        events.push_back("after");
        EXPECT_TRUE(which.connected());
    });
    Query first("adqA", connection, SqlStorage("SELECT 1"));
    Query second("adqB", connection, SqlStorage("SELECT 2"));
    first.open();
    second.open();
    first.open();
    EXPECT_EQ(events, (std::vector<std::string>{"before", "driver DSN=store", "after"}));
    EXPECT_THROW(connection.set_connection_string("DSN=other"), DatabaseError);
    EXPECT_EQ(connection.dialect(), Dialect::SqlServer);
}

TEST(ConnectionEvents, AFailingEventLeavesTheConnectionClosedAndTheNextOpeningTriesAgain) {
    int before = 0;
    bool fail_after = true;
    Connection connection([](const std::string&) { return std::make_unique<CountingDriver>(); });
    connection.set_before_connect([&](Connection&) { ++before; });
    connection.set_after_connect([&](Connection&) {
        if (fail_after) throw BackendError("session set-up failed");
    });
    Query query("adqA", connection, SqlStorage("SELECT 1"));
    try {
        query.open();
        FAIL();
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("session set-up failed"), std::string::npos);
    }
    EXPECT_FALSE(connection.connected());
    EXPECT_THROW(connection.dialect(), DatabaseError);
    fail_after = false;
    query.open();
    EXPECT_EQ(before, 2);
    EXPECT_TRUE(connection.connected());
}

TEST(ConnectionEvents, AnEmptyConnectionStringIsAnError) {
    Connection connection;
    Query query("adqA", connection, SqlStorage("SELECT 1"));
    EXPECT_THROW(query.open(), DatabaseError);
    EXPECT_FALSE(connection.connected());
}

}  // namespace
}  // namespace tov::db
