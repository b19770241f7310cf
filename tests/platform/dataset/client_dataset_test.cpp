#include "platform/dataset/client_dataset.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dataset/dataset_test_packets.hpp"
#include "platform/dataset/packet_io.hpp"
#include "platform/errors/errors.hpp"

namespace tov::dataset {
namespace {

using namespace testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Items of a ticket: seat, item sequence, product, status, name.
Packet ticket_items() {
    const auto item = [](const char* seat, int64_t sequence, const char* product,
                         const char* status, const char* name) {
        return make_row({std::string(seat), sequence, std::string(product), std::string(status),
                         std::string(name)});
    };
    return make_packet(
        {text_field("NRLUGARMESA"), int_field("NRPRODCOMVEN"), text_field("CDPRODUTO"),
         text_field("IDSTPRCOMVEN"), text_field("NMPRODUTO")},
        {
            item("02", 1, "P1", "1", "Cerveja"),
            item("01", 2, "COUV", "1", "Couvert"),
            item("01", 3, "P2", "6", "agua"),
            item("02", 4, "P3", "1", "Suco"),
            item("01", 5, "P1", "1", "AGUA"),
            item("03", 6, "CONS", "1", "Consumacao"),
            item("03", 7, "P4", "7", "Vinho"),
        });
}

// The column read as text along the view, first to last.
std::vector<std::string> walk(ClientDataSet& dataset, const char* field) {
    std::vector<std::string> values;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        values.push_back(dataset.FieldByName(field).AsString());
    }
    return values;
}

ClientDataSet opened(const Packet& packet) {
    ClientDataSet dataset;
    dataset.SetData(packet);
    return dataset;
}

TEST(ClientDataSetCursor, WalksFirstToLastAndStaysOnLastRowAtEof) {
    ClientDataSet dataset = opened(ticket_items());
    EXPECT_TRUE(dataset.Active());
    EXPECT_EQ(dataset.RecordCount(), 7);
    EXPECT_EQ(dataset.RecNo(), 1);
    EXPECT_THAT(walk(dataset, "NRPRODCOMVEN"), ElementsAre("1", "2", "3", "4", "5", "6", "7"));
    EXPECT_TRUE(dataset.Eof());
    EXPECT_EQ(dataset.RecNo(), 7);
    EXPECT_EQ(dataset.FieldByName("NMPRODUTO").AsString(), "Vinho");
    dataset.Next();
    EXPECT_TRUE(dataset.Eof());
}

TEST(ClientDataSetCursor, EmptyViewReadsNullAndRefusesDelete) {
    ClientDataSet dataset = opened(make_packet({text_field("A"), int_field("B")}, {}));
    EXPECT_TRUE(dataset.IsEmpty());
    EXPECT_TRUE(dataset.Eof());
    EXPECT_EQ(dataset.RecNo(), 0);
    EXPECT_EQ(dataset.FieldByName("A").AsString(), "");
    EXPECT_EQ(dataset.FieldByName("B").AsInteger(), 0);
    EXPECT_TRUE(dataset.FieldByName("B").IsNull());
    EXPECT_TRUE(std::holds_alternative<VariantNull>(dataset.FieldByName("B").AsVariant()));
    EXPECT_THROW(dataset.Delete(), DatasetError);
    dataset.SetRecNo(0);  // the current number: no move, no error
    EXPECT_THROW(dataset.SetRecNo(1), DatasetError);
}

TEST(ClientDataSetCursor, ClosedDatasetRefusesCursorOperations) {
    ClientDataSet dataset;
    EXPECT_FALSE(dataset.Active());
    EXPECT_TRUE(dataset.Eof());
    EXPECT_EQ(dataset.RecordCount(), 0);
    EXPECT_THROW(dataset.First(), DatasetError);
    EXPECT_THROW(dataset.Data(), DatasetError);
    EXPECT_THROW(dataset.FieldByName("A"), FieldNotFound);
    dataset.SetData(ticket_items());
    dataset.Close();
    EXPECT_THROW(dataset.Next(), DatasetError);
}

TEST(ClientDataSetFields, MissingFieldIsNamed) {
    ClientDataSet dataset = opened(ticket_items());
    try {
        dataset.FieldByName("VRPRECCOMVEN");
        FAIL() << "no error";
    } catch (const FieldNotFound& error) {
        EXPECT_STREQ(error.what(), "field 'VRPRECCOMVEN' not found");
    }
    EXPECT_FALSE(dataset.FindField("VRPRECCOMVEN").has_value());
    EXPECT_EQ(dataset.FieldByName("nmproduto").FieldName(), "NMPRODUTO");
}

Packet every_type() {
    return make_packet(
        {text_field("TXT"), int_field("INT"), float_field("FLT"), bcd_field("BCD"),
         date_field("DAT"), time_field("TIM"), timestamp_field("TSP"), bool_field("BOO"),
         memo_field("MEM"), make_field("SGL", TypeCode::Single, 4),
         make_field("U64", TypeCode::UInt, 8)},
        {
            make_row({std::string("3,5"), int64_t{-42}, 1234.5, Bcd::from_string("-0.050"),
                      date_of(2024, 12, 25), Time{(13 * 3600 + 45 * 60 + 30) * 1000},
                      Timestamp{date_of(2024, 12, 25).day * 86400000.0 + 12 * 3600000.0}, true,
                      std::string("line 1\r\nline 2"), 0.1, uint64_t{7}}),
            make_row({Null{}, Null{}, Null{}, Null{}, Null{}, Null{}, Null{}, Null{}, Null{},
                      Null{}, Null{}}),
            make_row({std::string("abc"), int64_t{1}, 1e20, Bcd::from_string("10"), Null{}, Null{},
                      Null{}, false, std::string(), 2.5, uint64_t{0}}),
        });
}

TEST(ClientDataSetFields, ReadsEveryTypeAsText) {
    ClientDataSet dataset = opened(every_type());
    const auto text = [&](const char* field) { return dataset.FieldByName(field).AsString(); };
    EXPECT_EQ(text("TXT"), "3,5");
    EXPECT_EQ(text("INT"), "-42");
    EXPECT_EQ(text("FLT"), "1234,5");
    EXPECT_EQ(text("BCD"), "-0,05");
    EXPECT_EQ(text("DAT"), "25/12/2024");
    EXPECT_EQ(text("TIM"), "13:45:30");
    EXPECT_EQ(text("TSP"), "25/12/2024 12:00:00");
    EXPECT_EQ(text("BOO"), "True");
    EXPECT_EQ(text("MEM"), "line 1\r\nline 2");
    EXPECT_EQ(text("SGL"), "0,1");
    EXPECT_EQ(text("U64"), "7");
    dataset.Next();
    for (const auto& field : dataset.Fields())
        EXPECT_EQ(text(field.name.c_str()), "") << field.name;
    dataset.Next();
    EXPECT_EQ(text("FLT"), "1E20");
    EXPECT_EQ(text("BCD"), "10");
    EXPECT_EQ(text("BOO"), "False");
}

TEST(ClientDataSetFields, ReadsNumbersDatesAndBooleans) {
    ClientDataSet dataset = opened(every_type());
    EXPECT_DOUBLE_EQ(dataset.FieldByName("TXT").AsFloat(), 3.5);
    EXPECT_DOUBLE_EQ(dataset.FieldByName("BCD").AsFloat(), -0.05);
    EXPECT_EQ(dataset.FieldByName("FLT").AsInteger(), 1234);  // half to even
    EXPECT_DOUBLE_EQ(dataset.FieldByName("DAT").AsDateTime(), 45651.0);
    EXPECT_DOUBLE_EQ(dataset.FieldByName("TSP").AsDateTime(), 45651.5);
    EXPECT_DOUBLE_EQ(dataset.FieldByName("TIM").AsDateTime(), (13 * 3600 + 45 * 60 + 30) / 86400.0);
    EXPECT_DOUBLE_EQ(dataset.FieldByName("DAT").AsFloat(), 45651.0);
    EXPECT_TRUE(dataset.FieldByName("BOO").AsBoolean());
    EXPECT_EQ(dataset.FieldByName("INT").AsVariant(), Variant(int64_t{-42}));
    EXPECT_EQ(dataset.FieldByName("FLT").AsVariant(), Variant(1234.5));
    EXPECT_EQ(dataset.FieldByName("TXT").AsVariant(), Variant(std::string("3,5")));
    EXPECT_EQ(dataset.FieldByName("DAT").AsVariant(), Variant(VariantDateTime{45651.0}));
    EXPECT_EQ(dataset.FieldByName("BOO").AsVariant(), Variant(true));
}

TEST(ClientDataSetFields, ReadsTextAsNumberDateAndBoolean) {
    ClientDataSet dataset = opened(make_packet(
        {text_field("T")}, {make_row({std::string("25/12/2024 13:45")}),
                            make_row({std::string(" 12 ")}), make_row({std::string("yes")})}));
    EXPECT_DOUBLE_EQ(dataset.FieldByName("T").AsDateTime(), 45651.0 + (13 * 60 + 45) / 1440.0);
    EXPECT_FALSE(dataset.FieldByName("T").AsBoolean());
    dataset.Next();
    EXPECT_EQ(dataset.FieldByName("T").AsInteger(), 12);
    EXPECT_DOUBLE_EQ(dataset.FieldByName("T").AsFloat(), 12.0);
    dataset.Next();
    EXPECT_TRUE(dataset.FieldByName("T").AsBoolean());
}

TEST(ClientDataSetFields, NullReadsAsZeroFalseAndNullVariant) {
    ClientDataSet dataset = opened(every_type());
    dataset.Next();
    for (const auto& field : dataset.Fields()) {
        const FieldRef ref = dataset.FieldByName(field.name);
        EXPECT_TRUE(ref.IsNull()) << field.name;
        EXPECT_EQ(ref.AsFloat(), 0) << field.name;
        EXPECT_EQ(ref.AsInteger(), 0) << field.name;
        EXPECT_EQ(ref.AsDateTime(), 0) << field.name;
        EXPECT_FALSE(ref.AsBoolean()) << field.name;
        EXPECT_EQ(ref.AsVariant(), Variant(VariantNull{})) << field.name;
    }
}

TEST(ClientDataSetFields, ConversionErrorsNameFieldAndText) {
    ClientDataSet dataset = opened(every_type());
    dataset.SetRecNo(3);
    try {
        dataset.FieldByName("TXT").AsFloat();
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "field 'TXT': 'abc' is not a valid number");
    }
    EXPECT_THROW(dataset.FieldByName("TXT").AsInteger(), ConversionError);
    EXPECT_THROW(dataset.FieldByName("TXT").AsDateTime(), ConversionError);
    EXPECT_THROW(dataset.FieldByName("BOO").AsFloat(), ConversionError);
    EXPECT_THROW(dataset.FieldByName("INT").AsDateTime(), ConversionError);
    EXPECT_THROW(dataset.FieldByName("FLT").AsInteger(), ConversionError);  // 1e20 is out of range
}

