#include "services/messages.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/errors/errors.hpp"

namespace tov::services {
namespace {

TEST(TMessages, SplitsAStoredLineAtItsFirstBar) {
    TMessages messages;
    messages.add_stored_line("SEN_PED|SENHA PEDIDO:  ");
    messages.add_stored_line("Pipe|a|b");
    messages.add_stored_line("Vazio|");
    EXPECT_EQ(messages.Msg("SEN_PED"), "SENHA PEDIDO:  ");
    EXPECT_EQ(messages.Msg("Pipe"), "a|b");
    EXPECT_EQ(messages.Msg("Vazio"), "");
    EXPECT_EQ(messages.size(), 3u);
}

TEST(TMessages, RefusesALineWithoutABar) {
    TMessages messages;
    messages.add_stored_line("Mesa|Mesa");
    try {
        messages.add_stored_line("Comanda Comanda");
        FAIL() << "a line without a bar was accepted";
    } catch (const ArgumentError& error) {
        EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos) << error.what();
    }
}

TEST(TMessages, MatchesKeysWithoutRegardToCase) {
    TMessages messages;
    messages.add("Parcial", "PARCIAL CONTA");
    EXPECT_EQ(messages.Msg("PARCIAL"), "PARCIAL CONTA");
    EXPECT_EQ(messages.Msg("parcial"), "PARCIAL CONTA");
    EXPECT_EQ(messages.Msg("Parcial "), "");
}

TEST(TMessages, TheFirstLineOfARepeatedKeyWins) {
    TMessages messages;
    messages.add("Nome", "NOME");
    messages.add("NOME", "Produto");
    EXPECT_EQ(messages.Msg("Nome"), "NOME");
    EXPECT_EQ(messages.Msg("NOME"), "NOME");
    EXPECT_EQ(messages.lines().back().text, "Produto");
}

TEST(TMessages, AnUnknownKeyGivesAnEmptyText) {
    EXPECT_EQ(TMessages().Msg("Mesa"), "");
    EXPECT_EQ(make_standard_messages().Msg("NaoExiste"), "");
    EXPECT_EQ(make_standard_messages().Msg(""), "");
}

class StandardMessages : public ::testing::Test {
protected:
    const TMessages messages = make_standard_messages();
};

TEST_F(StandardMessages, HoldTheTextsTheDocumentsPrint) {
    const std::vector<std::pair<std::string_view, std::string_view>> expected = {
        {"Tx_Serv", "Gorjeta Sugerida"},
        {"PEDIDO", "ACOMPANHAMENTO DO PEDIDO"},
        {"PARCIAL", "PARCIAL CONTA"},
        {"Mesa", "Mesa"},
        {"Comanda", "Comanda"},
        {"Garcom", "Garcom"},
        {"Emissao", "Emissao"},
        {"Transf_Mesa", "Transf. da Mesa:"},
        {"Cancelado", "Cancelado"},
        {"TOTAL_PROD", "Total Produtos"},
        {"Acrescimo", "Total Acr\xE9scimo"},
        {"DescontoFid", "Desconto Fidelidade"},
        {"Desconto", "Total Desconto"},
        {"SubTotal", "Subtotal"},
        {"Couvert", "Couvert"},
        {"Consuma_Min", "Consumacao Minima"},
        {"Total", "Total Geral"},
        {"Adiantamento", "Pagamento Adiantado"},
        {"APagar", "Total a Pagar"},
        {"PESSOA", "PESSOA(S)"},
        {"POR PESSOA", "POR PESSOA"},
        {"AGUARDE_CUPOM", "AGUARDE A EMISSAO DO CUPOM FISCAL"},
        {"CUP_TROC", "CUPOM DE TROCA"},
        {"Codigo", "Cod."},
        {"Nome", "NOME"},
        {"Qtde_", "Qtde"},
        {"NR_CUP", "Nr. Cupom Fiscal: "},
        {"CUP_PRAZO", "PRAZO PARA TROCA:"},
        {"DIAS", "DIAS"},
    };
    for (const auto& [key, text] : expected) EXPECT_EQ(messages.Msg(key), text) << key;
}

TEST_F(StandardMessages, KeepTheBlanksOfTheirTexts) {
    EXPECT_EQ(messages.Msg("Cabecalho"), "CODIGO     NOME          QTDE   VR.UNIT. VR.TOT.");
    EXPECT_EQ(messages.Msg("CONF_MES"), " Conferencia de Mesa ");
    EXPECT_EQ(messages.Msg("Garcon"), "Garz\xF3n     :");
    EXPECT_EQ(messages.Msg("SEN_PED"), "SENHA PEDIDO:  ");
    EXPECT_FALSE(messages.Msg("Quelmar").empty());
}

TEST_F(StandardMessages, HoldEveryLineInTableOrder) {
    // "Nome|NOME" first, then the other labels of the table bill and the exchange coupon, then
    // the further keys; the second line of a repeated key sits right after its first, except
    // "Nome|Produto".
    const std::vector<std::string_view> keys = {
        "Nome",
        "Tx_Serv",
        "PEDIDO",
        "Mesa",
        "Comanda",
        "Garcom",
        "Emissao",
        "Transf_Mesa",
        "Cancelado",
        "TOTAL_PROD",
        "Acrescimo",
        "DescontoFid",
        "Desconto",
        "SubTotal",
        "Couvert",
        "Consuma_Min",
        "Total",
        "Adiantamento",
        "APagar",
        "PESSOA",
        "POR PESSOA",
        "AGUARDE_CUPOM",
        "CUP_TROC",
        "Codigo",
        "Qtde_",
        "NR_CUP",
        "CUP_PRAZO",
        "DIAS",
        "Relatorio",
        "ConfReducao",
        "Consumidor",
        "Dinheiro",
        "Convenio",
        "AliqNaoCad",
        "AliqNaoCad",
        "ImpErro",
        "CNPJCPF",
        "FimPapel",
        "ErroRelogio",
        "ErroItem",
        "Deseja",
        "SyntaxErro",
        "ComandoErro",
        "CupomAberto",
        "AbreCaixa",
        "ParamErro",
        "TipoParamErro",
        "MemLotada",
        "MemRAMErro",
        "AliqNProg",
        "AliqLotada",
        "ErroPorta",
        "Suprimento",
        "Suprimento",
        "Sangria",
        "VENDA-CONS",
        "CV-EMITIDO",
        "CV-EMITIDO",
        "CV-EMI",
        "CV-RECEBIDO",
        "RELAT-GER",
        "Compra-Cred",
        "Canc-Cred",
        "TEF",
        "CONTRA-VALE",
        "PoucoPapel",
        "RelGerencial",
        "GerandoRecSang",
        "RecSangria3",
        "RecSangria1",
        "Modalidade",
        "TotalizVendaCons",
        "Valor_",
        "Envelope",
        "Superv",
        "Operador",
        "PRECO_SUBSIDIO",
        "VR_COMPLEMENTO",
        "GerandoRelProd",
        "RelProdutoDia",
        "RelProdutoAbe",
        "Valor2",
        "GerandoRelFech",
        "RelFechamento",
        "Vendas",
        "Sangrias",
        "Sobra",
        "Falta",
        "Imprimindo",
        "ConfRelProds",
        "Conf_mesa",
        "ERRO_IMP",
        "RegVen",
        "VrUnit",
        "Tran_N_Efet",
        "Imp_N_Resp",
        "ComprDebito",
        "CDCons",
        "NmCons",
        "NmFami",
        "CV-EMITIDO_ITA",
        "RELAT-GER_Itau",
        "Conv",
        "TampAberta",
        "Tampa_aberta",
        "TOTALIZ",
        "TOTALIZOUTROS",
        "CDCLIE",
        "Ope_Imp_Pap",
        "Tot_Acre",
        "Tot_Desc",
        "Tot_Valor",
        "ErroComunicacao",
        "ErroExecucao",
        "ParamInvalido",
        "ErroArqIni",
        "ImpDeslig",
        "BancoNCad",
        "ErroAbrirArq",
        "TransCanc",
        "TransAprov",
        "ImpNConcl",
        "OperNConcl",
        "FormPgtoNProg",
        "TotNFisNProg",
        "TransEfet",
        "InfNImpre",
        "Promocao",
        "Conta_Mesa",
        "Garcon",
        "Data",
        "Data1",
        "Isento",
        "Total_Compra",
        "Troco",
        "Hora",
        "Cigarro_Isento",
        "Caixa",
        "loja",
        "ComprCredito",
        "Canc_ComprCredito",
        "Canc_Deposito",
        "Nr_Deposito",
        "VrCupom",
        "VrSaldo",
        "Parcial",
        "Total_conta",
        "Quelmar",
        "Rel_Sangria",
        "NIncide",
        "TRIBUTACAO",
        "TRIBUTADOS",
        "SubTrib",
        "ProdVend",
        "Nome",
        "Cabecalho",
        "SENHA",
        "SEQ",
        "CONF_MES",
        "PESSOAS",
        "APROX",
        "POR_PESS",
        "TOTAL_CUP",
        "DOC_SEM_VAL_FIS",
        "SEN_PED",
        "ERRO_INTER",
        "CUP_COPR_INV",
        "FIM_PAPEL",
        "TAMPA_ABER",
        "TOT_MEN_SUB",
        "Aber_mesa",
        "Fech_mesa",
        "Fech_comanda",
        "Sald_Cons",
        "Valor_Fam",
        "FAMILIA",
        "CANC_TRANS",
        "DOC_NO",
        "REDE",
        "FILIAL",
        "RESUMOTRIBUTACAO",
        "Params1",
    };
    ASSERT_EQ(keys.size(), 182u);
    ASSERT_EQ(messages.size(), 182u);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(messages.lines()[i].key, keys[i]) << "line " << i + 1;
    }
}

