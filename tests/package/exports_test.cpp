// The C exports, called in process as a host would call them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "support/recorder.hpp"
#include "tov00000/tov00000.h"

namespace {

const std::string sales_packet =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"CDVENDEDOR\" fieldtype=\"string\" WIDTH=\"4\"/>"
    "<FIELD attrname=\"NMRAZSOCVEN\" fieldtype=\"string\" WIDTH=\"40\"/>"
    "<FIELD attrname=\"VRTOTVENDEDOR\" fieldtype=\"r8\"/>"
    "<FIELD attrname=\"VRREPIQUEVENDA\" fieldtype=\"r8\"/>"
    "</FIELDS><PARAMS/></METADATA><ROWDATA>"
    "<ROW CDVENDEDOR=\"0001\" NMRAZSOCVEN=\"Ana\" VRTOTVENDEDOR=\"10\" VRREPIQUEVENDA=\"1\"/>"
    "<ROW CDVENDEDOR=\"0002\" NMRAZSOCVEN=\"Bia\" VRTOTVENDEDOR=\"20\" VRREPIQUEVENDA=\"2\"/>"
    "<ROW CDVENDEDOR=\"0003\" NMRAZSOCVEN=\"Caio\" VRTOTVENDEDOR=\"30\" VRREPIQUEVENDA=\"3\"/>"
    "</ROWDATA></DATAPACKET>";

int32_t print_plain(const std::string& filial, int32_t* result) {
    return RelatorioVendedor_Tov00000(filial.c_str(), "Loja", "002", "Caixa", "COR", "COM1",
                                      "EPSON", sales_packet.data(), sales_packet.size(), 0, 0, 60,
                                      result);
}

class Exports : public ::testing::Test {
protected:
    void SetUp() override {
        const tov_backend backend = recorder.backend();
        const tov_host host = recorder.host();
        ASSERT_EQ(Tov_SetBackend(&backend), TOV_OK);
        ASSERT_EQ(Tov_SetHost(&host), TOV_OK);
        ASSERT_EQ(Tov_SetFormatSettings(nullptr), TOV_OK);
    }
    void TearDown() override {
        Tov_SetBackend(nullptr);
        Tov_SetHost(nullptr);
    }

    tov::testing::Recorder recorder;
};

TEST_F(Exports, PackageDescriptorNamesWhatThePackageRequiresAndContains) {
    const tov_package_info* info = nullptr;
    ASSERT_EQ(GetPackageInfoTable(&info), TOV_OK);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->flags, TOV_PACKAGE_RUNTIME_ONLY);
    ASSERT_EQ(info->required_count, 3);
    EXPECT_STREQ(info->required[0], "Pkg_Tov00002");
    EXPECT_STREQ(info->required[1], "Pkg_Tov00001");
    EXPECT_STREQ(info->required[2], "_dll");
    ASSERT_EQ(info->contains_count, 3);
    EXPECT_STREQ(info->contains[0], "Pkg_Tov00000");
    EXPECT_STREQ(info->contains[1], "TOV00000");
    EXPECT_STREQ(info->contains[2], "SysInit");
    ASSERT_GT(info->unit_count, 0);
    EXPECT_STREQ(info->units[info->unit_count - 1].unit, "Tov00000");
    EXPECT_EQ(info->units[info->unit_count - 1].has_start, 1) << "Tov00000.initialization";
    EXPECT_EQ(info->units[info->unit_count - 1].has_stop, 1) << "Tov00000.Finalization";
    EXPECT_EQ(Initialize(), TOV_OK);
    EXPECT_EQ(Finalize(), TOV_OK);
}

TEST_F(Exports, UnregisteredBackEndIsNamedInTheLastError) {
    ASSERT_EQ(Tov_SetBackend(nullptr), TOV_OK);
    int32_t result = -1;
    EXPECT_EQ(print_plain("01", &result), TOV_E_BACKEND);
    EXPECT_STREQ(Tov_LastError(), "back-end entry point 'ImprimePadrao' is not registered");
    EXPECT_EQ(result, -1);
}

TEST_F(Exports, PacketSizeWithoutPacketIsAnArgumentError) {
    EXPECT_EQ(RelatorioVendedor_Tov00000(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, 12, 0, 0, 0, nullptr),
              TOV_E_ARGUMENT);
    EXPECT_NE(std::string(Tov_LastError()).find("P_VENDASVENDEDOR"), std::string::npos);
}