TEST(ClientDataSetFields, FieldReferenceFollowsTheCursorAndNewData) {
    ClientDataSet dataset = opened(ticket_items());
    const FieldRef name = dataset.FieldByName("NMPRODUTO");
    dataset.Next();
    EXPECT_EQ(name.AsString(), "Couvert");
    dataset.SetData(make_packet({text_field("NMPRODUTO")}, {make_row({std::string("Novo")})}));
    EXPECT_EQ(name.AsString(), "Novo");
    dataset.SetData(make_packet({text_field("OTHER")}, {}));
    EXPECT_THROW(name.AsString(), FieldNotFound);
}

TEST(ClientDataSetFilter, SeatSelectionDeletesTheFilteredViewUntilEmpty) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.SetFilter(
        "NRLUGARMESA <> '01'AND CDPRODUTO <> 'COUV'AND CDPRODUTO <> 'CONS'AND CDPRODUTO <> 'X'");
    dataset.SetFiltered(true);
    EXPECT_EQ(dataset.RecordCount(), 3);
    dataset.First();
    while (dataset.RecordCount() > 0) dataset.Delete();
    EXPECT_TRUE(dataset.Eof());
    dataset.SetFiltered(false);
    EXPECT_THAT(walk(dataset, "NRPRODCOMVEN"), ElementsAre("2", "3", "5", "6"));
}

