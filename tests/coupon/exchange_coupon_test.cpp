#include "coupon/exchange_coupon.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/errors/errors.hpp"
#include "support/recorder.hpp"

namespace tov::coupon {
namespace {

using ::testing::ElementsAre;

struct Product {
    std::string fiscal_code;
    std::string second_code;
    std::string name;
    std::string quantity;
    std::string unit;
};

std::string product_packet(const std::vector<Product>& rows, bool with_unit = true) {
    std::string xml =
        "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"CDPRODIMPFIS\" fieldtype=\"string\" WIDTH=\"20\"/>"
        "<FIELD attrname=\"CDARVPROD\" fieldtype=\"string\" WIDTH=\"20\"/>"
        "<FIELD attrname=\"NMPRODUTO\" fieldtype=\"string\" WIDTH=\"60\"/>"
        "<FIELD attrname=\"QTPRODCOMVEN\" fieldtype=\"string\" WIDTH=\"10\"/>";
    if (with_unit) xml += "<FIELD attrname=\"SGUNIDADE\" fieldtype=\"string\" WIDTH=\"3\"/>";
    xml += "</FIELDS><PARAMS/></METADATA><ROWDATA>";
    for (const auto& row : rows) {
        xml += "<ROW CDPRODIMPFIS=\"" + row.fiscal_code + "\" CDARVPROD=\"" + row.second_code +
               "\" NMPRODUTO=\"" + row.name + "\" QTPRODCOMVEN=\"" + row.quantity + "\"";
        if (with_unit) xml += " SGUNIDADE=\"" + row.unit + "\"";
        xml += "/>";
    }
    return xml + "</ROWDATA></DATAPACKET>";
}

// The register of the coupon tests: font 3 in 40 columns with CR LF, and the coupon number
// ConfiguraImpressora receives written into its call record.
tov::testing::Recorder coupon_register() {
    tov::testing::Recorder recorder;
    recorder.register_font = 3;
    recorder.register_width = 40;
    recorder.register_line_break = "\r\n";
    recorder.shows_coupon_number = true;
    return recorder;
}

const std::string dashes_39(39, '-');
const std::string blanks_39(39, ' ');

class ExchangeCoupon : public ::testing::Test {
protected:
    bool print(const std::string& packet) {
        request.oleProdutos = packet;
        const services::Backend backend(recorder.backend());
        const services::HostServices host(recorder.host());
        return CupomTroca(request, products,
                          services::DocumentContext{backend, host, settings, messages});
    }

