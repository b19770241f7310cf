// Filters of equalities joined by AND are answered from an index; whatever answers, the view is
// the one the filter evaluated row by row gives: the same rows in the same order, by the same
// rules for case, NULL and the kinds of values.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/dataset/client_dataset.hpp"
#include "platform/dataset/dataset_test_packets.hpp"
#include "platform/errors/errors.hpp"

namespace tov::dataset {
namespace {

using namespace testing;

// Rows whose values repeat often, with NULLs, case variants, -0 and accented letters.
Packet varied_rows(std::mt19937& random) {
    const std::vector<std::string> texts = {"01",         "02",         "abc", "ABC",
                                            "A\xE7\xE3o", "A\xC7\xC3O", "",    " 01"};
    const std::vector<double> numbers = {0.0, -0.0, 1.5, 12, -3};
    std::vector<Row> rows;
    for (int i = 0; i < 400; ++i) {
        const auto pick = [&](std::size_t count) {
            return static_cast<std::size_t>(random() % count);
        };
        const bool null_text = pick(10) == 0;
        const bool null_number = pick(10) == 0;
        rows.push_back(make_row({null_text ? Value(Null{}) : Value(texts[pick(texts.size())]),
                                 null_number ? Value(Null{}) : Value(numbers[pick(numbers.size())]),
                                 int64_t{static_cast<int64_t>(pick(4))}, pick(2) == 0,
                                 date_of(2024, 3, static_cast<int>(pick(3)) + 1),
                                 Value(std::string(1, static_cast<char>('a' + pick(3))))}));
    }
    return make_packet({text_field("CODE"), float_field("AMOUNT"), int_field("SALE"),
                        bool_field("OK"), date_field("DAY"), text_field("KIND")},
                       std::move(rows));
}

// The view as the filter evaluated on every row of the stored rows, in the given order.
std::vector<int> evaluated(const Packet& packet, const std::vector<int>& order,
                           const std::string& filter, const FilterOptions& options) {
    const CompiledFilter compiled =
        FilterExpression::parse(filter).bind(packet.fields, options, {});
    std::vector<int> rows;
    for (const int row : order) {
        if (compiled.matches(packet.rows[static_cast<std::size_t>(row)])) rows.push_back(row);
    }
    return rows;
}

// The stored row number (field ROWNO) of every row of the view.
std::vector<int> view_of(ClientDataSet& dataset) {
    std::vector<int> rows;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        rows.push_back(static_cast<int>(dataset.FieldByName("ROWNO").AsInteger()));
    }
    return rows;
}

Packet numbered(Packet packet) {
    packet.fields.push_back(int_field("ROWNO"));
    std::vector<Row> rows;
    for (std::size_t i = 0; i < packet.rows.size(); ++i) {
        Row row = packet.rows[i];
        row.values.push_back(static_cast<int64_t>(i));
        rows.push_back(std::move(row));
    }
    packet.rows = rows;
    return packet;
}

const std::vector<std::string> equality_filters = {
    "CODE = '01'",
    "CODE = 'abc' AND SALE = 2",
    "SALE = 1 AND CODE = 'a\xE7\xE3o'",
    "CODE = 'A\xE7\xE3o' AND SALE = '3'",
    "AMOUNT = 0",
    "AMOUNT = -0 AND OK = TRUE",
    "AMOUNT = '1.5' AND KIND = 'b' AND OK = FALSE",
    "DAY = '02/03/2024' AND CODE = ''",
    "(CODE = '02' AND SALE = 0) AND DAY = '01/03/2024'",
    "CODE = '01' AND CODE = '01'",
    "CODE = '01' AND CODE = '02'",
    "KIND = 'c' AND SALE = 12",
    "CODE = 'zz'",
};

TEST(EqualityFilters, GiveTheRowsTheFilterGivesInTheSameOrder) {
    std::mt19937 random(7);
    const Packet packet = numbered(varied_rows(random));
    std::vector<int> stored(packet.rows.size());
    for (std::size_t i = 0; i < stored.size(); ++i) stored[i] = static_cast<int>(i);
    for (const bool case_insensitive : {false, true}) {
        ClientDataSet dataset;
        dataset.SetData(packet);
        dataset.SetFilterOptions(FilterOptions{case_insensitive, false});
        dataset.SetFiltered(true);
        for (const std::string& filter : equality_filters) {
            dataset.SetFilter(filter);
            EXPECT_EQ(view_of(dataset),
                      evaluated(packet, stored, filter, {case_insensitive, false}))
                << filter << (case_insensitive ? " ignoring case" : "");
        }
    }
}

TEST(EqualityFilters, FollowTheIndexOrderAndLeaveDeletedRowsOut) {
    std::mt19937 random(11);
    const Packet packet = numbered(varied_rows(random));
    ClientDataSet dataset;
    dataset.SetData(packet);
    dataset.AddIndex("ByKind", "KIND;AMOUNT", IndexOptions{false, true});
    dataset.SetIndexName("ByKind");
    std::vector<int> order = view_of(dataset);
    dataset.SetFilter("SALE = 2");
    dataset.SetFiltered(true);
    for (int deletes = 0; deletes < 10 && !dataset.IsEmpty(); ++deletes) {
        const int deleted = static_cast<int>(dataset.FieldByName("ROWNO").AsInteger());
        dataset.Delete();
        std::erase(order, deleted);
    }
    for (const std::string& filter : equality_filters) {
        dataset.SetFilter(filter);
        EXPECT_EQ(view_of(dataset), evaluated(packet, order, filter, {})) << filter;
    }
    dataset.SetFiltered(false);
    EXPECT_EQ(view_of(dataset), order);
}

TEST(EqualityFilters, KeepTheOrderOfAnIndexAfterAnotherFailedToApply) {
    std::mt19937 random(3);
    Packet packet = numbered(varied_rows(random));
    ClientDataSet dataset;
    dataset.SetData(packet);
    dataset.AddIndex("Backwards", "ROWNO", IndexOptions{false, true});
    dataset.SetIndexName("Backwards");
    const std::vector<int> order = view_of(dataset);
    dataset.AddIndex("ByDay", "DAY");
    packet.fields[4] = make_field("DAY", TypeCode::Adt, 0);  // a field no index can sort
    dataset.SetData(packet);
    EXPECT_THROW(dataset.SetIndexName("ByDay"), DatasetError);
    dataset.SetFilter("CODE = '01'");
    dataset.SetFiltered(true);
    EXPECT_EQ(view_of(dataset), evaluated(packet, order, "CODE = '01'", {}));
}

TEST(EqualityFilters, NewDataGetsANewIndex) {
    ClientDataSet dataset;
    dataset.SetData(make_packet({text_field("CODE")},
                                {make_row({std::string("A")}), make_row({std::string("B")})}));
    dataset.SetFilter("CODE = 'B'");
    dataset.SetFiltered(true);
    EXPECT_EQ(dataset.RecordCount(), 1);
    dataset.SetData(make_packet({text_field("CODE")},
                                {make_row({std::string("B")}), make_row({std::string("B")})}));
    EXPECT_EQ(dataset.RecordCount(), 2);
}

}  // namespace
}  // namespace tov::dataset