TEST(ClientDataSetFilter, DeleteMovesToTheFollowingRowOrTheNewLast) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.SetRecNo(6);
    dataset.Delete();
    EXPECT_EQ(dataset.FieldByName("NRPRODCOMVEN").AsString(), "7");
    EXPECT_EQ(dataset.RecNo(), 6);
    dataset.Delete();
    EXPECT_FALSE(dataset.Eof());
    EXPECT_EQ(dataset.FieldByName("NRPRODCOMVEN").AsString(), "5");
    EXPECT_EQ(dataset.RecNo(), 5);
    EXPECT_EQ(dataset.RecordCount(), 5);
}

TEST(ClientDataSetFilter, ItemFilterWithTheDocumentsSpacing) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.SetFiltered(true);
    dataset.SetFilter(
        "IDSTPRCOMVEN  <> '6' AND IDSTPRCOMVEN <> '7'AND CDPRODUTO <> 'COUV'"
        "AND CDPRODUTO <> 'CONS'AND CDPRODUTO <> ''");
    EXPECT_THAT(walk(dataset, "NRPRODCOMVEN"), ElementsAre("1", "4", "5"));
}

TEST(ClientDataSetFilter, ChangingTheFilterGoesToTheFirstRow) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.SetFilter("NRLUGARMESA = '01'");
    dataset.SetRecNo(4);
    dataset.SetFiltered(true);
    EXPECT_EQ(dataset.RecNo(), 1);
    EXPECT_EQ(dataset.FieldByName("NRPRODCOMVEN").AsInteger(), 2);
    dataset.SetFilter("NRLUGARMESA = '03'");
    EXPECT_EQ(dataset.FieldByName("NRPRODCOMVEN").AsInteger(), 6);
    dataset.SetFilter("  ");
    EXPECT_EQ(dataset.RecordCount(), 7);
}

