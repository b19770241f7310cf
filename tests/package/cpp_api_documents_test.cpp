// The consumer statement and the PAF-ECF identification report through the C++ API.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "reports/paf_fixture.hpp"
#include "services/cipher.hpp"
#include "statement/statement_datasets.hpp"
#include "support/recorder.hpp"
#include "tov00000/tov00000.hpp"

namespace tov {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using tov::testing::detail::packet;

class CppApiDocuments : public ::testing::Test {
protected:
    void TearDown() override {
        Tov_SetBackend(nullptr);
        Tov_SetHost(nullptr);
    }
};

TEST_F(CppApiDocuments, StatementPrintsFromDatasetsTheHostOpensAndLeavesThemFiltered) {
    tov::testing::Recorder recorder;
    recorder.register_width = 48;
    SetBackend(recorder.backend());
    SetHost(recorder.host());
    const DataSet setting = OpenDataSet(packet({{"IDEMISEXTRSIMPL", "string"}}, {{"S"}}));
    const DataSet families = OpenDataSet(
        packet({{"CDFAMILISALD", "string"}, {"NMFAMILISALD", "string"}}, {{"01", "Bar"}}));
    const DataSet movements =
        OpenDataSet(packet({{"CDFAMILISALD", "string"},
                            {"DATA", "date"},
                            {"HORA", "string"},
                            {"DSOPEEXTCONS", "string"},
                            {"IDTPMOVEXT", "string"},
                            {"NRSEQVENDA", "string"},
                            {"VRMOVEXTCONS", "r8"},
                            {"VRSALDCONEXT", "r8"},
                            {"CDFILIAL", "string"}},
                           {{"01", "20240310", "09:15", "Recarga", "C", "", "50", "50", "0001"}}));
    const DataSet sale_items = OpenDataSet(packet({{"NRSEQVENDA", "string"},
                                                   {"CDFAMILISALD", "string"},
                                                   {"QTDE", "r8"},
                                                   {"NMPRODUTO", "string"},
                                                   {"VRTOTAL", "r8"}},
                                                  {}));
    const DataSet balances = OpenDataSet(packet({{"SALDOFAM", "r8"}}, {{"50"}}));
    const DataSet extrato = OpenDataSet(packet({{"CDCLIENTE", "string"},
                                                {"CDFAMILISALD", "string"},
                                                {"NMFAMILISALD", "string"},
                                                {"SALDANT", "r8"}},
                                               {{"C001", "01", "Bar", "0"}}));

    const StatementResult outcome =
        Extrato(false, "0001", "COR", "1", "COM2", *setting, *families, *movements, *sale_items,
                *balances, "15/03/2024", "Loja", "003", "123", "Maria", *extrato, 7);

    EXPECT_TRUE(outcome.result) << outcome.reason;
    EXPECT_EQ(outcome.reason, "");
    EXPECT_THAT(recorder.calls, ElementsAre("ImprimePadrao COM2 1"));
    EXPECT_THAT(recorder.printed, HasSubstr(" 09:15 Recarga                 50,00   50,00\r\n"));
    int32_t filtered = 0;
    ASSERT_EQ(Tov_DataSetGetFiltered(movements.get(), &filtered), TOV_OK);
    EXPECT_EQ(filtered, 1) << "the host sees the statement's filter on the movements";
    EXPECT_THROW(OpenDataSet("not a packet"), std::exception);
}

TEST_F(CppApiDocuments, IdentificationReportTakesItsEightValuesAsOneStruct) {
    tov::testing::Recorder recorder;
    const tov::testing::TemporaryFolder host_folder;
    recorder.exe_path = (host_folder.path() / "PLD.EXE").string();
    SetBackend(recorder.backend());
    SetHost(recorder.host());
    const auto enciphered = [](const std::string& plain) {
        return services::Cripto(plain, services::kReportCipherKey);
    };
    PafValues values;
    values.stCdFilial = "01";
    values.stCdCaixa = "002";
    values.stEsquemaCor = "COR";
    values.oleDadosPaf = tov::testing::text_packet(
        {"NRLAUDO", "NRCNPJQUELMAR", "DSRAZAOSOCIQLM", "DSENDEQUELMAR", "DSTELEFONEQLM",
         "NMRESPONSIST", "DSNOMECOMERCIAL", "DSVERSAOPALINDO", "NMEXEPALINDO"},
        {{enciphered("QLM0452018"), enciphered("12.345.678/0001-90"), enciphered("Sistemas"),
          enciphered("Rua A"), enciphered("(11) 3333-4444"), enciphered("Ana"), enciphered("PDV"),
          enciphered("5.2.1"), enciphered("PLD.EXE")}});
    values.oleBuscaNrSerieEcf =
        tov::testing::text_packet({"NRSERIEIMPRPERS"}, {{"BE091310100011223344"}});
    values.stNrSerie = "BE091310100011223344";
    values.IdTipoImpFis = 5;
    values.stIndice = "7";

    EXPECT_TRUE(ImprimeDadosPaf(values));

    EXPECT_NE(DataModule(), nullptr) << "the report creates the data module";
    EXPECT_THAT(recorder.calls,
                ElementsAre("Relatorio_Generico COR 01 002 BE091310100011223344 7"));
    EXPECT_THAT(recorder.printed, HasSubstr("Nr do Laudo :  QLM0452018\n\r"));
    EXPECT_THAT(recorder.printed, HasSubstr("\n\rBE091310100011223344\n\r"));
    values.oleDadosPaf = "not a packet";
    EXPECT_THROW(ImprimeDadosPaf(values), std::exception);
}

}  // namespace
}  // namespace tov
