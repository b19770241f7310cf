// The sale lookups through the C exports, as a host calls them: against an SQLite store made
// here, reached through the host's connection string. The package state lives for the whole
// process, so the host is registered once for every test and the connection, once open, stays.

#include <gtest/gtest.h>

#include <algorithm>
#include <barrier>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "lookups/lookup_rows.hpp"
#include "platform/dataset/packet_binary.hpp"
#include "platform/db/sqlite_driver.hpp"
#include "support/process.hpp"
#include "tov00000/tov00000.h"
#include "tov00000/tov00000.hpp"

namespace {

namespace fs = std::filesystem;
using tov::lookups::testing::lookup_rows;
using tov::lookups::testing::run_all;
using tov::lookups::testing::sql_statements;
using tov::lookups::testing::store_file;
using tov::lookups::testing::test_today;

// The host: hands out the store's connection string and counts what the package asks of it.
struct CountingHost {
    std::string connection_string;
    int connection_string_asked = 0;
    std::vector<void*> sessions;

    static CountingHost& of(void* ctx) { return *static_cast<CountingHost*>(ctx); }

    tov_host table() {
        tov_host host{};
        host.struct_size = sizeof(tov_host);
        host.ctx = this;
        host.GetStringConexPld = [](void* ctx, const char* arg, char* out, size_t capacity) {
            CountingHost& self = of(ctx);
            ++self.connection_string_asked;
            EXPECT_STREQ(arg, "");
            self.connection_string.copy(out, capacity - 1);
            out[std::min(self.connection_string.size(), capacity - 1)] = '\0';
        };
        host.SetADODBSession = [](void* ctx, void* connection) {
            of(ctx).sessions.push_back(connection);
        };
        host.ADOExceptionMessage = [](void*, const char* error, void* connection, const char* text,
                                      char* out, size_t capacity) {
            EXPECT_NE(connection, nullptr);
            EXPECT_STREQ(text, "");
            std::snprintf(out, capacity, "host: %s", error);
        };
        host.Now = [](void*) { return test_today; };
        return host;
    }
};

fs::path store_file_path() {
    return fs::temp_directory_path() / ("tov_lookup_exports_" + tov::test::process_id_text()) /
           "store.db";
}

// The store file and the registered host, made on first use and kept for the process.
class TestStore {
public:
    TestStore() {
        folder_ =
            fs::temp_directory_path() / ("tov_lookup_exports_" + tov::test::process_id_text());
        fs::create_directories(folder_);
        const fs::path file = folder_ / "store.db";
        host.connection_string = "Provider=SQLite;Data Source=" + file.string();
        const auto builder = tov::db::open_sqlite(file.string(), true);
        run_all(*builder, sql_statements(store_file("schema.sql")));
        run_all(*builder, lookup_rows());
        const tov_host table = host.table();
        EXPECT_EQ(Tov_SetHost(&table), TOV_OK);
    }
    ~TestStore() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    TestStore(const TestStore&) = delete;
    TestStore& operator=(const TestStore&) = delete;