TEST(ClientDataSetFilter, BadFilterRaisesAndLeavesTheStateAsItWas) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.SetFilter("NRLUGARMESA = ");
    EXPECT_THROW(dataset.SetFiltered(true), DatasetError);
    EXPECT_FALSE(dataset.Filtered());
    EXPECT_EQ(dataset.RecordCount(), 7);
    dataset.SetFilter("NRLUGARMESA = '01'");
    dataset.SetFiltered(true);
    EXPECT_THROW(dataset.SetFilter("NOPE = '1'"), FieldNotFound);
    EXPECT_EQ(dataset.Filter(), "NRLUGARMESA = '01'");
    EXPECT_EQ(dataset.RecordCount(), 3);
}

TEST(ClientDataSetFilter, CaseInsensitiveOption) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.SetFilter("NMPRODUTO = 'agua'");
    dataset.SetFiltered(true);
    EXPECT_EQ(dataset.RecordCount(), 1);
    dataset.SetFilterOptions({.case_insensitive = true});
    EXPECT_EQ(dataset.RecordCount(), 2);
}

TEST(ClientDataSetFilter, DateLiteralsFollowTheRegionalSettings) {
    ClientDataSet dataset =
        opened(make_packet({date_field("D")}, {make_row({date_of(2024, 3, 4)})}));
    dataset.SetFilter("D = '04/03/2024'");
    dataset.SetFiltered(true);
    EXPECT_EQ(dataset.RecordCount(), 1);
    format::FormatSettings american;
    american.short_date_format = "mm/dd/yyyy";
    dataset.SetFormatSettings(american);
    EXPECT_EQ(dataset.RecordCount(), 0);
    EXPECT_EQ(dataset.FieldByName("D").AsString(), "");
    dataset.SetFiltered(false);
    EXPECT_EQ(dataset.FieldByName("D").AsString(), "03/04/2024");
}

TEST(ClientDataSetIndex, OrdersByFieldsCaseInsensitivelyAndStably) {
    Packet packet = make_packet(
        {text_field("K"), int_field("N")},
        {make_row({std::string("b"), int64_t{1}}), make_row({std::string("A"), int64_t{2}}),
         make_row({std::string("B"), int64_t{3}}), make_row({std::string("a"), int64_t{4}}),
         make_row({Null{}, int64_t{5}}), make_row({std::string("b"), int64_t{6}})});
    ClientDataSet dataset = opened(packet);
    dataset.AddIndex("Indice", "K", {.case_insensitive = true});
    dataset.SetIndexName("Indice");
    EXPECT_THAT(walk(dataset, "N"), ElementsAre("5", "2", "4", "1", "3", "6"));
    dataset.ClearIndexDefs();
    dataset.AddIndex("Exact", "K");
    dataset.SetIndexName("exact");
    EXPECT_EQ(dataset.IndexName(), "Exact");
    EXPECT_THAT(walk(dataset, "N"), ElementsAre("5", "2", "3", "4", "1", "6"));
    dataset.AddIndex("Down", "K", {.case_insensitive = true, .descending = true});
    dataset.SetIndexName("Down");
    EXPECT_THAT(walk(dataset, "N"), ElementsAre("1", "3", "6", "2", "4", "5"));
    dataset.SetIndexName("");
    EXPECT_THAT(walk(dataset, "N"), ElementsAre("1", "2", "3", "4", "5", "6"));
}

