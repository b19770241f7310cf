// The bill's entry and hand-off: which back-end gets the bill, how many bills a seat list makes,
// the hotel switch, the title and operator block, the bold bytes by printer kind, the Spanish
// wording, quoted codes, and the failures that end a call.

#include <gmock/gmock.h>

#include "bill_fixture.hpp"
#include "platform/errors/errors.hpp"

namespace tov::bill::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

const std::vector<ItemRow> one_item{{.name = "Agua", .quantity = 2}};

TEST_F(BillTest, FiscalFlagWithoutARegisterGivesANonFiscalBill) {
    request.IdTpImpParc = "F";
    EXPECT_TRUE(print(one_item));
    EXPECT_EQ(recorder.calls.at(0), "ConfiguraImpressora 1 0 0");
    EXPECT_THAT(bill(), StartsWith("        ACOMPANHAMENTO DO PEDIDO        \n"));
    EXPECT_THAT(recorder.calls.back(), StartsWith("DisparaImpressaoNaoFiscal"));
}

TEST_F(BillTest, RegisterKind30GetsTheItemsWholeAndItsAnswerIsTheResult) {
    request.IdTpImpParc = "F";
    request.boUtilizaImpFis = true;
    request.IdTipoImp = 30;
    request.doVrTxSer = 10;
    request.doTotal = 110.5;
    recorder.answer = 0;
    recorder.register_coupon = "4711";
    const std::string packet_bytes = items_packet(one_item);
    request.DADOS = packet_bytes;

    EXPECT_FALSE(print_packet());
    EXPECT_THAT(recorder.calls,
                ElementsAre("ConfiguraImpressora 30 0 1", "AjustaImpressaoDireta [] 30 [] 40",
                            "Conferencia_Outras COM1 COR 0001 002 [] 16 2 99 12 Carlos "
                            "15/03/2024 17:30 " +
                                std::to_string(packet_bytes.size()) + " 0 0 0 10 1 110.5 0 30"));
    EXPECT_STREQ(coupon, "4711");
    EXPECT_TRUE(recorder.bills.empty());

    request.boUtilizaImpFis = false;  // kind 30 on the plain printer is composed as usual
    recorder.calls.clear();
    EXPECT_TRUE(print(one_item));
    EXPECT_THAT(recorder.calls.back(), StartsWith("DisparaImpressaoNaoFiscal"));
}

TEST_F(BillTest, SeatListMakesOneBillPerSeatWithItsItemsAndEveryCoverRow) {
    request.stNrComanda = "7";
    request.stNrvendarest = "1002";
    request.IdLugarMesa = "S";
    request.stPosicao = "01;02";
    request.doCouver = 8;
    const std::vector<ItemRow> rows{{.seat = "01", .name = "Cafe"},
                                    {.seat = "02", .name = "Bolo"},
                                    {.seat = "02", .name = "Couvert", .product = "COUV"}};
    EXPECT_TRUE(print(rows));

    ASSERT_EQ(recorder.bills.size(), 2u);
    // The second bill's first heading comes with a blank line: the heading is carried over.
    EXPECT_THAT(recorder.bills[0], HasSubstr("Emissao: 15/03/2024 17:30\nConsumidor: JOAO\n" +
                                             dashes + "\nPosicao 01\nCafe\n"));
    EXPECT_THAT(recorder.bills[0], HasSubstr("\nCouvert                             8,00\n"));
    EXPECT_THAT(recorder.bills[0], Not(HasSubstr("Bolo")));
    EXPECT_THAT(recorder.bills[1],
                HasSubstr("Consumidor: PEDRO\n" + dashes + "\n \nPosicao 02\nBolo\n"));
    EXPECT_THAT(recorder.bills[1], HasSubstr("\nCouvert                             8,00\n"));
    EXPECT_THAT(recorder.bills[1], Not(HasSubstr("Cafe")));

    for (const char* whole_ticket : {"T", ""}) {
        recorder.bills.clear();
        request.stPosicao = whole_ticket;
        print(rows);
        EXPECT_EQ(recorder.bills.size(), 1u) << "'" << whole_ticket << "'";
    }
}

TEST_F(BillTest, GuestBillNeedsAConsumerCodeOnTheItems) {
    request.stIdIntHotel = "S";
    Ticket guest;
    guest.consumer = "Q-204";
    print(one_item, guest);
    EXPECT_THAT(bill(), StartsWith("     ** EXTRATO PARA CONFERENCIA **     \n"
                                   "    ** STATEMENT FOR VERIFICATION **    \n"));
    EXPECT_THAT(bill(), HasSubstr("Emissao: 15/03/2024 17:30\n"
                                  "             HOTEL MAR AZUL             \n"
                                  "Hospede\nQ-204\nHOSPEDE SILVA\n"
                                  "In: 14/03/2024       Out:16/03/2024\n"));
    // clang-format off
    EXPECT_THAT(bill(), HasSubstr(dashes + "\n        Apto/Room_______________        \n"
                                  "        Nome/Name_______________        \n"
                                  "       Assi/Signat______________        \n"
                                  " *** AUTORIZO 10% GORJETA ESPONTANEA ***\n"
                                  "         (  ) SIM     (  ) NAO          \n"
                                  "       Assi/Signat______________        \n" + dashes +
                                  "\nOBRIGADO"));
    // clang-format on

    recorder.bills.clear();
    print(one_item);  // no consumer code: an ordinary bill
    EXPECT_THAT(bill(), StartsWith("        ACOMPANHAMENTO DO PEDIDO"));
    EXPECT_THAT(bill(), Not(HasSubstr("Hospede")));
    EXPECT_THAT(bill(), Not(HasSubstr("Apto/Room")));
}