    tov::testing::Recorder recorder = coupon_register();
    format::FormatSettings settings;
    services::TMessages messages = services::make_standard_messages();
    dataset::ClientDataSet products;
    ExchangeCouponRequest request{5,   {}, "COR", "01", "002", "Maria da Silva", "123.456.789-09",
                                  "1", 30};
    const std::string two_products = product_packet(
        {{"1001", "A-77", "Camiseta Polo Azul M", "2", "UN"},
         {"2002", "B-88", "Cal\xe7\x61 Jeans Masculina Tradicional 42", "1,5", "MT"}});
};

TEST_F(ExchangeCoupon, PrintsProductsNumberConsumerAndPeriodThenAnswersTheBackEnd) {
    EXPECT_TRUE(print(two_products));

    EXPECT_THAT(recorder.calls, ElementsAre("Nr_Cupom 0 0 []", "ConfiguraImpressora 5 1 1 [123]",
                                            "Cupom_Troca COR 01 002"));
    EXPECT_EQ(recorder.printed, dashes_39 +
                                    "\r\n"
                                    "             CUPOM DE TROCA             \r\n" +
                                    blanks_39 +
                                    "\r\n"
                                    "Cod.        NOME                            Qtde\r\n"
                                    "1001        Camiseta Polo Azul M             2UN\r\n"
                                    "2002        Cal\xe7\x61 Jeans Masculina Tradic   1,5MT\r\n" +
                                    dashes_39 +
                                    "\r\n"
                                    "Nr. Cupom Fiscal: 000123\r\n"
                                    "Maria da Silva\r\n"
                                    "123.456.789-09\r\n" +
                                    blanks_39 +
                                    "\r\n"
                                    "       PRAZO PARA TROCA: 30 DIAS        \r\n" +
                                    blanks_39 + "\r\n");
}

TEST_F(ExchangeCoupon, EmptyOrBlankConsumerNameAndTaxNumberLeaveOutTheirLines) {
    request.stNmConsumidor = "";
    request.stCpfCnpjCon = "   ";

    print(two_products);

    EXPECT_THAT(recorder.printed, ::testing::HasSubstr("Nr. Cupom Fiscal: 000123\r\n" + blanks_39 +
                                                       "\r\n       PRAZO"));
}

TEST_F(ExchangeCoupon, EmptyPacketPrintsTheHeadingFollowedByTheDashLine) {
    recorder.register_width = 20;
    recorder.register_line_break = "\n";
    request.doNrDias = 7.5;

    EXPECT_TRUE(print(product_packet({})));

    EXPECT_EQ(recorder.printed,
              "-------------------\n"
              "   CUPOM DE TROCA   \n"
              "                   \n"
              "Cod.        NOME                            Qtde\n"
              "-------------------\n"
              "Nr. Cupom Fiscal: 000123\n"
              "Maria da Silva\n"
              "123.456.789-09\n"
              "                   \n"
              "PRAZO PARA TROCA: 7,5 DIAS\n"
              "                   \n");
}

TEST_F(ExchangeCoupon, ProductLinesKeepFortyEightColumnsOnAWideRegister) {
    recorder.register_width = 56;
    request.doNrDias = 7.5;
    request.stNmConsumidor = "";
    request.stCpfCnpjCon = "";

    print(product_packet({{"1001", "", "Meia", "12", "PR"}}));

    EXPECT_EQ(recorder.printed, std::string(55, '-') +
                                    "\r\n"
                                    "                     CUPOM DE TROCA                     \r\n" +
                                    std::string(55, ' ') +
                                    "\r\n"
                                    "Cod.        NOME                            Qtde\r\n"
                                    "1001        Meia                            12PR\r\n" +
                                    std::string(55, '-') +
                                    "\r\n"
                                    "Nr. Cupom Fiscal: 000123\r\n" +
                                    std::string(55, ' ') +
                                    "\r\n"
                                    "               PRAZO PARA TROCA: 7,5 DIAS               \r\n" +
                                    std::string(55, ' ') + "\r\n");
}

TEST_F(ExchangeCoupon, EmptyOrBlankFiscalCodeShowsTheSecondCode) {
    print(product_packet({{"", "A-77", "Bermuda", "1", "UN"},
                          {"  ", "B-88", "Bon\xe9", "3", "UN"},
                          {"3003", "C-99", "Cinto", "1", "UN"}}));

    EXPECT_THAT(recorder.printed,
                ::testing::HasSubstr("A-77        Bermuda                          1UN\r\n"
                                     "B-88        Bon\xe9                             3UN\r\n"
                                     "3003        Cinto                            1UN\r\n"));
}

TEST_F(ExchangeCoupon, OnlyAnExactCapitalBTurnsTheFirstConfigurationFlagOff) {
    for (const char* sale_type : {"B", "b", "B ", ""}) {
        recorder.calls.clear();
        request.stTipVen = sale_type;
        print(two_products);
        const char* expected = std::string(sale_type) == "B" ? "ConfiguraImpressora 5 0 1 [123]"
                                                             : "ConfiguraImpressora 5 1 1 [123]";
        EXPECT_EQ(recorder.calls.at(1), expected) << "sale type '" << sale_type << "'";
    }
}

TEST_F(ExchangeCoupon, PrintsTheNumberThatTheConfigurationLeaves) {
    recorder.configured_number = "4567";
    print(two_products);
    EXPECT_THAT(recorder.printed, ::testing::HasSubstr("Nr. Cupom Fiscal: 004567\r\n"));

    recorder.configured_number = "";
    recorder.register_number = "12345678";
    print(two_products);
    EXPECT_THAT(recorder.printed, ::testing::HasSubstr("Nr. Cupom Fiscal: 12345678\r\n"));
}

TEST_F(ExchangeCoupon, FalseAnswerOfTheBackEndIsTheResult) {
    recorder.answer = 0;
    EXPECT_FALSE(print(two_products));
    EXPECT_FALSE(recorder.printed.empty());
}

TEST_F(ExchangeCoupon, PacketStaysLoadedAfterTheCall) {
    print(two_products);
    EXPECT_EQ(products.RecordCount(), 2);
    EXPECT_TRUE(products.Eof());
}

TEST_F(ExchangeCoupon, FailuresReachTheCallerAndNoCouponIsPrinted) {
    EXPECT_THROW(print("not a data packet"), PacketError);
    EXPECT_THROW(print(product_packet({{"1", "", "Meia", "1", "PR"}}, false)), FieldNotFound);
    EXPECT_THAT(recorder.calls,
                ::testing::Not(::testing::Contains(::testing::StartsWith("Cupom_Troca"))));
}

TEST_F(ExchangeCoupon, UnregisteredCouponEntryPointFailsBeforeTheNumberIsAsked) {
    tov_backend table = recorder.backend();
    table.Cupom_Troca = nullptr;
    const services::Backend backend(table);
    const services::HostServices host(recorder.host());
    request.oleProdutos = two_products;

    EXPECT_THROW(
        CupomTroca(request, products, services::DocumentContext{backend, host, settings, messages}),
        BackendError);
    EXPECT_TRUE(recorder.calls.empty());
}

}  // namespace
}  // namespace tov::coupon
