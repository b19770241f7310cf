// Whole bills, line by line: a table shared by two seats on the plain printer, and a ticket on
// the fiscal register.

#include <gmock/gmock.h>

#include "bill_fixture.hpp"

namespace tov::bill::testing {
namespace {

using ::testing::ElementsAre;

TEST_F(BillTest, TableWithTwoSeatsLoyaltyPaymentsAndTipsOnThePlainPrinter) {
    request.stNrComanda = "MESA 12";
    request.stNrvendarest = "1001";
    request.IdLugarMesa = "S";
    request.doQtPessoas = 2;
    request.doVrTxSer = 10;
    request.doTotal = 117;
    request.doVrDesc = 2;
    request.doCouver = 8;
    request.stIdComisVenda = "S";
    Ticket ticket;
    ticket.tips[0] = 10;
    ticket.tips[2] = 12;

    EXPECT_TRUE(print({{.seat = "01", .name = "Picanha", .price = 60},
                       {.seat = "02", .name = "Salada", .price = 30},
                       {.seat = "02", .name = "Suco", .quantity = 2, .discount = 1},
                       {.seat = "01", .name = "Couvert", .price = 8, .product = "COUV"}},
                      ticket));

    EXPECT_THAT(recorder.calls,
                ElementsAre("ConfiguraImpressora 1 0 0", "AjustaImpressaoDireta [] 1 [] 40",
                            "DisparaImpressaoNaoFiscal false 'PARCIALCONTA' text(1479) missing "
                            "missing missing ''"));
    // clang-format off
    EXPECT_EQ(bill(),
              "        ACOMPANHAMENTO DO PEDIDO        \n" + blanks + "\n"
              "Codigo : OP07\n"
              "Operador : MARIA SILVA\n"
              "Mesa   : 12\n"
              "Garcom : Carlos\n"
              "Consumidor: ANA PAULA\n"
              "Saldo Dispon\xedvel: R$ 12,75\n"
              "Emissao: 15/03/2024 17:30\n" + dashes + "\n"
              "Posicao 01\n"
              "Picanha\n"
              "1,000   X 60,00                    60,00\n" + dashes + "\n"
              " \n"
              "Posicao 02\n"
              "Salada\n"
              "1,000   X 30,00                    30,00\n"
              "Suco\n"
              "2,000   X 5,00                     10,00\n"
              "desconto            -1,00           9,00\n" + dashes + "\n"
              "Total Produtos                    100,00\n"
              "Desconto Fidelidade                 5,00\n"
              "Total Desconto                      2,00\n"
              "Subtotal                           98,00\n"
              "Gorjeta Sugerida                   10,00\n"
              "Couvert                             8,00\n"
              "Total Geral                       117,00\n" + dashes + "\n"
              "Total P01:  60,00   TX 6,06      66,06\n"
              "Total P02:  39,00   TX 3,94      42,94\n" + dashes + "\n"
              "Pagamento Adiantado\n"
              "CARTAO                             30,00\n"
              "DINHEIRO                           20,00\n" + dashes + "\n"
              "Total a Pagar                      67,00\n" + dashes + "\n"
              "Gorjeta Sugerida 10,00 %          107,90\n"
              "Gorjeta Sugerida 12,00 %          109,88\n" + dashes + "\n"
              " 2 PESSOA(S) 33,50 POR PESSOA\n"
              "Tempo de permanencia   01:05:07\n" + dashes + "\n"
              "OBRIGADO PELA PREFERENCIA\n"
              "\n\n");
    // clang-format on
}

// Kind 13 prints bold with ESC E and ESC F; the parameter file names Colombia, which a fiscal
// bill ignores, and the state "SC", which adds the notice.
TEST_F(BillTest, TicketOnTheFiscalRegisterWithCodesCancelledItemAndCreditLine) {
    parameter_file("01", "SC");
    request.IdTpImpParc = "F";
    request.boUtilizaImpFis = true;
    request.IdTipoImp = 13;
    request.stTipoVenda = "1";
    request.stNrComanda = "30";
    request.stNrvendarest = "1003";
    request.stMesa = "5";
    request.doVrTxSer = 3;
    request.doAcre = 3;
    request.doCouver = 5;
    request.doConsMin = 50;
    recorder.register_coupon = "000123";

    EXPECT_TRUE(print(
        {{.name = "Cerveja", .quantity = 3, .price = 8.5, .fiscal_code = "7891000"},
         {.name = "Porcao", .price = 35, .status = "6", .tree_code = "01.02.003"},
         {.name = "Cafe", .price = 4, .surcharge = 0.5, .fiscal_code = "7891999", .transfer = "08"},
         {.name = "Consumacao", .price = 50, .product = "CONS"}}));

    EXPECT_THAT(recorder.calls,
                ElementsAre("ConfiguraImpressora 13 0 1", "AjustaImpressaoDireta [] 13 [] 40",
                            "Conferencia_Formatada COR 0001 002 BE0913 IDX 1003 [] 16"));
    EXPECT_STREQ(coupon, "000123");
    // clang-format off
    EXPECT_EQ(bill(),
              "             PARCIAL CONTA              \n" + blanks + "\n"
              "Codigo : OP07\n"
              "Operador : MARIA SILVA\n"
              "Comanda: 30\n"
              "Mesa   : 5\n"
              "Garcom : Carlos\n"
              "Emissao: 15/03/2024 17:30\n"
              "Consumidor: LUCAS\n" + dashes + "\n"
              "7891000              Cerveja\n"
              "3,000   X 8,50                     25,50\n"
              "01.02.003            Porcao\n"
              "1,000   X 35,00                    35,00\n"
              "Cancelado\n"
              "7891999              Cafe\n"
              "1,000   X 4,00                      4,00\n"
              "acr\xe9scimo           +0,50           4,50\n"
              "Transf. da Mesa: 08\n" + dashes + "\n"
              "Total Produtos                     29,50\n"
              "Total Acr\xe9scimo                     3,00\n"
              "Subtotal                           32,50\n"
              "Gorjeta Sugerida                    3,00\n"
              "Consumacao Minima                  50,00\n"
              "\x1b" "ETotal Geral                        35,50\n" + dashes + "\n"
              "\x1b" "FTempo de permanencia   01:05:07\n" + dashes + "\n"
              "OBRIGADO PELA PREFERENCIA\n"
              "   AGUARDE A EMISSAO DO CUPOM FISCAL    \n"
              " QUELMAR SOFTWARE - www.pdv-tov.example ");
    // clang-format on
}

}  // namespace
}  // namespace tov::bill::testing
