#include "reports/payment_means.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/errors/errors.hpp"
#include "support/recorder.hpp"

namespace tov::reports {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Receipt {
    std::string day;  // as the packet writes a dateTime; "" leaves it NULL
    std::string tipo;
    std::string name;
    std::string amount;
    std::string code;
};

std::string receipt_packet(const std::vector<Receipt>& rows, bool with_code = true) {
    std::string xml =
        "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"DTMOVIMCAIXA\" fieldtype=\"dateTime\"/>"
        "<FIELD attrname=\"TIPO\" fieldtype=\"string\" WIDTH=\"3\"/>"
        "<FIELD attrname=\"NMTIPORECE\" fieldtype=\"string\" WIDTH=\"40\"/>"
        "<FIELD attrname=\"VALOR\" fieldtype=\"r8\"/>";
    if (with_code) xml += "<FIELD attrname=\"CDTIPORECE\" fieldtype=\"string\" WIDTH=\"3\"/>";
    xml += "</FIELDS><PARAMS/></METADATA><ROWDATA>";
    for (const auto& row : rows) {
        xml += "<ROW";
        if (!row.day.empty()) xml += " DTMOVIMCAIXA=\"" + row.day + "\"";
        xml += " TIPO=\"" + row.tipo + "\" NMTIPORECE=\"" + row.name + "\" VALOR=\"" + row.amount +
               "\"";
        if (with_code) xml += " CDTIPORECE=\"" + row.code + "\"";
        xml += "/>";
    }
    return xml + "</ROWDATA></DATAPACKET>";
}

// The register of the payment-means tests: font 1 in 40 columns.
tov::testing::Recorder payment_means_register() {
    tov::testing::Recorder recorder;
    recorder.register_font = 1;
    recorder.register_width = 40;
    return recorder;
}

constexpr const char* day_15 = "20240315";
constexpr const char* day_16 = "20240316";

class PaymentMeansReport : public ::testing::Test {
protected:
    void print(const std::string& packet) {
        request.oleTipoRece = packet;
        const services::Backend backend(recorder.backend());
        const services::HostServices host(recorder.host());
        imprimeTipoRece(
            request, receipts,
            services::DocumentContext{backend, host, settings, services::standard_messages()});
    }

