#include "reports/sales_by_salesperson.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors/errors.hpp"
#include "support/recorder.hpp"

namespace tov::reports {
namespace {

using ::testing::ElementsAre;

struct Salesperson {
    std::string code;
    std::string name;
    std::string total;  // as the packet writes it
    std::string repique;
};

std::string sales_packet(const std::vector<Salesperson>& rows, bool with_repique = true) {
    std::string xml =
        "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"CDVENDEDOR\" fieldtype=\"string\" WIDTH=\"4\"/>"
        "<FIELD attrname=\"NMRAZSOCVEN\" fieldtype=\"string\" WIDTH=\"60\"/>"
        "<FIELD attrname=\"VRTOTVENDEDOR\" fieldtype=\"r8\"/>";
    if (with_repique) xml += "<FIELD attrname=\"VRREPIQUEVENDA\" fieldtype=\"r8\"/>";
    xml += "</FIELDS><PARAMS/></METADATA><ROWDATA>";
    for (const auto& row : rows) {
        xml += "<ROW CDVENDEDOR=\"" + row.code + "\" NMRAZSOCVEN=\"" + row.name +
               "\" VRTOTVENDEDOR=\"" + row.total + "\"";
        if (with_repique) xml += " VRREPIQUEVENDA=\"" + row.repique + "\"";
        xml += "/>";
    }
    return xml + "</ROWDATA></DATAPACKET>";
}

class SalesBySalespersonReport : public ::testing::Test {
protected:
    bool print(bool fiscal, const std::string& packet, double grand_total = 0) {
        request.boUtilizaImpFis = fiscal;
        request.P_VENDASVENDEDOR = packet;
        request.doVrTotGeral = grand_total;
        const services::Backend backend(recorder.backend());
        const services::HostServices host(recorder.host());
        return RelatorioVendedor(
            request, sales,
            services::DocumentContext{backend, host, settings, services::standard_messages()});
    }