TEST(ClientDataSetIndex, SeatThenSequenceUnderTheItemFilter) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.ClearIndexDefs();
    dataset.AddIndex("Indice", "NRLUGARMESA;NRPRODCOMVEN", {.case_insensitive = true});
    dataset.SetIndexName("Indice");
    dataset.SetFilter("IDSTPRCOMVEN  <> '6' AND IDSTPRCOMVEN <> '7'");
    dataset.SetFiltered(true);
    EXPECT_THAT(walk(dataset, "NRPRODCOMVEN"), ElementsAre("2", "5", "1", "4", "6"));
    dataset.SetRecNo(3);
    EXPECT_EQ(dataset.FieldByName("NRPRODCOMVEN").AsInteger(), 1);
    EXPECT_EQ(dataset.RecNo(), 3);
    EXPECT_THROW(dataset.SetRecNo(6), DatasetError);
    EXPECT_THROW(dataset.SetRecNo(-1), DatasetError);
}

TEST(ClientDataSetIndex, ChangingTheIndexKeepsTheCurrentRow) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.AddIndex("BySeat", "NRLUGARMESA");
    dataset.SetRecNo(4);  // item 4, seat 02
    dataset.SetIndexName("BySeat");
    EXPECT_EQ(dataset.FieldByName("NRPRODCOMVEN").AsInteger(), 4);
    EXPECT_EQ(dataset.RecNo(), 5);
}

TEST(ClientDataSetIndex, RejectsUnknownNamesAndFields) {
    ClientDataSet dataset = opened(ticket_items());
    EXPECT_THROW(dataset.SetIndexName("Nope"), DatasetError);
    EXPECT_THROW(dataset.AddIndex("Bad", "NRLUGARMESA;NOPE"), FieldNotFound);
    dataset.AddIndex("I", "NRLUGARMESA");
    EXPECT_THROW(dataset.AddIndex("i", "CDPRODUTO"), DatasetError);
    ClientDataSet closed;
    closed.AddIndex("Later", "MISSING");
    closed.SetIndexName("Later");
    EXPECT_THROW(closed.SetData(ticket_items()), FieldNotFound);
    EXPECT_FALSE(closed.Active());
}

TEST(ClientDataSetLocate, FindsTheFirstMatchInTheView) {
    ClientDataSet dataset = opened(ticket_items());
    EXPECT_TRUE(dataset.Locate("CDPRODUTO", "P1"));
    EXPECT_EQ(dataset.RecNo(), 1);
    EXPECT_TRUE(dataset.Locate("NMPRODUTO", "AGUA", {.case_insensitive = true}));
    EXPECT_EQ(dataset.FieldByName("NRPRODCOMVEN").AsInteger(), 3);
    EXPECT_TRUE(dataset.Locate("NMPRODUTO", "AGUA"));
    EXPECT_EQ(dataset.FieldByName("NRPRODCOMVEN").AsInteger(), 5);
    EXPECT_TRUE(
        dataset.Locate("NMPRODUTO", "con", {.case_insensitive = true, .partial_key = true}));
    EXPECT_EQ(dataset.FieldByName("NRPRODCOMVEN").AsInteger(), 6);
    EXPECT_TRUE(dataset.Locate("NRPRODCOMVEN", Variant(int64_t{4})));
    EXPECT_EQ(dataset.RecNo(), 4);
    EXPECT_TRUE(dataset.Locate("NRPRODCOMVEN", "7"));
    EXPECT_EQ(dataset.RecNo(), 7);
}

TEST(ClientDataSetLocate, MissLeavesTheCursorWhereItWas) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.SetRecNo(5);
    dataset.Next();
    dataset.Next();
    dataset.Next();
    ASSERT_TRUE(dataset.Eof());
    EXPECT_FALSE(dataset.Locate("CDPRODUTO", "NONE"));
    EXPECT_TRUE(dataset.Eof());
    EXPECT_EQ(dataset.RecNo(), 7);
    EXPECT_FALSE(dataset.Locate("NMPRODUTO", "agua "));
    EXPECT_THROW(dataset.Locate("NRPRODCOMVEN", "abc"), DatasetError);
    EXPECT_THROW(dataset.Locate("NOPE", "x"), FieldNotFound);
}

