// Every C export with NULL in each pointer argument and with sizes and indexes a careless host
// passes: a NULL text counts as empty; a NULL handle, a NULL array with elements, a NULL packet
// with a size and a NULL buffer with a capacity fail with TOV_E_ARGUMENT; nothing crashes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tov00000/tov00000.h"

namespace {

using ::testing::HasSubstr;

constexpr std::size_t huge = static_cast<std::size_t>(-1);

const std::string packet =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"NAME\" fieldtype=\"string\" WIDTH=\"10\"/></FIELDS><PARAMS/></METADATA>"
    "<ROWDATA><ROW NAME=\"Ana\"/></ROWDATA></DATAPACKET>";

// A host dataset over the packet above, freed at the end of the test.
class OpenDataset {
public:
    OpenDataset() { EXPECT_EQ(Tov_DataSetOpen(packet.data(), packet.size(), &handle_), TOV_OK); }
    ~OpenDataset() { Tov_DataSetFree(handle_); }
    OpenDataset(const OpenDataset&) = delete;
    OpenDataset& operator=(const OpenDataset&) = delete;
    tov_dataset* get() const { return handle_; }

private:
    tov_dataset* handle_ = nullptr;
};

TEST(NullArguments, NullTablesReturnToTheDefaults) {
    EXPECT_EQ(Tov_SetBackend(nullptr), TOV_OK);
    EXPECT_EQ(Tov_SetHost(nullptr), TOV_OK);
    EXPECT_EQ(Tov_SetFormatSettings(nullptr), TOV_OK);
    EXPECT_EQ(GetPackageInfoTable(nullptr), TOV_OK);
    EXPECT_EQ(Tov00000_dtmGeral(nullptr), TOV_OK);
}

TEST(NullArguments, SettingsWithANullTextNameTheMember) {
    tov_format_settings settings{sizeof(tov_format_settings), ',', '.', nullptr, "R$", 2, 9, 2};
    EXPECT_EQ(Tov_SetFormatSettings(&settings), TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("ShortDateFormat"));
    settings.ShortDateFormat = "dd/mm/yyyy";
    settings.CurrencyString = nullptr;
    EXPECT_EQ(Tov_SetFormatSettings(&settings), TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("CurrencyString"));
    EXPECT_EQ(Tov_SetFormatSettings(nullptr), TOV_OK);
}

TEST(NullArguments, DatasetOpenChecksThePacketAndTheOutHandle) {
    tov_dataset* handle = nullptr;
    EXPECT_EQ(Tov_DataSetOpen(nullptr, huge, &handle), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetOpen(nullptr, 1, &handle), TOV_E_ARGUMENT);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(Tov_DataSetOpen(packet.data(), packet.size(), nullptr), TOV_E_ARGUMENT);
    EXPECT_NE(Tov_DataSetOpen(nullptr, 0, &handle), TOV_OK) << "an empty packet is no dataset";
    EXPECT_EQ(handle, nullptr);
}

TEST(NullArguments, EveryDatasetCallFailsOnANullHandle) {
    int32_t value = 7;
    char text[16] = "unchanged";
    EXPECT_EQ(Tov_DataSetFree(nullptr), TOV_OK);
    EXPECT_EQ(Tov_DataSetFirst(nullptr), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetNext(nullptr), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetEof(nullptr, &value), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetRecordCount(nullptr, &value), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetGetRecNo(nullptr, &value), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetSetRecNo(nullptr, 1), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetGetFilter(nullptr, text, sizeof text), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetSetFilter(nullptr, "NAME = 'Ana'"), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetGetFiltered(nullptr, &value), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetSetFiltered(nullptr, 1), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetFieldText(nullptr, "NAME", text, sizeof text), TOV_E_ARGUMENT);
    EXPECT_EQ(value, 7);
    EXPECT_STREQ(text, "unchanged");
    EXPECT_THAT(Tov_LastError(), HasSubstr("dataset handle is NULL"));
}

TEST(NullArguments, DatasetAnswersMayBeDroppedButBuffersMustExist) {
    const OpenDataset ds;
    EXPECT_EQ(Tov_DataSetEof(ds.get(), nullptr), TOV_OK);
    EXPECT_EQ(Tov_DataSetRecordCount(ds.get(), nullptr), TOV_OK);
    EXPECT_EQ(Tov_DataSetGetRecNo(ds.get(), nullptr), TOV_OK);
    EXPECT_EQ(Tov_DataSetGetFiltered(ds.get(), nullptr), TOV_OK);
    EXPECT_EQ(Tov_DataSetGetFilter(ds.get(), nullptr, 16), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetFieldText(ds.get(), "NAME", nullptr, 16), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetFieldText(ds.get(), nullptr, nullptr, 0), TOV_E_FIELD)
        << "a NULL field name is the empty name, which no field has";
}

TEST(NullArguments, NullFilterClearsIt) {
    const OpenDataset ds;
    ASSERT_EQ(Tov_DataSetSetFilter(ds.get(), "NAME = 'Bia'"), TOV_OK);
    ASSERT_EQ(Tov_DataSetSetFilter(ds.get(), nullptr), TOV_OK);
    char filter[8] = "x";
    ASSERT_EQ(Tov_DataSetGetFilter(ds.get(), filter, sizeof filter), TOV_OK);
    EXPECT_STREQ(filter, "");
}

TEST(NullArguments, ZeroCapacityIsABufferErrorThatLeavesTheBufferAlone) {
    const OpenDataset ds;
    char text[4] = "abc";
    EXPECT_EQ(Tov_DataSetGetFilter(ds.get(), text, 0), TOV_E_BUFFER);
    EXPECT_EQ(Tov_DataSetFieldText(ds.get(), "NAME", text, 0), TOV_E_BUFFER);
    EXPECT_EQ(Tov_DataSetFieldText(ds.get(), "NAME", text, 3), TOV_E_BUFFER) << "Ana needs 4";
    EXPECT_STREQ(text, "abc");
}

TEST(NullArguments, PrintFunctionsTakeNullTextsAsEmptyAndCheckThePacket) {
    ASSERT_EQ(Tov_SetBackend(nullptr), TOV_OK);
    int32_t result = 7;
    EXPECT_EQ(RelatorioVendedor_Tov00000(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, huge, 0, 0, 0, &result),
              TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("P_VENDASVENDEDOR"));
    EXPECT_EQ(Cupom_Troca_Tov00000(0, nullptr, huge, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, 0, &result),
              TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("oleProdutos"));
    EXPECT_EQ(imprimeTipoRece_Tov00000(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       huge, nullptr, nullptr),
              TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("oleTipoRece"));
    EXPECT_EQ(result, 7);
    // No packet and no back-end, with every text NULL: a failed status, not a crash.
    EXPECT_NE(RelatorioVendedor_Tov00000(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, 0, 0, 0, 0, nullptr),
              TOV_OK);
    EXPECT_NE(Cupom_Troca_Tov00000(0, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, 0, nullptr),
              TOV_OK);
    EXPECT_NE(imprimeTipoRece_Tov00000(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0,
                                       nullptr, nullptr),
              TOV_OK);
}

TEST(NullArguments, IdentificationChecksItsArrayAndItsPackets) {
    int32_t result = 7;
    EXPECT_EQ(ImprimeDadosPaf_Tov00000(nullptr, 7, nullptr, &result), TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("arParams is NULL"));
    EXPECT_EQ(ImprimeDadosPaf_Tov00000(nullptr, -1, nullptr, &result), TOV_E_ARGUMENT);
    EXPECT_EQ(ImprimeDadosPaf_Tov00000(nullptr, -2, nullptr, &result), TOV_E_ARGUMENT);
    EXPECT_EQ(ImprimeDadosPaf_Tov00000(nullptr, INT32_MIN, nullptr, &result), TOV_E_ARGUMENT);

    std::vector<tov_variant> values(8, tov_variant{TOV_VT_TEXT, 0, 0, 0, nullptr, 0});
    values[6] = tov_variant{TOV_VT_INT, 0, 1, 0, nullptr, 0};
    values[3] = tov_variant{TOV_VT_BYTES, 0, 0, 0, nullptr, huge};
    EXPECT_EQ(ImprimeDadosPaf_Tov00000(values.data(), 7, nullptr, &result), TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("oleDadosPaf"));
    EXPECT_EQ(result, 7);
}

TEST(NullArguments, StatementTurnsNullHandlesIntoTheResultFalse) {
    const OpenDataset ds;
    int32_t result = 7;
    EXPECT_EQ(Extrato_Tov00000(1, nullptr, nullptr, nullptr, nullptr, ds.get(), ds.get(), ds.get(),
                               ds.get(), ds.get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, 0, &result),
              TOV_OK);
    EXPECT_EQ(result, 0);
    EXPECT_THAT(Tov_LastError(), HasSubstr("cdsExtrato is NULL"));
    EXPECT_EQ(
        Extrato_Tov00000(1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr),
        TOV_OK);
}

TEST(NullArguments, StatementWithNullTextsOverForeignDatasetsAnswersFalse) {
    const OpenDataset ds;
    int32_t result = 7;
    EXPECT_EQ(Extrato_Tov00000(0, nullptr, nullptr, nullptr, nullptr, ds.get(), ds.get(), ds.get(),
                               ds.get(), ds.get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                               ds.get(), 0, &result),
              TOV_OK);
    EXPECT_EQ(result, 0) << "the datasets lack the statement's fields";
}

TEST(NullArguments, ConsumerNameNeedsItsBufferOnlyWhenACapacityIsGiven) {
    EXPECT_EQ(Tov00000_getNMCONSUMIDOR(nullptr, nullptr, nullptr, nullptr, 16), TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("result"));
}

}  // namespace