    CountingHost host;

private:
    fs::path folder_;
};

TestStore& store() {
    static TestStore instance;
    return instance;
}

class LookupExports : public ::testing::Test {
protected:
    void SetUp() override { store(); }
};

tov::dataset::Packet packet_of(const tov_variant& result) {
    EXPECT_EQ(result.type, TOV_VT_BYTES);
    return tov::dataset::read_binary_packet(
        std::string_view(static_cast<const char*>(result.data), result.size));
}

std::string text_of(const tov_variant& result) {
    EXPECT_EQ(result.type, TOV_VT_TEXT);
    return std::string(static_cast<const char*>(result.data), result.size);
}

// Runs first in file order, so in a process of its own or the whole program alike no print
// function has run before it.
TEST_F(LookupExports, ALookupBeforeAnyPrintCreatesTheDataModule) {
    const void* before = nullptr;
    ASSERT_EQ(Tov00000_dtmGeral(&before), TOV_OK);
    ASSERT_EQ(before, nullptr);
    double discount = -1;
    ASSERT_EQ(Tov00000_getDescontoFid("0001", "12", &discount), TOV_OK);
    EXPECT_EQ(discount, 5.50);
    const void* after = nullptr;
    ASSERT_EQ(Tov00000_dtmGeral(&after), TOV_OK);
    EXPECT_NE(after, nullptr);
}

TEST_F(LookupExports, TheConnectionStringIsAskedAndTheSessionSetUpOnceForManyLookups) {
    double discount = 0;
    char name[64];
    tov_variant result{};
    ASSERT_EQ(Tov00000_getDescCash4All("0001", "12", &discount), TOV_OK);
    ASSERT_EQ(Tov00000_getNMCONSUMIDOR("1001", "12", "01", name, sizeof name), TOV_OK);
    ASSERT_EQ(Tov00000_getMovCaixaMob("0001", "1001", "T", &result), TOV_OK);
    ASSERT_EQ(Tov00000_GetCaixa("001", &result), TOV_OK);
    EXPECT_EQ(store().host.connection_string_asked, 1);
    ASSERT_EQ(store().host.sessions.size(), 1u);
    EXPECT_NE(store().host.sessions[0], nullptr);
}

TEST_F(LookupExports, DiscountsAndNameComeFromTheFirstMatchingRow) {
    double value = -1;
    ASSERT_EQ(Tov00000_getDescCash4All("0001", "12", &value), TOV_OK);
    EXPECT_EQ(value, 3.00);
    ASSERT_EQ(Tov00000_getDescCashUds("0001", "12", &value), TOV_OK);
    EXPECT_EQ(value, 0.0) << "NULL reads as 0";
    ASSERT_EQ(Tov00000_getDescCoreBanc("0001", "112", &value), TOV_OK);
    EXPECT_EQ(value, 5.50) << "ticket 12 occurs in 112; a NULL part counts as 0";
    ASSERT_EQ(Tov00000_getDescontoFid("0001", "99", nullptr), TOV_OK);

    char name[16] = "unchanged";
    ASSERT_EQ(Tov00000_getNMCONSUMIDOR("1001", "12", "02", name, sizeof name), TOV_OK);
    EXPECT_STREQ(name, "ANA");
    ASSERT_EQ(Tov00000_getNMCONSUMIDOR("1001", "12", "09", name, sizeof name), TOV_OK);
    EXPECT_STREQ(name, "");
    ASSERT_EQ(Tov00000_getNMCONSUMIDOR("1001", "12", "01", nullptr, 0), TOV_OK);
}

TEST_F(LookupExports, ANameThatDoesNotFitFailsWithBufferAndLeavesTheBuffer) {
    char name[4] = "abc";
    EXPECT_EQ(Tov00000_getNMCONSUMIDOR("1001", "12", "01", name, sizeof name), TOV_E_BUFFER);
    EXPECT_STREQ(name, "abc");
    EXPECT_NE(std::string(Tov_LastError()).find("result"), std::string::npos) << Tov_LastError();
}

TEST_F(LookupExports, PacketResultsLoadAsPacketsAndStayUntilTheNextCallOfTheSameLookup) {
    tov_variant balance{};
    tov_variant till{};
    tov_variant payments{};
    ASSERT_EQ(Tov00000_SaldoFidelidade("0001", "MESA 12", &balance), TOV_OK);
    ASSERT_EQ(Tov00000_GetCaixa("001", &till), TOV_OK);
    ASSERT_EQ(Tov00000_getMovCaixaMob("0001", "1001", "T", &payments), TOV_OK);

    const auto saldo = packet_of(balance);
    ASSERT_EQ(saldo.rows.size(), 1u);
    EXPECT_EQ(saldo.fields.at(3).name, "VRSALDOCONS");
    const auto caixa = packet_of(till);
    ASSERT_EQ(caixa.rows.size(), 1u) << "the shift of till 001 opened on the host's today";
    EXPECT_EQ(std::get<std::string>(caixa.rows[0].values.at(1)), "MARIA");
    EXPECT_EQ(packet_of(payments).rows.size(), 2u) << "cash and PIX";

    ASSERT_EQ(Tov00000_SaldoFidelidade("0001", "NO SUCH TICKET", nullptr), TOV_OK);
    EXPECT_TRUE(packet_of(till).rows.size() == 1u) << "another lookup's answer is untouched";
}

// Several threads of a print service asking the same lookup: each answer stays in its own
// thread's memory until that thread asks again, however often the others ask meanwhile.
TEST_F(LookupExports, PacketAnswersBelongToTheCallingThreadUntilItAsksAgain) {
    constexpr int thread_count = 6;
    constexpr int rounds = 20;
    const char* const seats[] = {"T", "01", "00"};
    std::barrier asked(thread_count);
    std::barrier checked(thread_count);
    std::vector<const void*> answers(thread_count);
    std::vector<std::string> failures(thread_count);
    std::vector<std::thread> threads;
    for (int index = 0; index < thread_count; ++index) {
        threads.emplace_back([&, index] {
            for (int round = 0; round < rounds; ++round) {
                const char* seat = seats[(index + round) % 3];
                tov_variant result{};
                const int32_t status = Tov00000_getMovCaixaMob("0001", "1001", seat, &result);
                const std::string copy(static_cast<const char*>(result.data), result.size);
                answers[index] = result.data;
                asked.arrive_and_wait();  // every other thread has asked since
                const bool same =
                    status == TOV_OK && result.type == TOV_VT_BYTES &&
                    std::string(static_cast<const char*>(result.data), result.size) == copy;
                const auto others = std::count(answers.begin(), answers.end(), result.data);
                if (failures[index].empty() && (!same || others != 1)) {
                    failures[index] = "round " + std::to_string(round) + " seat " + seat +
                                      (same ? ": the answer's memory is shared"
                                            : ": the answer changed under another thread");
                }
                checked.arrive_and_wait();
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (int index = 0; index < thread_count; ++index) {
        EXPECT_EQ(failures[index], "") << "thread " << index;
    }
    tov_variant check{};
    ASSERT_EQ(Tov00000_getMovCaixaMob("0001", "1001", "T", &check), TOV_OK);
    EXPECT_EQ(packet_of(check).rows.size(), 2u) << "cash and PIX";
}

TEST_F(LookupExports, AFailedPacketLookupAnswersTheHostsErrorTextAsText) {
    tov_format_settings settings{
        sizeof(tov_format_settings), ',', '.', "dd/mmm/yyyy", "R$", 2, 9, 2};
    ASSERT_EQ(Tov_SetFormatSettings(&settings), TOV_OK);
    tov_variant till{};
    const int32_t status = Tov00000_GetCaixa("001", &till);
    ASSERT_EQ(Tov_SetFormatSettings(nullptr), TOV_OK);
    ASSERT_EQ(status, TOV_OK) << "a lookup's failure is its answer";
    const std::string text = text_of(till);
    EXPECT_EQ(text.rfind("host: ", 0), 0u) << text;
    EXPECT_NE(text.find("mmm"), std::string::npos) << text;
}

// A discount or name lookup whose query fails still answers 0 or "" with TOV_OK; the host may read
// why in Tov_LastError, and the next call that succeeds clears it.
TEST_F(LookupExports, AFailedScalarLookupTellsWhyInTheLastError) {
    const auto rename = [](const char* from, const char* to) {
        const auto store_db = tov::db::open_sqlite(store_file_path().string(), false);
        run_all(*store_db, {std::string("ALTER TABLE ") + from + " RENAME TO " + to});
    };
    rename("COMANDAVEN", "COMANDAVEN_AWAY");
    double discount = -1;
    const int32_t status = Tov00000_getDescontoFid("0001", "12", &discount);
    const std::string why = Tov_LastError();
    char name[64] = "unchanged";
    const int32_t name_status = Tov00000_getNMCONSUMIDOR("1002", "7", "", name, sizeof name);
    const std::string name_why = Tov_LastError();
    rename("COMANDAVEN_AWAY", "COMANDAVEN");

    EXPECT_EQ(status, TOV_OK);
    EXPECT_EQ(discount, 0.0);
    EXPECT_NE(why.find("COMANDAVEN"), std::string::npos) << why;
    EXPECT_EQ(name_status, TOV_OK);
    EXPECT_STREQ(name, "");
    EXPECT_NE(name_why.find("COMANDAVEN"), std::string::npos) << name_why;
    ASSERT_EQ(Tov00000_getDescontoFid("0001", "12", &discount), TOV_OK);
    EXPECT_EQ(discount, 5.50);
    EXPECT_STREQ(Tov_LastError(), "");
}

TEST_F(LookupExports, TheCppInterfaceGivesTheSameAnswers) {
    const tov::LookupAnswer payments = tov::getMovCaixaMob("0001", "1001", "01");
    ASSERT_TRUE(payments.is_packet);
    EXPECT_EQ(tov::dataset::read_binary_packet(payments.data).rows.size(), 2u)
        << "card of seat 01, PIX of 00";
    EXPECT_EQ(tov::getDescontoFid("0001", "12"), 5.50);
    EXPECT_EQ(tov::getNMCONSUMIDOR("1001", "12", ""), "JOAO");
}

}  // namespace