TEST_F(StandardMessages, OpenWithTheNameHeadingAndHoldProdutoLater) {
    ASSERT_EQ(messages.size(), 182u);
    EXPECT_EQ(messages.lines().front(), (MessageLine{"Nome", "NOME"}));
    std::size_t produto_lines = 0;
    for (std::size_t i = 1; i < messages.size(); ++i) {
        if (messages.lines()[i] == MessageLine{"Nome", "Produto"}) ++produto_lines;
    }
    EXPECT_EQ(produto_lines, 1u);
}

TEST_F(StandardMessages, RepeatedKeysAnswerWithTheirFirstLine) {
    EXPECT_EQ(messages.Msg("Nome"), "NOME");
    EXPECT_EQ(messages.Msg("AliqNaoCad"), "Aliquota nao cadastrada");
    EXPECT_EQ(messages.Msg("Suprimento"), "Suprimento");
    EXPECT_EQ(messages.Msg("CV-EMITIDO"), "COMPROVANTE DE VENDA EMITIDO");
}

TEST_F(StandardMessages, HoldNoUtf8) {
    // Texts are Windows-1252: a UTF-8 lead byte followed by a continuation byte would show that
    // a literal slipped in as UTF-8.
    for (const MessageLine& line : messages.lines()) {
        for (std::size_t i = 0; i + 1 < line.text.size(); ++i) {
            const auto lead = static_cast<unsigned char>(line.text[i]);
            const auto next = static_cast<unsigned char>(line.text[i + 1]);
            EXPECT_FALSE(lead >= 0xC2 && lead <= 0xDF && (next & 0xC0) == 0x80) << line.key;
        }
        EXPECT_EQ(line.key.find('|'), std::string::npos);
    }
}

}  // namespace
}  // namespace tov::services
