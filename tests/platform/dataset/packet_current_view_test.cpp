#include "platform/dataset/packet_current_view.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>

#include "platform/dataset/packet_binary.hpp"
#include "platform/errors/errors.hpp"

namespace tov::dataset {
namespace {

Packet load_sample(const std::string& name) {
    std::ifstream in(std::string(TOV_TEST_DATA_DIR) + "/packets/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return read_binary_packet(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

bool has_unchanged(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        for (const Value& value : row.values) {
            if (std::holds_alternative<Unchanged>(value)) return true;
        }
    }
    return false;
}

// A two-column packet (ID, NAME) with the given rows and change-log triples.
Packet packet_with_log(std::vector<Row> rows, const std::vector<int64_t>& log) {
    Packet packet;
    packet.fields.push_back({"ID", "", make_type_word(TypeCode::Int, 4), 0, {}});
    packet.fields.push_back(
        {"NAME", "", make_type_word(TypeCode::ZString, 1, type_flag::varying), 0, {}});
    packet.rows = std::move(rows);
    if (!log.empty())
        packet.params.push_back(Param::make_array("CHANGE_LOG", TypeCode::UInt, 4, log));
    return packet;
}

Row row(uint8_t status, Value id, Value name) {
    return {status, {std::move(id), std::move(name)}};
}

TEST(CurrentViewSamples, ProductsResolveToEightLiveRecords) {
    const std::vector<Row> rows = current_rows(load_sample("products_changelog.cds"));
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_FALSE(has_unchanged(rows));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].values[0], Value(static_cast<int64_t>(10 + i))) << i;
    }
    EXPECT_EQ(rows[0].values[1], Value(std::string("DiegoE")));
    EXPECT_EQ(rows[0].values[3], Value(int64_t{1000}));
    EXPECT_EQ(rows[7].values[1], Value(std::string("JuanR")));
    EXPECT_EQ(rows[7].values[3], Value(int64_t{500}));
}

TEST(CurrentViewSamples, IconDataResolvesNotChangedColumns) {
    const Packet packet = load_sample("icondata_changelog.cds");
    const std::vector<Row> rows = current_rows(packet);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_FALSE(has_unchanged(rows));
    // ID was never assigned in any version.
    for (const Row& live : rows) EXPECT_EQ(live.values[0], Value(Null{}));
    EXPECT_EQ(rows[0].values[1], Value(std::string("System")));
    EXPECT_EQ(rows[0].values[2], Value(std::string("Printers")));
    EXPECT_EQ(std::get<std::string>(rows[0].values[4]).size(), 2879u);
    EXPECT_EQ(rows[1].values[2], Value(std::string("Date & Time")));
    EXPECT_EQ(rows[7].values[2], Value(std::string("Performance")));
    EXPECT_EQ(std::get<std::string>(rows[7].values[4]).size(), 5868u);
}

TEST(CurrentViewSamples, PacketsWithoutLogComeBackAsStored) {
    const Packet packet = load_sample("orders.cds");
    const std::vector<Row> rows = current_rows(packet);
    ASSERT_EQ(rows.size(), packet.rows.size());
    EXPECT_EQ(rows.front().values, packet.rows.front().values);
    EXPECT_EQ(rows.back().values, packet.rows.back().values);
}

TEST(CurrentView, WalksBackThroughSeveralVersions) {
    // Record A: inserted (1), edited twice (2 replaces 1, 4 replaces 2), the last edit leaving
    // both columns unchanged. Record B (3): inserted, then deleted.
    const Packet packet = packet_with_log(
        {row(row_status::inserted | row_status::superseded, int64_t{1}, std::string("a")),
         row(row_status::modified | row_status::superseded, Unchanged{}, std::string("a2")),
         row(row_status::inserted | row_status::deleted, int64_t{2}, std::string("b")),
         row(row_status::modified, Unchanged{}, Unchanged{})},
        {1, 0, 4, 2, 1, 8, 3, 0, 4, 4, 2, 8, 3, 0, 2});
    const std::vector<Row> rows = current_rows(packet);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].values[0], Value(int64_t{1}));
    EXPECT_EQ(rows[0].values[1], Value(std::string("a2")));
}

TEST(CurrentView, OrdersByTheFirstVersionOfEachRecord) {
    const Packet packet =
        packet_with_log({row(row_status::superseded, int64_t{1}, std::string("first")),
                         row(0, int64_t{2}, std::string("second")),
                         row(row_status::modified, Unchanged{}, std::string("first, edited")),
                         row(row_status::inserted, int64_t{3}, Unchanged{})},
                        {3, 1, 8, 4, 0, 4});
    const std::vector<Row> rows = current_rows(packet);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].values[1], Value(std::string("first, edited")));
    EXPECT_EQ(rows[0].values[0], Value(int64_t{1}));
    EXPECT_EQ(rows[1].values[1], Value(std::string("second")));
    EXPECT_EQ(rows[2].values[1], Value(Null{}));  // inserted, never assigned
}

TEST(CurrentView, HiddenRowsWithoutLogAreDropped) {
    const Packet packet = packet_with_log(
        {row(row_status::unused, int64_t{1}, std::string("x")), row(0, int64_t{2}, Unchanged{})},
        {});
    const std::vector<Row> rows = current_rows(packet);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].values[1], Value(Null{}));
}

// 128,000 versions, each replacing the one before and taking its ID (not changed) from it, none
// marked superseded, so every one is live: each chain is walked once, and this takes a fraction
// of a second where walking every version back to its first took half a minute. The bound is
// loose on purpose; bench_dataset measures.
TEST(CurrentView, LongChainsOfVersionsResolveInLinearTime) {
    constexpr int versions = 128000;
    std::vector<Row> rows = {row(row_status::inserted, int64_t{42}, std::string("v1"))};
    std::vector<int64_t> log = {1, 0, 4};
    for (int version = 2; version <= versions; ++version) {
        rows.push_back(row(row_status::modified, Unchanged{}, "v" + std::to_string(version)));
        log.insert(log.end(), {version, version - 1, 8});
    }
    const Packet packet = packet_with_log(std::move(rows), log);
    const auto start = std::chrono::steady_clock::now();
    const RowTable current = current_table(packet);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(current.size(), static_cast<std::size_t>(versions));
    EXPECT_EQ(current[versions - 1].values[0], Value(int64_t{42}));
    EXPECT_EQ(current[versions - 1].values[1], Value("v" + std::to_string(versions)));
    EXPECT_EQ(current[1].values[0], Value(int64_t{42}));
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST(CurrentView, RejectsBrokenChangeLogs) {
    const std::vector<Row> two = {row(row_status::modified, Unchanged{}, std::string("a")),
                                  row(row_status::modified, Unchanged{}, std::string("b"))};
    EXPECT_THROW(current_rows(packet_with_log(two, {1, 2, 8, 2, 1, 8})), PacketError);  // a cycle
    EXPECT_THROW(current_rows(packet_with_log(two, {1, 1, 8})), PacketError);  // replaces itself
    EXPECT_THROW(current_rows(packet_with_log(two, {3, 0, 4})), PacketError);  // past the last row
    EXPECT_THROW(current_rows(packet_with_log(two, {1, 0})), PacketError);     // not a triple
    EXPECT_THROW(current_rows(packet_with_log(two, {0, 1, 8})), PacketError);  // row 0

    Packet text_log = packet_with_log(two, {});
    text_log.params.push_back(Param::make_text("CHANGE_LOG", "1 0 4"));
    EXPECT_THROW(current_rows(text_log), PacketError);
}

}  // namespace
}  // namespace tov::dataset