TEST_F(Exports, AnAmountThatIsNoFiniteNumberIsAnArgumentError) {
    for (const double amount : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        EXPECT_EQ(RelatorioVendedor_Tov00000("01", "Loja", "002", "Caixa", "COR", "COM1", "EPSON",
                                             sales_packet.data(), sales_packet.size(), 0, 0, amount,
                                             nullptr),
                  TOV_E_ARGUMENT);
        EXPECT_NE(std::string(Tov_LastError()).find("the amount doVrTotGeral is"),
                  std::string::npos);
        EXPECT_EQ(Cupom_Troca_Tov00000(1, sales_packet.data(), sales_packet.size(), "", "", "", "",
                                       "", "", amount, nullptr),
                  TOV_E_ARGUMENT);
        EXPECT_NE(std::string(Tov_LastError()).find("doNrDias"), std::string::npos);
    }
    EXPECT_TRUE(recorder.calls.empty()) << "nothing reaches the back-end";
}

TEST_F(Exports, RegionalSettingsAreCheckedAndThenUsed) {
    tov_format_settings settings{
        sizeof(tov_format_settings), '.', ',', "dd-mm-yyyy", nullptr, 0, 1, 2};
    EXPECT_EQ(Tov_SetFormatSettings(&settings), TOV_E_ARGUMENT);
    EXPECT_NE(std::string(Tov_LastError()).find("CurrencyString"), std::string::npos);

    settings.CurrencyString = "$";
    settings.NegCurrFormat = 16;
    EXPECT_EQ(Tov_SetFormatSettings(&settings), TOV_E_ARGUMENT);

    settings.NegCurrFormat = 1;
    ASSERT_EQ(Tov_SetFormatSettings(&settings), TOV_OK);
    ASSERT_EQ(print_plain("01", nullptr), TOV_OK);
    EXPECT_NE(recorder.printed.find("Data: 15-03-2024"), std::string::npos);
    EXPECT_NE(recorder.printed.find("Vlr.Total Vendas com Vendedor: 060.00\r\n"),
              std::string::npos);
}

// A host's printer configuration is checked before anything is composed: a width outside 1..255
// would spend the till's memory on rules and blank lines, or overflow.
TEST_F(Exports, PrinterWidthOutsideOneTo255FailsBeforeAnythingIsPrinted) {
    const auto print_on_register = [] {
        return RelatorioVendedor_Tov00000("01", "Loja", "002", "Caixa", "COR", "COM1", "EPSON",
                                          sales_packet.data(), sales_packet.size(), 1, 5, 60,
                                          nullptr);
    };
    for (const int width : {0, -1, 256, 10'000'000, 2'147'483'647, -2'147'483'647 - 1}) {
        recorder.calls.clear();
        recorder.register_width = width;
        EXPECT_EQ(print_on_register(), TOV_E_ARGUMENT) << width;
        EXPECT_NE(std::string(Tov_LastError())
                      .find("ConfiguraImpressora (printer kind 5): a line width of " +
                            std::to_string(width)),
                  std::string::npos)
            << Tov_LastError();
        EXPECT_EQ(recorder.calls, std::vector<std::string>{"ConfiguraImpressora 5 0 1"}) << width;
    }
    recorder.register_width = 255;
    recorder.register_line_break = std::string(17, '\n');
    EXPECT_EQ(print_on_register(), TOV_E_ARGUMENT);
    EXPECT_NE(std::string(Tov_LastError()).find("the line break of printer kind 5 holds 17 bytes"),
              std::string::npos)
        << Tov_LastError();
    recorder.register_line_break = "\n";
    EXPECT_EQ(print_on_register(), TOV_OK) << Tov_LastError();
}

TEST_F(Exports, ConcurrentCallsFromFourThreadsEachGetTheirOwnReport) {
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            const std::string filial = "F" + std::to_string(t);
            for (int i = 0; i < 50; ++i) {
                int32_t result = 0;
                if (print_plain(filial, &result) != TOV_OK || result != 1) ++failures[t];
            }
        });
    }
    for (auto& thread : threads) thread.join();

    EXPECT_EQ(failures, std::vector<int>(4, 0));
    ASSERT_EQ(recorder.calls.size(), 200u);
    // The recorder is not synchronised itself: an overlap would have torn its vector or text.
    for (const auto& call : recorder.calls) EXPECT_EQ(call, "ImprimePadrao COM1 EPSON");
    // 43 + 6 x 44 header, 39 grand total, 132 + 132 + 133 salespeople, 48 closing.
    EXPECT_EQ(recorder.printed.size(), 791u);
}