    testing::Recorder recorder;
    format::FormatSettings settings;
    dataset::ClientDataSet sales;
    SalesBySalespersonRequest request{"01",    "Centro", "002", "Caixa 2", "COR", "COM1",
                                      "EPSON", {},       false, 7,         0};
};

TEST_F(SalesBySalespersonReport, PlainPrinterGetsFortyTwoColumnsWithCarriageReturnLineFeed) {
    request.stNmFilial = "S\xe3o Paulo";
    request.stNmCaixa = "Balc\xe3o";
    const std::string packet = sales_packet(
        {{"0001", "Ana Souza", "7.5", "1234.5"}, {"0002", "Bruno Lima", "12345.67", "-3.2"}});

    EXPECT_TRUE(print(false, packet));

    EXPECT_THAT(recorder.calls, ElementsAre("ImprimePadrao COM1 EPSON"));
    EXPECT_EQ(recorder.printed,
              "-----------------------------------------\r\n"
              "       Total de Vendas por Vendedor       \r\n"
              "------------------------------------------\r\n"
              "          Filial 01 - S\xe3o Paulo           \r\n"
              "            Caixa 002 - Balc\xe3o            \r\n"
              "             Data: 15/03/2024             \r\n"
              "------------------------------------------\r\n"
              "Vlr.Total Vendas com Vendedor: 000,00\r\n"
              "------------------------------------------\r\n"
              "Vendedor: 0001 - Ana Souza\r\n"
              "Vlr.Total do Vendedor:   007,50\r\n"
              "Vlr.Total de Repique : 1.234,50\r\n"
              "------------------------------------------\r\n"
              "Vendedor: 0002 - Bruno Lima\r\n"
              "Vlr.Total do Vendedor: 12.345,67\r\n"
              "Vlr.Total de Repique :  -003,20\r\n"
              "------------------------------------------\r\n"
              "\r\n"
              "\r\n");
}

TEST_F(SalesBySalespersonReport, FiscalRegisterGetsManagementReportInPiecesOfWholeLines) {
    const std::string packet = sales_packet(
        {{"0001", "Ana Souza", "7.5", "1234.5"},
         {"0107", "Comercial de Alimentos Sao Jorge Ltda Filial Norte", "1000000", "0"}});

    EXPECT_TRUE(print(true, packet, 1001234.56));

    EXPECT_THAT(
        recorder.calls,
        ElementsAre("ConfiguraImpressora 7 0 1", "Relatorio_Gerencial_Imp COR 01 002 0 0",
                    "Usa_CompNFis COR 535", "Usa_CompNFis COR 107", "FechRelatGerenc COR 1 0"));
    ASSERT_EQ(recorder.pieces.size(), 2u);
    EXPECT_EQ(recorder.pieces[0] + recorder.pieces[1],
              "-----------------------------------\n"
              "    Total de Vendas por Vendedor    \n"
              "------------------------------------\n"
              "         Filial 01 - Centro         \n"
              "        Caixa 002 - Caixa 2         \n"
              "          Data: 15/03/2024          \n"
              "------------------------------------\n"
              "Vlr.Total Vendas com Vendedor: 1.001.234,56\n"
              "------------------------------------\n"
              "Vendedor: 0001 - Ana Souza\n"
              "Vlr.Total do Vendedor:   007,50\n"
              "Vlr.Total de Repique : 1.234,50\n"
              "------------------------------------\n"
              "Vendedor: 0107 - Comercial de Alimentos Sao Jorge Ltda Filial Norte\n"
              "Vlr.Total do Vendedor: 1.000.000,00\n"
              "Vlr.Total de Repique :   000,00\n"
              "------------------------------------\n"
              "\n"
              "\n");
    EXPECT_EQ(recorder.pieces[0].back(), '\n');
}

TEST_F(SalesBySalespersonReport, EmptyPacketPrintsHeaderAndClosingRuleOnly) {
    EXPECT_TRUE(print(false, sales_packet({})));

    EXPECT_EQ(recorder.printed,
              "-----------------------------------------\r\n"
              "       Total de Vendas por Vendedor       \r\n"
              "------------------------------------------\r\n"
              "            Filial 01 - Centro            \r\n"
              "           Caixa 002 - Caixa 2            \r\n"
              "             Data: 15/03/2024             \r\n"
              "------------------------------------------\r\n"
              "Vlr.Total Vendas com Vendedor: 000,00\r\n"
              "------------------------------------------\r\n"
              "\r\n"
              "\r\n");
}

TEST_F(SalesBySalespersonReport, BranchAndTillWiderThanTheLineArePrintedWhole) {
    request.stNmFilial = "Restaurante Central do Mercado Municipal";
    request.stNmCaixa = "Caixa do Balcao";

    print(false, sales_packet({}));

    EXPECT_EQ(recorder.printed,
              "-----------------------------------------\r\n"
              "       Total de Vendas por Vendedor       \r\n"
              "------------------------------------------\r\n"
              "Filial 01 - Restaurante Central do Mercado Municipal\r\n"
              "       Caixa 002 - Caixa do Balcao        \r\n"
              "             Data: 15/03/2024             \r\n"
              "------------------------------------------\r\n"
              "Vlr.Total Vendas com Vendedor: 000,00\r\n"
              "------------------------------------------\r\n"
              "\r\n"
              "\r\n");
}

TEST_F(SalesBySalespersonReport, FiscalLineBreakWithoutLineFeedGoesInOnePiece) {
    recorder.register_line_break = "\r";
    std::vector<Salesperson> many(20, Salesperson{"0001", "Ana Souza", "7.5", "1"});

    print(true, sales_packet(many));

    ASSERT_EQ(recorder.pieces.size(), 1u);
    EXPECT_GT(recorder.pieces[0].size(), 1000u);
    EXPECT_EQ(recorder.calls.back(), "FechRelatGerenc COR 1 0");
}

TEST_F(SalesBySalespersonReport, RegionalSettingsShapeAmountsAndDate) {
    settings.decimal_separator = '.';
    settings.thousand_separator = ',';
    settings.short_date_format = "yyyy-mm-dd";

    print(false, sales_packet({{"0001", "Ana", "1234.5", "0.25"}}), 7.5);

    EXPECT_NE(recorder.printed.find("Data: 2024-03-15"), std::string::npos);
    EXPECT_NE(recorder.printed.find("Vlr.Total Vendas com Vendedor: 007.50\r\n"),
              std::string::npos);
    EXPECT_NE(recorder.printed.find("Vlr.Total do Vendedor: 1,234.50\r\n"), std::string::npos);
    EXPECT_NE(recorder.printed.find("Vlr.Total de Repique :   000.25\r\n"), std::string::npos);
}

// Failures: what reached the back-end before the failure, and what the error says.

TEST_F(SalesBySalespersonReport, MissingFieldOnPlainPrinterHandsNothingToTheBackEnd) {
    try {
        print(false, sales_packet({{"0001", "Ana", "1", ""}}, false));
        FAIL() << "a missing field must fail the report";
    } catch (const FieldNotFound& error) {
        EXPECT_EQ(error.field(), "VRREPIQUEVENDA");
    }
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(SalesBySalespersonReport, FailureOnFiscalPathLeavesManagementReportOpen) {
    EXPECT_THROW(print(true, sales_packet({{"0001", "Ana", "1", ""}}, false)), FieldNotFound);
    EXPECT_THAT(recorder.calls,
                ElementsAre("ConfiguraImpressora 7 0 1", "Relatorio_Gerencial_Imp COR 01 002 0 0"));
}

TEST_F(SalesBySalespersonReport, ManagementReportIsOpenedBeforeThePacketIsRead) {
    EXPECT_THROW(print(true, "not a data packet"), PacketError);
    EXPECT_THAT(recorder.calls,
                ElementsAre("ConfiguraImpressora 7 0 1", "Relatorio_Gerencial_Imp COR 01 002 0 0"));
}

TEST_F(SalesBySalespersonReport, UnregisteredEntryPointFailsBeforeAnythingIsPrinted) {
    tov_backend table = recorder.backend();
    table.FechRelatGerenc = nullptr;
    const services::Backend backend(table);
    const services::HostServices host(recorder.host());
    request.boUtilizaImpFis = true;
    const std::string packet = sales_packet({});
    request.P_VENDASVENDEDOR = packet;

    try {
        RelatorioVendedor(
            request, sales,
            services::DocumentContext{backend, host, settings, services::standard_messages()});
        FAIL() << "an unregistered entry point must fail the report";
    } catch (const BackendError& error) {
        EXPECT_STREQ(error.what(), "back-end entry point 'FechRelatGerenc' is not registered");
    }
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(SalesBySalespersonReport, PacketStaysLoadedAfterTheCall) {
    print(false, sales_packet({{"0001", "Ana", "1", "2"}, {"0002", "Bia", "3", "4"}}));
    EXPECT_EQ(sales.RecordCount(), 2);
}

}  // namespace
}  // namespace tov::reports
