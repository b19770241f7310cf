#include "documents/vendedor_command.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

using testing::HasSubstr;

constexpr const char* complete_request = R"({
  "stCdFilial": "0001", "stNmFilial": "S\u00e3o Jorge \u20ac", "stCdCaixa": "003",
  "stNmCaixa": "Caixa T\u00e9rreo", "stEsquemaCor": "1", "stCdPortImpNF": "COM2",
  "stIdTipoImpNF": "1", "P_VENDASVENDEDOR": "pacotes/vendedor.xml",
  "boUtilizaImpFis": true, "IdTipoImpFis": -2147483648, "doVrTotGeral": 27593.67
})";

std::string error_of(const std::string& json) {
    try {
        parse_vendedor_request(json, "r.json");
    } catch (const tov::ArgumentError& error) {
        return error.what();
    }
    return "(no error)";
}

// The complete request with one key's text replaced.
std::string with(const std::string& key_and_value, const std::string& replacement) {
    std::string json = complete_request;
    json.replace(json.find(key_and_value), key_and_value.size(), replacement);
    return json;
}

TEST(VendedorRequest, ReadsEveryParameterWithTextsInWindows1252) {
    const auto request = parse_vendedor_request(complete_request, "r.json");
    EXPECT_EQ(request.stCdFilial, "0001");
    EXPECT_EQ(request.stNmFilial, "S\xE3o Jorge \x80");
    EXPECT_EQ(request.stNmCaixa, "Caixa T\xE9rreo");
    EXPECT_EQ(request.stCdPortImpNF, "COM2");
    EXPECT_EQ(request.P_VENDASVENDEDOR, "pacotes/vendedor.xml");
    EXPECT_TRUE(request.boUtilizaImpFis);
    EXPECT_EQ(request.IdTipoImpFis, -2147483647 - 1);
    EXPECT_DOUBLE_EQ(request.doVrTotGeral, 27593.67);
}

TEST(VendedorRequest, NamesAMissingKey) {
    EXPECT_THAT(error_of(with(R"("stCdCaixa": "003",)", "")),
                HasSubstr("r.json: missing key 'stCdCaixa'"));
}

TEST(VendedorRequest, NamesUnknownKeys) {
    EXPECT_THAT(error_of(with(R"("stCdFilial")", R"("stCdFilal": 1, "extra": [], "stCdFilial")")),
                HasSubstr("unknown key 'extra', 'stCdFilal'"));
}

TEST(VendedorRequest, NamesAKeyOfTheWrongType) {
    EXPECT_THAT(error_of(with("true", "\"S\"")),
                HasSubstr("key 'boUtilizaImpFis' must be true or false"));
    EXPECT_THAT(error_of(with("27593.67", "\"27593,67\"")),
                HasSubstr("key 'doVrTotGeral' must be a number"));
    EXPECT_THAT(error_of(with(R"("0001")", "1")), HasSubstr("key 'stCdFilial' must be a string"));
    EXPECT_THAT(error_of(with(R"("pacotes/vendedor.xml")", "null")),
                HasSubstr("key 'P_VENDASVENDEDOR' must be a string"));
}

TEST(VendedorRequest, TakesOnlyWholeNumbersOf32BitsAsThePrinterKind) {
    for (const char* kind : {"2147483648", "-2147483649", "1.5", "18446744073709551615"}) {
        EXPECT_THAT(error_of(with("-2147483648", kind)),
                    HasSubstr("key 'IdTipoImpFis' must be a whole number of 32 bits"))
            << kind;
    }
    EXPECT_EQ(parse_vendedor_request(with("-2147483648", "2147483647"), "r").IdTipoImpFis,
              2147483647);
}

// Nothing of a request is cut or changed silently: a NUL would end a text or a path early, and a
// character without a Windows-1252 byte would print as '?'.
TEST(VendedorRequest, RefusesNulAndCharactersWindows1252CannotWrite) {
    EXPECT_THAT(error_of(with(R"("pacotes/vendedor.xml")", R"("vendedor.xml\u0000.txt")")),
                HasSubstr("key 'P_VENDASVENDEDOR' must be a string without the character U+0000"));
    EXPECT_THAT(error_of(with(R"("Caixa T\u00e9rreo")", R"("Caixa\u0000")")),
                HasSubstr("key 'stNmCaixa' must be a string without the character U+0000"));
    EXPECT_THAT(error_of(with(R"("Caixa T\u00e9rreo")", R"("Caixa \u4e2d")")),
                HasSubstr("key 'stNmCaixa' holds U+4E2D, which Windows-1252 cannot write"));
    EXPECT_THAT(error_of(with(R"("Caixa T\u00e9rreo")", R"("\ud83d\ude00")")),
                HasSubstr("key 'stNmCaixa' holds U+1F600"));
    EXPECT_EQ(parse_vendedor_request(with(R"("Caixa T\u00e9rreo")", R"("? \u2019\u0152")"), "r")
                  .stNmCaixa,
              "? \x92\x8C");
}

TEST(VendedorRequest, RefusesTextThatIsNoJsonObject) {
    EXPECT_THAT(error_of("{\"stCdFilial\": "), HasSubstr("r.json is not valid JSON"));
    EXPECT_THAT(error_of("[1, 2]"), HasSubstr("r.json must be a JSON object"));
    EXPECT_THAT(error_of("{\"stCdFilial\": \"\xE3\"}"), HasSubstr("r.json is not valid JSON"));
    EXPECT_THAT(error_of(std::string(100000, '[')), HasSubstr("nested too deeply"));
}

// The print service's callers give each packet in the request itself.
TEST(VendedorRequest, TakesAPacketGivenAsBase64AndRefusesAnyOtherObject) {
    const auto request = parse_vendedor_request(
        with(R"("pacotes/vendedor.xml")", R"({"base64": "PD94bQ=="})"), "r.json");
    EXPECT_EQ(request.P_VENDASVENDEDOR.bytes, "<?xm");
    EXPECT_FALSE(request.P_VENDASVENDEDOR == "pacotes/vendedor.xml");
    for (const char* bad : {R"({"base64": "PD9*"})", R"({"base64": 12})", R"({"b64": "PD94"})",
                            R"({"base64": "PD94", "name": "x"})", R"(17)"}) {
        EXPECT_THAT(error_of(with(R"("pacotes/vendedor.xml")", bad)),
                    HasSubstr("key 'P_VENDASVENDEDOR' must be "))
            << bad;
    }
}

TEST(VendedorRequest, APacketNamedByAFileIsRefusedWhereOnlyPacketsInTheRequestAreTaken) {
    const std::string json = complete_request;
    try {
        vendedor_command.from_request(json, "r.json", packets_in_request_only());
        FAIL() << "a packet file was read";
    } catch (const tov::ArgumentError& error) {
        EXPECT_THAT(error.what(), HasSubstr("key 'P_VENDASVENDEDOR': a packet must be given as "
                                            "{\"base64\": \"...\"}"));
    }
}

}  // namespace
}  // namespace tovprint
