#include "package/data_module.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "reports/recording_backend.hpp"
#include "tov00000/tov00000.h"
#include "tov00000/tov00000.hpp"

namespace tov::package {
namespace {

TEST(DataModule, ListsItsTwentySevenComponentsInDeclarationOrder) {
    const auto& names = TdtmGeral::components();
    ASSERT_EQ(names.size(), 27u);
    EXPECT_EQ(names[0], "msgPadrao");
    EXPECT_EQ(names[7], "adcParcial");
    EXPECT_EQ(names[14], "cdsVendasVendedor");
    EXPECT_EQ(names[16], "assCaixa");
    EXPECT_EQ(names[20], "adqNMCONSUMIDORposicao");
    EXPECT_EQ(names[26], "adqDescCoreBanc");
    EXPECT_EQ(std::set<std::string_view>(names.begin(), names.end()).size(), 27u);
}

TEST(DataModule, ComponentsCarryTheirNamesAndParameters) {
    const TdtmGeral module{format::FormatSettings{}};
    EXPECT_EQ(module.adcParcial.name, "adcParcial");
    EXPECT_EQ(module.adqMovCaixaMob.parameter_names,
              (std::vector<std::string>{"P_CDFILIAL", "P_NRVENDAREST", "P_NRLUGARMESA"}));
    EXPECT_EQ(module.dspCaixa.dataset_name, "adqCaixa");
    EXPECT_EQ(module.assCaixa.query_name, "adqCaixa");
    EXPECT_EQ(module.msgPadrao.Msg("Tx_Serv"), "Gorjeta Sugerida");
    EXPECT_FALSE(module.cdsVendasVendedor.Active());
}

// One process, one package state: the instance is absent until the first print and then kept.
TEST(DataModule, IsCreatedByTheFirstPrintAndThenKept) {
    const void* before = nullptr;
    ASSERT_EQ(Tov00000_dtmGeral(&before), TOV_OK);
    EXPECT_EQ(before, nullptr);

    testing::Recorder recorder;
    const tov_backend backend = recorder.backend();
    const tov_host host = recorder.host();
    ASSERT_EQ(Tov_SetBackend(&backend), TOV_OK);
    ASSERT_EQ(Tov_SetHost(&host), TOV_OK);
    const std::string empty_packet =
        "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA>"
        "<FIELDS><FIELD attrname=\"CDVENDEDOR\" fieldtype=\"string\" WIDTH=\"4\"/></FIELDS>"
        "<PARAMS/></METADATA><ROWDATA></ROWDATA></DATAPACKET>";
    EXPECT_TRUE(tov::RelatorioVendedor("01", "", "002", "", "", "", "", empty_packet, false, 0, 0));
    const void* first = tov::DataModule();
    EXPECT_TRUE(tov::RelatorioVendedor("01", "", "002", "", "", "", "", empty_packet, false, 0, 0));

    EXPECT_NE(first, nullptr);
    EXPECT_EQ(tov::DataModule(), first);
    EXPECT_EQ(recorder.calls.size(), 2u);
}

}  // namespace
}  // namespace tov::package
