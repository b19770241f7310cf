// The consumer statement's request: every parameter of Extrato_Tov00000 by name, the six datasets
// as packet file paths.

#include "documents/extrato_command.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

using testing::HasSubstr;

constexpr const char* complete_request = R"({
  "boUtilizaImpFis": true, "stCdFilial": "0001", "stEsquemaCor": "1", "stIdTipoImpNF": "44",
  "stCdPortImpNF": "COM2", "cdsTipoExtCons": "tipo.xml", "cdsSaldoConsExt": "familias.xml",
  "cdsExtSimples": "movimentos.cds", "cdsExtVenda": "vendas.xml", "cdsSaldFam": "saldos.xml",
  "stValData": "08/12/2026", "stFilial": "S\u00e3o Jorge", "stCaixa": "003",
  "stConsumidor": "000482", "stNmConsumidor": "Lu\u00edza Ara\u00fajo",
  "cdsExtrato": "pacotes/extrato.xml", "IdTipoImpFis": 44
})";

std::string error_of(const std::string& json) {
    try {
        parse_extrato_request(json, "e.json");
    } catch (const tov::ArgumentError& error) {
        return error.what();
    }
    return "(no error)";
}

std::string with(const std::string& key_and_value, const std::string& replacement) {
    std::string json = complete_request;
    json.replace(json.find(key_and_value), key_and_value.size(), replacement);
    return json;
}

TEST(ExtratoRequest, ReadsEveryParameterWithTheDatasetsAsPacketFiles) {
    const auto request = parse_extrato_request(complete_request, "e.json");
    EXPECT_TRUE(request.boUtilizaImpFis);
    EXPECT_EQ(request.stCdFilial, "0001");
    EXPECT_EQ(request.stEsquemaCor, "1");
    EXPECT_EQ(request.stIdTipoImpNF, "44");
    EXPECT_EQ(request.stCdPortImpNF, "COM2");
    EXPECT_EQ(request.cdsTipoExtCons, "tipo.xml");
    EXPECT_EQ(request.cdsSaldoConsExt, "familias.xml");
    EXPECT_EQ(request.cdsExtSimples, "movimentos.cds");
    EXPECT_EQ(request.cdsExtVenda, "vendas.xml");
    EXPECT_EQ(request.cdsSaldFam, "saldos.xml");
    EXPECT_EQ(request.stValData, "08/12/2026");
    EXPECT_EQ(request.stFilial, "S\xE3o Jorge");
    EXPECT_EQ(request.stCaixa, "003");
    EXPECT_EQ(request.stConsumidor, "000482");
    EXPECT_EQ(request.stNmConsumidor, "Lu\xEDza Ara\xFAjo");
    EXPECT_EQ(request.cdsExtrato, "pacotes/extrato.xml");
    EXPECT_EQ(request.IdTipoImpFis, 44);
}

TEST(ExtratoRequest, NamesTheKeyOfAMissingMistypedOrUnknownDataset) {
    EXPECT_THAT(error_of(with(R"("cdsSaldFam": "saldos.xml",)", "")),
                HasSubstr("e.json: missing key 'cdsSaldFam'"));
    EXPECT_THAT(error_of(with(R"("vendas.xml")", R"(["vendas.xml"])")),
                HasSubstr("e.json: key 'cdsExtVenda' must be a string"));
    EXPECT_THAT(error_of(with(R"("cdsExtrato")", R"("cdsExtratos": "x.xml", "cdsExtrato")")),
                HasSubstr("e.json: unknown key 'cdsExtratos'"));
    EXPECT_THAT(error_of(with("true", R"("S")")),
                HasSubstr("e.json: key 'boUtilizaImpFis' must be true or false"));
}

}  // namespace
}  // namespace tovprint