TEST_F(BillTest, TicketSaleWithoutTicketNumberShowsTheTableButNoOperator) {
    request.stTipoVenda = "1";
    request.stNrComanda = " ";
    print(one_item);
    EXPECT_THAT(bill(), HasSubstr(blanks + "\nMesa   : 12\nGarcom : Carlos\n"));
}

TEST_F(BillTest, BoldBytesFollowThePrinterKind) {
    const std::string esc = "\x1b";
    const std::string total = "Total Geral                        10,00\n" + dashes + "\n";
    const std::pair<int, std::string> kinds[] = {
        {13, esc + "E" + total + esc + "F"},
        {14, esc + "E\x01" + total + esc + "E Tempo"},
        {16, esc + "E\x01" + total + esc + "ETempo"},
        {19, esc + "E\x01" + total + esc + "ETempo"},
        {22, esc + "E\x01" + total + esc + "E" + '\0' + "Tempo"},
        {7, "Subtotal                           10,00\n" + total + "Tempo"},
    };
    for (const auto& [kind, expected] : kinds) {
        recorder.bills.clear();
        request.IdTipoImp = kind;
        print(one_item);
        EXPECT_THAT(bill(), HasSubstr(expected)) << "kind " << kind;
    }
}

TEST_F(BillTest, ColombianStoreGetsSpanishOnNonFiscalBills) {
    parameter_file("01", "");
    request.doAcre = 1;
    print({{.name = "Agua com desconto", .quantity = 2, .discount = 1, .surcharge = 0.5}});
    // clang-format off
    EXPECT_EQ(bill(),
              "        SEGUIMIENTO DE PEDIDO        \n" + blanks + "\n"
              "Codigo : OP07\n"
              "Operador : MARIA SILVA\n"
              "Mesa   : 12\n"
              "Mozo   : Carlos\n"
              "Emision: 15/03/2024 17:30\n" + dashes + "\n"
              "Agua com descuento\n"
              "2,000   X 5,00                     10,00\n"
              "descuento            -1,00           9,00\n"
              "acr\xe9scimo           +0,50           9,50\n" + dashes + "\n"
              "Productos totales                  10,00\n"
              "Total Acr\xe9scimo                     1,00\n"
              "Subtotal                           11,00\n"
              "Total Geral                        11,00\n" + dashes + "\n"
              "Duracion de la estancia01:05:07\n" + dashes + "\n"
              "OBRIGADO PELA PREFERENCIA\n\n\n");
    // clang-format on
}

TEST_F(BillTest, CodesHoldingAQuoteOrAStarSelectOnlyTheirOwnRows) {
    request.stCdProdCouver = "CO'UV";
    request.stCdProdConsum = "1*";
    request.doCouver = 8;
    request.stPosicao = "0';";
    print({{.seat = "0'", .name = "Agua", .product = "10"},
           {.seat = "02", .name = "Outro"},
           {.seat = "0'", .name = "Couvert", .product = "CO'UV"}});
    EXPECT_THAT(bill(), HasSubstr(dashes + "\nAgua\n"));  // "10" is no "1*"
    EXPECT_THAT(bill(), Not(HasSubstr("Outro")));
    EXPECT_THAT(bill(), HasSubstr("\nCouvert                             8,00\n"));
}

TEST_F(BillTest, ALookupAnsweringADatabaseErrorEndsTheCallBeforeAnyHandOff) {
    sql("DROP TABLE TURCAIXA");
    try {
        print(one_item);
        FAIL() << "no failure";
    } catch (const Error& failure) {
        EXPECT_EQ(failure.status(), TOV_E_DATABASE);
        EXPECT_THAT(failure.what(), StartsWith("table bill: GetCaixa answered an error instead "
                                               "of a packet: "));
        EXPECT_THAT(failure.what(), HasSubstr("TURCAIXA"));
    }
    EXPECT_TRUE(recorder.bills.empty());
}

// The second seat's quantity is no number: its bill fails, the first stays handed off.
TEST_F(BillTest, FailingSeatBillNamesTheSeatAndKeepsTheEarlierBills) {
    request.stPosicao = "01;02;03";
    std::string bad = items_packet({{.seat = "01", .quantity = 1}, {.seat = "02", .quantity = 7}});
    bad.replace(bad.find("\"QTPRODCOMVEN\" fieldtype=\"r8\""), 29,
                "\"QTPRODCOMVEN\" fieldtype=\"string\"");
    bad.replace(bad.find("\"1.000000\""), 10, "\"1\"");
    bad.replace(bad.find("\"7.000000\""), 10, "\"sete\"");
    request.DADOS = bad;
    try {
        print_packet();
        FAIL() << "no failure";
    } catch (const Error& failure) {
        EXPECT_EQ(failure.status(), TOV_E_CONVERSION);
        EXPECT_THAT(failure.what(), StartsWith("table bill of seat 02 (the bills of seats 01 "
                                               "were handed off): "));
    }
    ASSERT_EQ(recorder.bills.size(), 1u);
    EXPECT_THAT(recorder.bills[0], HasSubstr("1,000   X 5,00"));
}

TEST_F(BillTest, MissingEntryPointFailsBeforeAnythingIsAsked) {
    tov_backend table = recorder.backend();
    table.DisparaImpressaoNaoFiscal = nullptr;
    const services::Backend backend(table);
    const services::HostServices host(recorder.host());
    BillStore store{cdsParcProdutos, cdsCaixa,         cdsSaldocons,
                    cdsMovCaixaMob,  cdsParametrosPld, lookups};
    EXPECT_THROW(ConferenciaMesa(request, store, {backend, host, settings, messages}),
                 BackendError);
    EXPECT_TRUE(recorder.calls.empty());
}

}  // namespace
}  // namespace tov::bill::testing