// ---- Host datasets ------------------------------------------------------------------------------

class HostDataSet : public Exports {
protected:
    void SetUp() override {
        Exports::SetUp();
        ASSERT_EQ(Tov_DataSetOpen(sales_packet.data(), sales_packet.size(), &ds), TOV_OK);
    }
    void TearDown() override {
        EXPECT_EQ(Tov_DataSetFree(ds), TOV_OK);
        Exports::TearDown();
    }
    std::string field(const char* name) {
        char text[64] = {};
        EXPECT_EQ(Tov_DataSetFieldText(ds, name, text, sizeof text), TOV_OK) << Tov_LastError();
        return text;
    }

    tov_dataset* ds = nullptr;
};

TEST_F(HostDataSet, MovesAndReadsLikeTheHostExpects) {
    int32_t count = 0;
    int32_t eof = 1;
    ASSERT_EQ(Tov_DataSetRecordCount(ds, &count), TOV_OK);
    EXPECT_EQ(count, 3);
    ASSERT_EQ(Tov_DataSetEof(ds, &eof), TOV_OK);
    EXPECT_EQ(eof, 0);
    EXPECT_EQ(field("NMRAZSOCVEN"), "Ana");
    ASSERT_EQ(Tov_DataSetNext(ds), TOV_OK);
    int32_t recno = 0;
    ASSERT_EQ(Tov_DataSetGetRecNo(ds, &recno), TOV_OK);
    EXPECT_EQ(recno, 2);
    ASSERT_EQ(Tov_DataSetSetRecNo(ds, 3), TOV_OK);
    EXPECT_EQ(field("CDVENDEDOR"), "0003");
    ASSERT_EQ(Tov_DataSetFirst(ds), TOV_OK);
    EXPECT_EQ(field("CDVENDEDOR"), "0001");
}

TEST_F(HostDataSet, FilterRoundTrips) {
    ASSERT_EQ(Tov_DataSetSetFilter(ds, "VRTOTVENDEDOR > 15"), TOV_OK) << Tov_LastError();
    ASSERT_EQ(Tov_DataSetSetFiltered(ds, 1), TOV_OK);
    char filter[64] = {};
    int32_t on = 0;
    int32_t count = 0;
    ASSERT_EQ(Tov_DataSetGetFilter(ds, filter, sizeof filter), TOV_OK);
    ASSERT_EQ(Tov_DataSetGetFiltered(ds, &on), TOV_OK);
    ASSERT_EQ(Tov_DataSetRecordCount(ds, &count), TOV_OK);
    EXPECT_STREQ(filter, "VRTOTVENDEDOR > 15");
    EXPECT_EQ(on, 1);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(field("NMRAZSOCVEN"), "Bia");
}

TEST_F(HostDataSet, SmallBufferFailsAndLeavesTheTextUnchanged) {
    char text[4] = "xyz";
    EXPECT_EQ(Tov_DataSetFieldText(ds, "NMRAZSOCVEN", text, 3), TOV_E_BUFFER);
    EXPECT_STREQ(text, "xyz");
    EXPECT_EQ(Tov_DataSetFieldText(ds, "NMRAZSOCVEN", text, 4), TOV_OK);
    EXPECT_STREQ(text, "Ana");
}

TEST_F(HostDataSet, UnknownFieldAndBadHandlesFail) {
    char text[16] = {};
    EXPECT_EQ(Tov_DataSetFieldText(ds, "NOPE", text, sizeof text), TOV_E_FIELD);
    EXPECT_NE(std::string(Tov_LastError()).find("NOPE"), std::string::npos);
    EXPECT_EQ(Tov_DataSetFirst(nullptr), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetFieldText(nullptr, "CDVENDEDOR", text, sizeof text), TOV_E_ARGUMENT);
    EXPECT_EQ(Tov_DataSetFree(nullptr), TOV_OK);  // like free(NULL)
    tov_dataset* none = nullptr;
    EXPECT_EQ(Tov_DataSetOpen("garbage", 7, &none), TOV_E_PACKET);
    EXPECT_EQ(none, nullptr);
}

}  // namespace