    tov::testing::Recorder recorder = payment_means_register();
    format::FormatSettings settings;
    dataset::ClientDataSet receipts;
    PaymentMeansRequest request{9,       "01", "002",        "COR",       "SER123",
                                "MEIOS", {},   "15/03/2024", "16/03/2024"};
};

TEST_F(PaymentMeansReport, TwoDaysWithTheirSumsThenOneLinePerPaymentType) {
    print(receipt_packet({{day_15, "CF", "Dinheiro", "1234.5", "1"},
                          {day_15, "CNF", "Cart\xe3o Cr\xe9\x64ito", "2500", "3"},
                          {day_15, "NF", "Dinheiro", "100.25", "1"},
                          {day_16, "CF", "Cheque", "12345.67", "4"}}));

    EXPECT_THAT(recorder.calls, ElementsAre("ConfiguraImpressora 9 0 1",
                                            "imprimeTipoRece 01 002 COR SER123 MEIOS"));
    EXPECT_EQ(recorder.printed,
              "           Meios de Pagamento           \n"
              "Per\xedodo Solicitado: de 15/03/2024 a 16/03/2024\n"
              "Data: 15/03/2024\n"
              "Dinheiro - Cupom Fiscal - R$ 1.234,50\n"
              "Cart\xe3o Cr\xe9\x64ito - Comprovante N\xe3o Fiscal - R$ 2.500,00\n"
              "Dinheiro - Nota Fiscal - R$ 100,25\n"
              "SOMA DO DIA 15/03/2024 = R$ 3.834,75\n"
              "\n"
              "\n"
              "Data: 16/03/2024\n"
              "Cheque - Cupom Fiscal - R$ 12.345,67\n"
              "SOMA DO DIA 16/03/2024 = R$ 12.345,67\n"
              "      TOTAL DO PERIODO SOLICITADO       \n"
              "\n"
              "Dinheiro                             R$ 1.334,75\n"
              "Cart\xe3o Cr\xe9\x64ito                       R$ 2.500,00\n"
              "Cheque                              R$ 12.345,67\n"
              "Soma total                          R$ 16.180,42\n");
}

TEST_F(PaymentMeansReport, EmptyPacketPrintsTitlesAndAZeroTotal) {
    recorder.register_line_break = "\r\n";
    recorder.register_width = 48;

    print(receipt_packet({}));

    EXPECT_EQ(recorder.printed,
              "               Meios de Pagamento               \r\n"
              "Per\xedodo Solicitado: de 15/03/2024 a 16/03/2024\r\n"
              "          TOTAL DO PERIODO SOLICITADO           \r\n"
              "\r\n"
              "Soma total                               R$ 0,00\r\n");
}

TEST_F(PaymentMeansReport, DayBlocksFollowTheRowsAndTheWholeDateTime) {
    print(receipt_packet({{day_15, "CF", "Dinheiro", "10", "1"},
                          {day_16, "CF", "Dinheiro", "20", "1"},
                          {day_15, "CF", "Dinheiro", "30", "1"},
                          {"20240315T18:30:00000", "CF", "Dinheiro", "40", "1"}}));

    EXPECT_THAT(recorder.printed, HasSubstr("Data: 15/03/2024\n"
                                            "Dinheiro - Cupom Fiscal - R$ 10,00\n"
                                            "SOMA DO DIA 15/03/2024 = R$ 10,00\n\n\n"
                                            "Data: 16/03/2024\n"
                                            "Dinheiro - Cupom Fiscal - R$ 20,00\n"
                                            "SOMA DO DIA 16/03/2024 = R$ 20,00\n\n\n"
                                            "Data: 15/03/2024\n"
                                            "Dinheiro - Cupom Fiscal - R$ 30,00\n"
                                            "SOMA DO DIA 15/03/2024 = R$ 30,00\n\n\n"
                                            "Data: 15/03/2024\n"
                                            "Dinheiro - Cupom Fiscal - R$ 40,00\n"
                                            "SOMA DO DIA 15/03/2024 = R$ 40,00\n"
                                            "      TOTAL DO PERIODO SOLICITADO       \n\n"
                                            "Dinheiro                               R$ 100,00\n"
                                            "Soma total                             R$ 100,00\n"));
}

TEST_F(PaymentMeansReport, RowsWithoutADateFormADayBlockWithAnEmptyDate) {
    print(receipt_packet({{"", "CF", "Dinheiro", "5", "1"},
                          {day_15, "CF", "Dinheiro", "10", "1"},
                          {"", "CF", "Cheque", "7", "4"},
                          {"", "NF", "Cheque", "8", "4"},
                          {day_15, "CF", "Dinheiro", "20", "1"}}));

    EXPECT_THAT(recorder.printed, HasSubstr("Data: \n"
                                            "Dinheiro - Cupom Fiscal - R$ 5,00\n"
                                            "SOMA DO DIA  = R$ 5,00\n\n\n"
                                            "Data: 15/03/2024\n"
                                            "Dinheiro - Cupom Fiscal - R$ 10,00\n"
                                            "SOMA DO DIA 15/03/2024 = R$ 10,00\n\n\n"
                                            "Data: \n"
                                            "Cheque - Cupom Fiscal - R$ 7,00\n"
                                            "Cheque - Nota Fiscal - R$ 8,00\n"
                                            "SOMA DO DIA  = R$ 15,00\n\n\n"
                                            "Data: 15/03/2024\n"
                                            "Dinheiro - Cupom Fiscal - R$ 20,00\n"
                                            "SOMA DO DIA 15/03/2024 = R$ 20,00\n"));
    EXPECT_THAT(recorder.printed, HasSubstr("Soma total                              R$ 50,00\n"));
}

TEST_F(PaymentMeansReport, UnknownDocumentCodeIsShownAsItStands) {
    print(receipt_packet({{day_15, "cf", "Dinheiro", "1", "1"},
                          {day_15, "CF", "Dinheiro", "2", "1"},
                          {day_15, "CF ", "Dinheiro", "3", "1"},
                          {day_15, "", "Dinheiro", "4", "1"},
                          {day_15, "NFE", "Dinheiro", "5", "1"}}));

    EXPECT_THAT(recorder.printed, HasSubstr("Dinheiro - cf - R$ 1,00\n"
                                            "Dinheiro - Cupom Fiscal - R$ 2,00\n"
                                            "Dinheiro - CF  - R$ 3,00\n"
                                            "Dinheiro -  - R$ 4,00\n"
                                            "Dinheiro - NFE - R$ 5,00\n"));
}

TEST_F(PaymentMeansReport, EveryPaymentTypeHasItsRecapitulationLineBeyondTwenty) {
    std::vector<Receipt> rows;
    std::string expected_lines;
    for (int type = 1; type <= 25; ++type) {
        const std::string number = (type < 10 ? "0" : "") + std::to_string(type);
        rows.push_back({day_15, "CF", "Tipo " + number, "1000", number});
        rows.push_back({day_16, "CF", "Tipo " + number, std::to_string(type), number});
        expected_lines += "Tipo " + number + std::string(30, ' ') + "R$ 1.0" + number + ",00\n";
    }

    print(receipt_packet(rows));

    EXPECT_THAT(recorder.printed,
                HasSubstr("      TOTAL DO PERIODO SOLICITADO       \n\n" + expected_lines +
                          "Soma total                          R$ 25.325,00\n"));
}

TEST_F(PaymentMeansReport, RecapitulationSumsEachTypeInTheOrderOfItsFirstRow) {
    print(receipt_packet({{day_15, "CF", "Cheque", "1.1", "4"},
                          {day_15, "CF", "", "1000", "9"},
                          {day_15, "CF", "Dinheiro", "2.2", "1"},
                          {day_16, "CF", "Cheque pr\xe9-datado", "3.3", "4"},
                          {day_16, "CF", "Vale", "4000", "9"},
                          {day_16, "CF", "Dinheiro", "-0.2", "01"}}));

    EXPECT_THAT(recorder.printed, HasSubstr("\n\n"
                                            "Cheque                                   R$ 4,40\n"
                                            "Vale                                 R$ 5.000,00\n"
                                            "Dinheiro                                 R$ 2,20\n"
                                            "Dinheiro                                -R$ 0,20\n"
                                            "Soma total                           R$ 5.006,40\n"));
}

TEST_F(PaymentMeansReport, TypeWithoutANameGivesNoLineButCountsInTheTotal) {
    print(receipt_packet({{day_15, "CF", "", "70", "9"}, {day_15, "CF", "Dinheiro", "5", "1"}}));

    EXPECT_THAT(recorder.printed, HasSubstr(" - Cupom Fiscal - R$ 70,00\n"));
    EXPECT_THAT(recorder.printed, HasSubstr("\n\n"
                                            "Dinheiro                                 R$ 5,00\n"
                                            "Soma total                              R$ 75,00\n"));
}

TEST_F(PaymentMeansReport, LargeAndNegativeAmountsInBrazilianCurrencyPrintWhole) {
    print(receipt_packet({{day_15, "CF", "Dinheiro", "123456789.01", "1"},
                          {day_15, "CNF", "Estorno", "-1234.5", "2"}}));

    EXPECT_THAT(recorder.printed, HasSubstr("Dinheiro - Cupom Fiscal - R$ 123.456.789,01\n"
                                            "Estorno - Comprovante N\xe3o Fiscal - -R$ 1.234,50\n"
                                            "SOMA DO DIA 15/03/2024 = R$ 123.455.554,51\n"));
    EXPECT_THAT(recorder.printed, HasSubstr("Dinheiro                        R$ 123.456.789,01\n"
                                            "Estorno                             -R$ 1.234,50\n"
                                            "Soma total                      R$ 123.455.554,51\n"));
}

TEST_F(PaymentMeansReport, CompletesWhateverTheBackEndAnswers) {
    recorder.answer = 0;
    EXPECT_NO_THROW(print(receipt_packet({{day_15, "CF", "Dinheiro", "1", "1"}})));
    EXPECT_EQ(recorder.calls.size(), 2u);
}

TEST_F(PaymentMeansReport, PacketStaysLoadedAfterTheCall) {
    print(receipt_packet({{day_15, "CF", "Dinheiro", "1", "1"}, {day_16, "CF", "Pix", "2", "7"}}));
    EXPECT_EQ(receipts.RecordCount(), 2);
}

TEST_F(PaymentMeansReport, FailuresReachTheCallerAndNothingIsPrinted) {
    EXPECT_THROW(print("not a data packet"), PacketError);
    EXPECT_THROW(print(receipt_packet({{day_15, "CF", "Dinheiro", "1", "1"}}, false)),
                 FieldNotFound);
    EXPECT_TRUE(recorder.printed.empty());
    EXPECT_THAT(recorder.calls,
                ElementsAre("ConfiguraImpressora 9 0 1", "ConfiguraImpressora 9 0 1"));
}

TEST_F(PaymentMeansReport, UnregisteredEntryPointFailsBeforeAnythingElse) {
    const services::Backend backend;
    const services::HostServices host(recorder.host());
    request.oleTipoRece = "";
    EXPECT_THROW(imprimeTipoRece(request, receipts,
                                 services::DocumentContext{backend, host, settings,
                                                           services::standard_messages()}),
                 BackendError);
    EXPECT_TRUE(recorder.calls.empty());
}

}  // namespace
}  // namespace tov::reports
