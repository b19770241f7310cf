#include "package/data_module.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>

#include "support/recorder.hpp"
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

TEST(DataModule, ComponentsCarryTheirQueriesParametersAndSettings) {
    const services::HostServices host;
    const TdtmGeral module{format::FormatSettings{}, host};
    EXPECT_EQ(module.adqMovCaixaMob.parameter_names(),
              (std::vector<std::string>{"P_CDFILIAL", "P_NRVENDAREST", "P_NRLUGARMESA"}));
    EXPECT_EQ(module.adqNMCONSUMIDOR.parameter_names(),
              (std::vector<std::string>{"P_NRVENDAREST", "P_NRCOMANDA"}));
    EXPECT_EQ(module.adqTextParcCont.parameter_names(),
              (std::vector<std::string>{"P_CDFILIAL", "P_CDCAIXA"}));
    for (const db::Query* fixed_point : {&module.adqSaldoCons, &module.adqCaixa,
                                         &module.adqTextParcCont, &module.adqMovCaixaMob}) {
        EXPECT_TRUE(fixed_point->enable_bcd()) << fixed_point->name();
    }
    for (const db::Query* floating :
         {&module.adqComandaFid, &module.adqNMCONSUMIDOR, &module.adqNMCONSUMIDORposicao,
          &module.adqDescCash4All, &module.adqDescCashUds, &module.adqDescCoreBanc}) {
        EXPECT_FALSE(floating->enable_bcd()) << floating->name();
    }
    EXPECT_EQ(module.dspSaldocons.DataSet().name(), "adqSaldoCons");
    EXPECT_EQ(module.dspCaixa.DataSet().name(), "adqCaixa");
    EXPECT_EQ(module.dspMovCaixaMob.DataSet().name(), "adqMovCaixaMob");
    EXPECT_EQ(&module.assCaixa.ADOQuery(), &module.adqCaixa);
    EXPECT_NE(
        module.assCaixa.variants().for_dialect(db::Dialect::Oracle).sql.find("TRUNC(DTABERCAIX)"),
        std::string::npos);
    EXPECT_NE(module.assCaixa.variants().for_dialect(db::Dialect::SqlServer).sql.find("CONVERT("),
              std::string::npos);
    EXPECT_EQ(module.msgPadrao.Msg("Tx_Serv"), "Gorjeta Sugerida");
    EXPECT_FALSE(module.cdsVendasVendedor.Active());
}

TEST(DataModule, BuildingItOpensNothingAndItsConnectionAsksTheHostWhenAQueryOpens) {
    struct Seen {
        int connection_strings = 0;
        void* session = nullptr;
    } seen;
    tov_host table{};
    table.struct_size = sizeof(tov_host);
    table.ctx = &seen;
    table.GetStringConexPld = [](void* ctx, const char*, char* out, size_t capacity) {
        ++static_cast<Seen*>(ctx)->connection_strings;
        std::snprintf(out, capacity, "Provider=SQLite;Data Source=:memory:");
    };
    table.SetADODBSession = [](void* ctx, void* connection) {
        static_cast<Seen*>(ctx)->session = connection;
    };
    const services::HostServices host(table);
    TdtmGeral module{format::FormatSettings{}, host};
    EXPECT_FALSE(module.adcParcial.connected());
    EXPECT_FALSE(module.adqCaixa.active());
    EXPECT_EQ(seen.connection_strings, 0);
    EXPECT_EQ(module.adcParcial.connection_string(), "Provider=MSDAORA.1")
        << "the provider at rest";

    // The empty store has no tables: the lookup fails, but only after connecting.
    EXPECT_EQ(module.lookups().get_desconto_fid("0001", "12"), 0.0);
    EXPECT_TRUE(module.adcParcial.connected());
    EXPECT_EQ(module.adcParcial.connection_string(), "Provider=SQLite;Data Source=:memory:");
    EXPECT_EQ(seen.session, &module.adcParcial);
    EXPECT_EQ(module.lookups().get_desc_cash4all("0001", "12"), 0.0);
    EXPECT_EQ(seen.connection_strings, 1) << "the connection stays open";
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
