// The demo store: built on first use from the SQL the library carries, kept while current, and
// meaningful for the lookups of the demo documents.

#include "lookups/demo_store.hpp"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "lookups/sale_lookups.hpp"
#include "platform/dataset/packet_binary.hpp"
#include "platform/errors/errors.hpp"
#include "support/process.hpp"

namespace tov::lookups {
namespace {

namespace fs = std::filesystem;

class DemoStoreFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tov-demo-store-" + tov::test::process_id_text() + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
};

double local_today() {
    const std::tm local = tov::test::local_calendar(std::time(nullptr));
    std::tm midnight_utc{};
    midnight_utc.tm_year = local.tm_year;
    midnight_utc.tm_mon = local.tm_mon;
    midnight_utc.tm_mday = local.tm_mday;
    return static_cast<double>(tov::test::utc_moment(midnight_utc)) / 86400.0 + 25569.0;
}

TEST_F(DemoStoreFile, IsBuiltOnFirstUseAndKeptWhileCurrent) {
    const DemoStore store(folder / "cache" / "demo_store.db");
    const fs::path file = store.ensure();
    ASSERT_TRUE(fs::exists(file));
    const auto built = fs::last_write_time(file);
    EXPECT_EQ(store.ensure(), file);
    EXPECT_EQ(fs::last_write_time(file), built);
    EXPECT_EQ(store.connection_string(), "Provider=SQLite;Data Source=" + file.string());
}

TEST_F(DemoStoreFile, IsBuiltAgainWhenItsSqlChanges) {
    const std::string schema = DemoStore::embedded_sql().schema;
    DemoStore(folder / "demo.db", {schema, "INSERT INTO OPERADOR VALUES ('A', 'FIRST');"}).ensure();
    const DemoStore store(folder / "demo.db",
                          {schema, "INSERT INTO OPERADOR VALUES ('A', 'SECOND');"});
    db::Connection connection;
    connection.set_connection_string(store.connection_string());
    db::Query query("adqOperador", connection, db::SqlStorage("SELECT NMOPERADOR FROM OPERADOR"));
    query.open();
    EXPECT_EQ(query.field_as_string("NMOPERADOR"), "SECOND");
}

TEST_F(DemoStoreFile, BrokenSqlIsAnErrorAndLeavesNoFile) {
    fs::create_directories(folder);
    const DemoStore broken(folder / "demo.db",
                           {"CREATE TABLE X (A TEXT);", "INSERT INTO NOSUCH VALUES (1);"});
    EXPECT_THROW(broken.ensure(), DatabaseError);
    EXPECT_FALSE(fs::exists(folder / "demo.db"));
    EXPECT_TRUE(fs::is_empty(folder)) << "no half-built file left";
}

std::string file_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DemoStoreSql, TheLibraryCarriesTheExactBytesOfTheStoreFiles) {
    const fs::path store = fs::path(TOV_SOURCE_DIR) / "data" / "store";
    const DemoStoreSql embedded = DemoStore::embedded_sql();
    EXPECT_EQ(embedded.schema, file_text(store / "schema.sql"));
    EXPECT_EQ(embedded.rows, file_text(store / "demo_rows.sql"));
    EXPECT_NE(embedded.rows.find("\xE3"), std::string::npos)
        << "the Windows-1252 bytes of the rows";
}

TEST_F(DemoStoreFile, AnEmptyConnectionStringMeansTheDemoStore) {
    const DemoStore store(folder / "demo.db");
    EXPECT_EQ(connection_string_or_demo_store("DSN=store", store), "DSN=store");
    EXPECT_FALSE(fs::exists(folder / "demo.db"));
    EXPECT_EQ(connection_string_or_demo_store("", store), store.connection_string());
}

TEST_F(DemoStoreFile, AnswersEveryLookupOfTheDemo) {
    const DemoStore store(folder / "demo.db");
    db::Connection connection;
    connection.set_connection_string(store.connection_string());
    SaleLookups lookups(connection);
    const auto caixa = lookups.get_caixa("001", local_today(), format::FormatSettings{});
    ASSERT_TRUE(std::holds_alternative<std::string>(caixa));
    const auto till = dataset::read_binary_packet(std::get<std::string>(caixa));
    ASSERT_EQ(till.rows.size(), 1u);
    EXPECT_EQ(std::get<std::string>(till.rows[0].values[1]), "MARIA APARECIDA");
    const auto balance = dataset::read_binary_packet(
        std::get<std::string>(lookups.saldo_fidelidade("0001", "MESA 12")));
    ASSERT_EQ(balance.rows.size(), 1u);
    EXPECT_EQ(std::get<dataset::Bcd>(balance.rows[0].values[3]).to_long_double(), 115.5L);
    EXPECT_DOUBLE_EQ(lookups.get_desconto_fid("0001", "12"), 5.5);
    EXPECT_EQ(lookups.get_nm_consumidor("1001", "12", "01"), "Jo\xE3o");
    EXPECT_EQ(lookups.get_nm_consumidor("1001", "12", "02"), "ANA BEATRIZ SOUZA");
    const auto payments = dataset::read_binary_packet(
        std::get<std::string>(lookups.get_mov_caixa_mob("0001", "1001", "T")));
    EXPECT_EQ(payments.rows.size(), 1u) << "PIX of seat 00";
}

}  // namespace
}  // namespace tov::lookups
