#include "statement/consumer_statement.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "statement/statement_fixture.hpp"

namespace tov::statement {
namespace {

using testing::ConsumerStatement;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST_F(ConsumerStatement, SimpleLayoutOnThePlainPrinterInFortyFourColumns) {
    simple_account();

    const StatementOutcome outcome = print(false);

    EXPECT_TRUE(outcome.result);
    EXPECT_EQ(outcome.reason, "");
    EXPECT_THAT(recorder.calls, ElementsAre("ImprimePadrao COM2 1"));
    EXPECT_EQ(recorder.printed,
              "\r\n"
              "--------------------------------------------\r\n"
              "           Restaurante Sao Jorge            \r\n"
              "\r\n"
              "--------------------------------------------\r\n"
              "Caixa: 003               15/03/2024 18:00\r\n"
              "--------------------------------------------\r\n"
              "\r\n"
              "Cliente: C001\r\n"
              "Cons: 123-Maria Joao\r\n"
              "--------------------------------------------\r\n"
              "SALDO ANTERIOR - Bar                   0,00\r\n"
              "--------------------------------------------\r\n"
              "Data       Operacao            Valor   Saldo\r\n"
              "10/03/2024\r\n"
              " 09:15 Recarga                 50,00   50,00\r\n"
              "   0001 Recarga        \r\n"
              " 12:30 Venda                  -12,50   37,50\r\n"
              "   0001 2    Cerveja           10,00\r\n"
              "   0001 0,5  Porcao de batat    2,50\r\n"
              "11/03/2024\r\n"
              " 08:00 Estorno de recarga      -5,00   32,50\r\n"
              "   0002 Estorno de rec \r\n"
              "\r\n"
              "--------------------------------------------\r\n"
              "SALDO ANTERIOR - Restaurante          25,50\r\n"
              "--------------------------------------------\r\n"
              "Data       Operacao            Valor   Saldo\r\n"
              "10/03/2024\r\n"
              " 10:00 Recarga cartao         100,00  100,00\r\n"
              "   0001 Recarga cartao \r\n"
              "12/03/2024\r\n"
              " 19:45 Venda                  -30,00   70,00\r\n"
              "   0001 1    Prato do dia      30,00\r\n"
              "\r\n"
              "\r\n"
              "--------------------------------------------\r\n"
              "Saldo Total                           102,50\r\n"
              "\r\n"
              "\r\n");
}

TEST_F(ConsumerStatement, SimpleLayoutOnTheRegisterHandsTheTextOverAfterEverySaleItemLine) {
    simple_account();

    const StatementOutcome outcome = print(true);

    EXPECT_TRUE(outcome.result);
    EXPECT_THAT(recorder.calls, ElementsAre("ConfiguraImpressora 7 0 1",
                                            "Cabecalho 0001 COR Restaurante Sao Jorge 003 0 0",
                                            "Usa_CompNFis COR 400", "Usa_CompNFis COR 37",
                                            "Usa_CompNFis COR 461", "Extrato COR"));
    ASSERT_EQ(recorder.pieces.size(), 3u);
    EXPECT_EQ(recorder.pieces[0],
              "Cliente: C001\n"
              "Cons: 123-Maria Jo\xe3o\n"
              "------------------------------------------------\n"
              "SALDO ANTERIOR - Bar                       0,00\n"
              "------------------------------------------------\n"
              "Data       Operacao            Valor   Saldo    \n"
              "10/03/2024\n"
              " 09:15 Recarga                 50,00       50,00\n"
              "   0001 Recarga        \n"
              " 12:30 Venda                  -12,50       37,50\n"
              "   0001 2    Cerveja           10,00\n");
    EXPECT_EQ(recorder.pieces[1], "   0001 0,5  Porcao de batat    2,50\n");
    EXPECT_EQ(recorder.pieces[2],
              "11/03/2024\n"
              " 08:00 Estorno de recarga      -5,00       32,50\n"
              "   0002 Estorno de rec \n"
              "\n"
              "------------------------------------------------\n"
              "SALDO ANTERIOR - Restaurante              25,50\n"
              "------------------------------------------------\n"
              "Data       Operacao            Valor   Saldo    \n"
              "10/03/2024\n"
              " 10:00 Recarga cartao         100,00      100,00\n"
              "   0001 Recarga cartao \n"
              "12/03/2024\n"
              " 19:45 Venda                  -30,00       70,00\n"
              "   0001 1    Prato do dia      30,00\n");
    EXPECT_EQ(recorder.extrato,
              "\n"
              "\n"
              "------------------------------------------------\n"
              "Saldo Total                               102,50\n"
              "\n"
              "\n");
}

TEST_F(ConsumerStatement, DetailedLayoutOnTheRegisterGoesToExtratoWhole) {
    detailed_account();

    const StatementOutcome outcome = print(true);

    EXPECT_TRUE(outcome.result);
    EXPECT_THAT(recorder.calls,
                ElementsAre("ConfiguraImpressora 7 0 1",
                            "Cabecalho 0001 COR Restaurante Sao Jorge 003 0 0", "Extrato COR"));
    EXPECT_EQ(recorder.extrato,
              "Cliente: C001\n"
              "Cons: 123-Maria Jo\xe3o\n"
              "------------------------------------------------\n"
              "SALDO ANTERIOR - Bar                       0,00\n"
              "------------------------------------------------\n"
              "Data       Operacao            Valor   Saldo    \n"
              "10/03/2024\n"
              " 09:15 Recarga                 50,00       50,00\n"
              "   0001 Recarga        \n"
              " 12:30 Venda                  -10,00       40,00\n"
              "   0001 2    Cerveja           10,00\n"
              "11/03/2024\n"
              " 08:00 Estorno                 -7,50       32,50\n"
              "   0002 Estorno        \n"
              "------------------------------------------------\n"
              "SALDO ANTERIOR - Restaurante             100,00\n"
              "------------------------------------------------\n"
              "Data       Operacao            Valor   Saldo    \n"
              "12/03/2024\n"
              " 19:45 Venda                  -30,00       70,00\n"
              "   0001 1    Prato do dia      30,00\n"
              "------------------------------------------------\n"
              "Saldo Total                               102,50\n"
              "\n"
              "\n");
}

// ---- Layout choice ------------------------------------------------------------------------------

class LayoutSetting : public ConsumerStatement,
                      public ::testing::WithParamInterface<const char*> {};

TEST_P(LayoutSetting, AnythingButCapitalSSelectsTheDetailedLayout) {
    detailed_account();
    data.setting(GetParam());

    EXPECT_TRUE(print(false).result);

    EXPECT_THAT(recorder.printed, HasSubstr(" 08:00 Estorno                 -7,50   32,50\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Settings, LayoutSetting, ::testing::Values("N", "s", "S ", " S", ""));

TEST_F(ConsumerStatement, PlainPrinterIsFortyFourColumnsWhateverTheModel) {
    simple_account();
    stIdTipoImpNF = "44";
    recorder.register_width = 80;

    EXPECT_TRUE(print(false).result);

    EXPECT_THAT(recorder.calls, ElementsAre("ImprimePadrao COM2 44"));
    EXPECT_THAT(recorder.printed, HasSubstr("\r\nSaldo Total                           102,50\r\n"
                                            "--------------------------------------------\r\n"
                                            "\r\n\r\n\r\n\r\n\r\n"));
    EXPECT_TRUE(recorder.printed.ends_with("-\r\n\r\n\r\n\r\n\r\n\r\n"));
}

TEST_F(ConsumerStatement, PlainPrinterGetsTheTextWithoutAccents) {
    simple_account();
    stNmConsumidor = "Jos\xe9 \xc2ngelo Concei\xe7\xe3o";

    EXPECT_TRUE(print(false).result);

    EXPECT_THAT(recorder.printed, HasSubstr("\r\nCons: 123-Jose Angelo Conceicao\r\n"));
}

// ---- Total -------------------------------------------------------------------------------------

TEST_F(ConsumerStatement, TotalAddsTheFamilyBalancesFromTheCurrentRowOn) {
    simple_account();
    data.family_balances({"1000", "32.5", "70.25"});
    data.cdsSaldFam.SetRecNo(2);

    EXPECT_TRUE(print(false).result);

    EXPECT_THAT(recorder.printed,
                HasSubstr("\r\nSaldo Total                           102,75\r\n"));
    EXPECT_TRUE(data.cdsSaldFam.Eof());
}

TEST_F(ConsumerStatement, TotalIsZeroWithTheFamilyBalancesAtTheirEnd) {
    simple_account();
    while (!data.cdsSaldFam.Eof()) data.cdsSaldFam.Next();

    EXPECT_TRUE(print(false).result);

    EXPECT_THAT(recorder.printed,
                HasSubstr("\r\nSaldo Total                             0,00\r\n"));
}

// ---- Result ------------------------------------------------------------------------------------

TEST_F(ConsumerStatement, BackEndAnswerIsTheResult) {
    simple_account();
    recorder.answer = 0;

    const StatementOutcome plain = print(false);
    EXPECT_FALSE(plain.result);
    EXPECT_EQ(plain.reason, "ImprimePadrao answered false");

    simple_account();
    const StatementOutcome fiscal = print(true);
    EXPECT_FALSE(fiscal.result);
    EXPECT_EQ(fiscal.reason, "Extrato answered false");
}

TEST_F(ConsumerStatement, MissingFieldEndsTheStatementWithFalseBeforeTheHandOff) {
    simple_account();
    data.cdsSaldFam.SetData(
        "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"SALDO\" fieldtype=\"r8\"/></FIELDS><PARAMS/></METADATA>"
        "<ROWDATA><ROW SALDO=\"1\"/></ROWDATA></DATAPACKET>");

    const StatementOutcome outcome = print(true);

    EXPECT_FALSE(outcome.result);
    EXPECT_THAT(outcome.reason, HasSubstr("'SALDOFAM'"));
    EXPECT_EQ(recorder.calls.back(), "Usa_CompNFis COR 461");  // no Extrato follows
}

TEST_F(ConsumerStatement, UnregisteredEntryPointIsFalseBeforeAnythingIsPrinted) {
    simple_account();
    tov_backend table = recorder.backend();
    table.Usa_CompNFis = nullptr;
    const services::Backend backend(table);
    const services::HostServices host(recorder.host());
    const ConsumerStatementRequest request{true,
                                           "0001",
                                           "COR",
                                           "1",
                                           "COM2",
                                           data.cdsTipoExtCons,
                                           data.cdsSaldoConsExt,
                                           data.cdsExtSimples,
                                           data.cdsExtVenda,
                                           data.cdsSaldFam,
                                           "",
                                           "Loja",
                                           "003",
                                           "123",
                                           "Maria",
                                           data.cdsExtrato,
                                           7};

    const StatementOutcome outcome = Extrato(
        request, services::DocumentContext{backend, host, settings, services::standard_messages()});

    EXPECT_FALSE(outcome.result);
    EXPECT_THAT(outcome.reason, HasSubstr("Usa_CompNFis"));
    EXPECT_THAT(recorder.calls, ElementsAre("ConfiguraImpressora 7 0 1"));
}

}  // namespace
}  // namespace tov::statement