TEST(ClientDataSetLocate, SearchesOnlyTheFilteredView) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.SetFilter("NRLUGARMESA = '02'");
    dataset.SetFiltered(true);
    EXPECT_FALSE(dataset.Locate("CDPRODUTO", "COUV"));
    EXPECT_TRUE(dataset.Locate("CDPRODUTO", "P3"));
    EXPECT_EQ(dataset.RecNo(), 2);
}

TEST(ClientDataSetData, CopiesCurrentRowsInStoredOrderIntoANewDataset) {
    ClientDataSet dataset = opened(ticket_items());
    dataset.AddIndex("BySeat", "NRLUGARMESA");
    dataset.SetIndexName("BySeat");
    dataset.SetFilter("NRLUGARMESA = '01'");
    dataset.SetFiltered(true);
    dataset.Delete();  // item 2
    ClientDataSet copy;
    copy.SetData(dataset.Data());
    EXPECT_EQ(copy.RecordCount(), 6);
    EXPECT_THAT(walk(copy, "NRPRODCOMVEN"), ElementsAre("1", "3", "4", "5", "6", "7"));
    EXPECT_EQ(dataset.RecordCount(), 2);
}

TEST(ClientDataSetData, AssignsPacketBytes) {
    ClientDataSet dataset = opened(ticket_items());
    ClientDataSet copy;
    copy.SetData(write_packet(dataset.Data(), PacketFormat::Binary));
    EXPECT_THAT(walk(copy, "NMPRODUTO"),
                ElementsAre("Cerveja", "Couvert", "agua", "Suco", "AGUA", "Consumacao", "Vinho"));
    EXPECT_THROW(copy.SetData(std::string_view("not a packet")), PacketError);
    EXPECT_FALSE(copy.Active());
}

TEST(ClientDataSetData, LoadsAndWalksTheOrdersSample) {
    ClientDataSet dataset;
    dataset.LoadFromFile(TOV_TEST_DATA_DIR "/packets/orders.cds");
    EXPECT_EQ(dataset.RecordCount(), 205);
    EXPECT_EQ(dataset.FieldByName("OrderNo").AsString(), "1003");
    EXPECT_EQ(dataset.FieldByName("SaleDate").AsString(), "12/04/1988");
    EXPECT_EQ(dataset.FieldByName("ShipDate").AsString(), "03/05/1988 12:00:00");
    EXPECT_EQ(dataset.FieldByName("TaxRate").AsString(), "4,5");
    EXPECT_TRUE(dataset.FieldByName("ShipToContact").IsNull());
    int rows = 0;
    double items_total = 0;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        ++rows;
        items_total += dataset.FieldByName("ItemsTotal").AsFloat();
    }
    EXPECT_EQ(rows, 205);
    EXPECT_GT(items_total, 0);
    EXPECT_EQ(dataset.FieldByName("OrderNo").AsString(), "1860");
    dataset.SetFilter("PaymentMethod = 'Visa'");
    dataset.SetFiltered(true);
    EXPECT_EQ(dataset.RecordCount(), 34);
    dataset.SetFilter("ItemsTotal > 10000");
    EXPECT_EQ(dataset.RecordCount(), 78);
    EXPECT_THROW(dataset.LoadFromFile(TOV_TEST_DATA_DIR "/packets/missing.cds"), FileError);
}

TEST(ClientDataSetData, ChangeLogPacketShowsItsLiveRows) {
    ClientDataSet dataset;
    dataset.LoadFromFile(TOV_TEST_DATA_DIR "/packets/products_changelog.cds");
    EXPECT_EQ(dataset.RecordCount(), 8);
    EXPECT_EQ(dataset.Data().rows.size(), 8U);
    EXPECT_EQ(dataset.Data().param("CHANGE_LOG"), nullptr);
}

TEST(ClientDataSetScale, DeletingAHalfFilteredViewOfManyRows) {
    std::vector<Row> rows;
    for (int64_t i = 0; i < 60000; ++i)
        rows.push_back(make_row({i, std::string(i % 2 ? "odd" : "even")}));
    ClientDataSet dataset =
        opened(make_packet({int_field("N"), text_field("KIND")}, std::move(rows)));
    dataset.SetFilter("KIND = 'odd'");
    dataset.SetFiltered(true);
    dataset.First();
    while (!dataset.IsEmpty()) dataset.Delete();
    dataset.SetFiltered(false);
    EXPECT_EQ(dataset.RecordCount(), 30000);
    dataset.SetRecNo(30000);
    EXPECT_EQ(dataset.FieldByName("N").AsInteger(), 59998);
}

}  // namespace
}  // namespace tov::dataset
