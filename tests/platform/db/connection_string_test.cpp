#include "platform/db/connection_string.hpp"

#include <gtest/gtest.h>

#include "platform/errors/errors.hpp"

namespace tov::db {
namespace {

const OdbcDriverNames drivers{"SQLSRV", "ORA"};

TEST(ConnectionStringParsing, QuotedValuesKeepSemicolonsAndLoseTheirQuotes) {
    const auto pairs = parse_connection_string(
        " Provider = SQLOLEDB.1 ;Password=\"a;b\"\"c\";User ID='x''y';Driver={P {q}}; w};Empty=;");
    ASSERT_EQ(pairs.size(), 5u);
    EXPECT_EQ(pairs[0], (std::pair<std::string, std::string>{"Provider", "SQLOLEDB.1"}));
    EXPECT_EQ(pairs[1].second, "a;b\"c");
    EXPECT_EQ(pairs[2].second, "x'y");
    EXPECT_EQ(pairs[3].second, "P {q}; w");
    EXPECT_EQ(pairs[4].second, "");
    EXPECT_EQ(connection_value(pairs, "user id"), "x'y");
    EXPECT_EQ(connection_value(pairs, "Absent"), "");
}

TEST(ConnectionStringParsing, MalformedStringsAreErrors) {
    EXPECT_THROW(parse_connection_string("Provider=SQLOLEDB;junk"), DatabaseError);
    EXPECT_THROW(parse_connection_string("Password=\"open"), DatabaseError);
    EXPECT_THROW(parse_connection_string("=value"), DatabaseError);
    EXPECT_THROW(parse_connection_string("Password=\"a\"b"), DatabaseError);
}

TEST(ConnectionStringResolution, SqliteNamesItsFile) {
    const auto target =
        resolve_connection_string("Provider=SQLite;Data Source=/tmp/store.db", drivers);
    EXPECT_EQ(target.kind, ConnectionTarget::Kind::Sqlite);
    EXPECT_EQ(target.sqlite_path, "/tmp/store.db");
    EXPECT_THROW(resolve_connection_string("Provider=SQLite", drivers), DatabaseError);
}

TEST(ConnectionStringResolution, OdbcStringsAreTakenAsTheyAre) {
    const std::string text = "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=5432";
    EXPECT_EQ(resolve_connection_string(text, drivers).odbc, text);
    EXPECT_EQ(resolve_connection_string("DSN=store;UID=a", drivers).odbc, "DSN=store;UID=a");
    EXPECT_EQ(resolve_connection_string("Provider=MSDASQL.1;DSN=store", drivers).odbc, "DSN=store");
}

TEST(ConnectionStringResolution, SqlServerAdoStringsBecomeOdbc) {
    EXPECT_EQ(resolve_connection_string(
                  "Provider=SQLOLEDB.1;Password=s;Persist Security Info=True;User ID=sa;"
                  "Initial Catalog=LOJA;Data Source=SRV\\SQL2019",
                  drivers)
                  .odbc,
              "Driver=SQLSRV;Server=SRV\\SQL2019;Database=LOJA;Uid=sa;Pwd=s");
    EXPECT_EQ(resolve_connection_string("Provider=SQLNCLI11;Data Source=srv;Initial Catalog=db;"
                                        "Integrated Security=SSPI",
                                        drivers)
                  .odbc,
              "Driver=SQLSRV;Server=srv;Database=db;Trusted_Connection=yes");
    EXPECT_THROW(resolve_connection_string(
                     "Provider=MSOLEDBSQL;Data Source=srv;User ID=u;Password=p;w", drivers),
                 DatabaseError);
    EXPECT_EQ(resolve_connection_string(
                  "Provider=MSOLEDBSQL;Data Source=srv;User ID=u;Password='p;w'", drivers)
                  .odbc,
              "Driver=SQLSRV;Server=srv;Uid=u;Pwd={p;w}");
}

TEST(ConnectionStringResolution, OracleAdoStringsBecomeOdbc) {
    EXPECT_EQ(resolve_connection_string(
                  "Provider=MSDAORA.1;Password=p;User ID=loja;Data Source=ORCL", drivers)
                  .odbc,
              "Driver=ORA;Dbq=ORCL;Uid=loja;Pwd=p");
    EXPECT_EQ(resolve_connection_string(
                  "Provider=OraOLEDB.Oracle.1;Data Source=//h:1521/x;User ID=u", drivers)
                  .odbc,
              "Driver=ORA;Dbq=//h:1521/x;Uid=u");
}

TEST(ConnectionStringResolution, EmptyAndUnknownProvidersAreErrors) {
    EXPECT_THROW(resolve_connection_string("  ", drivers), DatabaseError);
    EXPECT_THROW(
        resolve_connection_string("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb", drivers),
        DatabaseError);
    EXPECT_THROW(resolve_connection_string("Data Source=x", drivers), DatabaseError);
}

}  // namespace
}  // namespace tov::db
