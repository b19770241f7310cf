// The parameter array of the identification report: how its values are converted, what a short
// or malformed array answers, and the export called in process as a host calls it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "package/paf_arguments.hpp"
#include "package/variant_arguments.hpp"
#include "platform/errors/errors.hpp"
#include "reports/paf_fixture.hpp"
#include "services/cipher.hpp"
#include "support/recorder.hpp"
#include "tov00000/tov00000.h"

namespace tov::package {
namespace {

using ::testing::HasSubstr;

tov_variant text(std::string_view value) {
    return tov_variant{TOV_VT_TEXT, 0, 0, 0, value.data(), value.size()};
}
tov_variant bytes(std::string_view value) {
    return tov_variant{TOV_VT_BYTES, 0, 0, 0, value.data(), value.size()};
}
tov_variant integer(int64_t value) {
    return tov_variant{TOV_VT_INT, 0, value, 0, nullptr, 0};
}
tov_variant number(double value) {
    return tov_variant{TOV_VT_DOUBLE, 0, 0, value, nullptr, 0};
}
tov_variant of_type(int32_t type) {
    return tov_variant{type, 0, 0, 0, nullptr, 0};
}

template <typename Error, typename Call>
void expect_failure(Call call, const std::string& message) {
    try {
        call();
        ADD_FAILURE() << "no failure, expected: " << message;
    } catch (const Error& error) {
        EXPECT_THAT(error.what(), HasSubstr(message));
    }
}

const std::string dados = "dados-bytes";
const std::string ecfs = "ecf-bytes";

std::vector<tov_variant> eight_values() {
    return {text("01"), text("002"), text("COR"), bytes(dados),
            text(ecfs), integer(5),  number(28),  text("IDX")};
}

TEST(PafArguments, EightValuesAreTakenInOrderAndLaterOnesIgnored) {
    auto values = eight_values();
    values.push_back(of_type(TOV_VT_NULL));

    const auto request = paf_request_from(values);

    EXPECT_EQ(request.stCdFilial, "01");
    EXPECT_EQ(request.stCdCaixa, "002");
    EXPECT_EQ(request.stEsquemaCor, "COR");
    EXPECT_EQ(request.oleDadosPaf, dados);
    EXPECT_EQ(request.oleBuscaNrSerieEcf, ecfs);
    EXPECT_EQ(request.stNrSerie, "5");
    EXPECT_EQ(request.IdTipoImpFis, 28);
    EXPECT_EQ(request.stIndice, "IDX");
}

TEST(PafArguments, FewerThanEightValuesNameTheirCount) {
    auto values = eight_values();
    values.pop_back();
    expect_failure<ArgumentError>([&] { paf_request_from(values); },
                                  "arParams holds 7 values; the identification report needs 8");
    expect_failure<ArgumentError>([] { paf_request_from({}); }, "arParams holds 0 values");
}

TEST(PafArguments, ValueOfTheWrongTypeNamesItsElement) {
    auto values = eight_values();
    values[6] = text("cinco");
    expect_failure<ConversionError>([&] { paf_request_from(values); },
                                    "arParams[6] (IdTipoImpFis): the text 'cinco'");
    values = eight_values();
    values[3] = of_type(TOV_VT_EMPTY);
    expect_failure<PacketError>([&] { paf_request_from(values); },
                                "arParams[3] (oleDadosPaf): a EMPTY variant holds no data packet");
    values = eight_values();
    values[0] = of_type(TOV_VT_NULL);
    expect_failure<ConversionError>([&] { paf_request_from(values); },
                                    "arParams[0] (stCdFilial): a NULL variant");
}

TEST(VariantArguments, IntegersComeFromWholeNumbersAndDigitsWithinRange) {
    EXPECT_EQ(variant_integer(integer(-5), "v"), -5);
    EXPECT_EQ(variant_integer(number(45.0), "v"), 45);
    EXPECT_EQ(variant_integer(text("+17"), "v"), 17);
    EXPECT_EQ(variant_integer(text("-2147483648"), "v"), INT32_MIN);
    EXPECT_EQ(variant_integer(of_type(TOV_VT_EMPTY), "v"), 0);
    for (const tov_variant& bad :
         {number(4.5), number(1e10), integer(int64_t{1} << 40), text(""), text("12a"), text("+-1"),
          text(" 1"), text("2147483648"), of_type(TOV_VT_BOOL)}) {
        EXPECT_THROW(variant_integer(bad, "v"), ConversionError) << bad.type;
    }
}

TEST(VariantArguments, TextsComeFromTextIntegerAndEmpty) {
    const std::string_view with_nul("a\0b", 3);
    EXPECT_EQ(variant_text(text(with_nul), "v"), with_nul);
    EXPECT_EQ(variant_text(integer(42), "v"), "42");
    EXPECT_EQ(variant_text(of_type(TOV_VT_EMPTY), "v"), "");
    EXPECT_THROW(variant_text(number(1.5), "v"), ConversionError);
    EXPECT_THROW(variant_text(of_type(TOV_VT_MISSING), "v"), ConversionError);
    EXPECT_THROW(variant_text(of_type(99), "v"), ConversionError);
}

TEST(VariantArguments, ArrayAndDataPointersAreChecked) {
    const tov_variant one = integer(1);
    EXPECT_EQ(variant_array(&one, 0, "a").size(), 1u);
    EXPECT_TRUE(variant_array(nullptr, -1, "a").empty());
    expect_failure<ArgumentError>([] { variant_array(nullptr, 2, "arParams"); },
                                  "arParams is NULL but holds 3 elements");
    expect_failure<ArgumentError>([&] { variant_array(&one, -2, "arParams"); },
                                  "arParams: the index of the last element is -2");
    const tov_variant dangling{TOV_VT_TEXT, 0, 0, 0, nullptr, 4};
    EXPECT_THROW(variant_text(dangling, "v"), ArgumentError);
    EXPECT_THROW(variant_packet(dangling, "v"), ArgumentError);
}

// ---- The export --------------------------------------------------------------------------------

class PafExport : public ::testing::Test {
protected:
    void SetUp() override {
        recorder.exe_path = (folder.path() / "PLD.EXE").string();
        const tov_backend backend = recorder.backend();
        const tov_host host = recorder.host();
        ASSERT_EQ(Tov_SetBackend(&backend), TOV_OK);
        ASSERT_EQ(Tov_SetHost(&host), TOV_OK);
    }
    void TearDown() override {
        Tov_SetBackend(nullptr);
        Tov_SetHost(nullptr);
    }

    tov::testing::Recorder recorder;
    tov::testing::TemporaryFolder folder;
    const std::string identification = tov::testing::text_packet(
        {"NRLAUDO", "NRCNPJQUELMAR", "DSRAZAOSOCIQLM", "DSENDEQUELMAR", "DSTELEFONEQLM",
         "NMRESPONSIST", "DSNOMECOMERCIAL", "DSVERSAOPALINDO", "NMEXEPALINDO"},
        {{services::Cripto("L-77", services::kReportCipherKey), "", "", "", "", "", "", "",
          services::Cripto("PLD.EXE", services::kReportCipherKey)}});
    const std::string serials = tov::testing::text_packet({"NRSERIEIMPRPERS"}, {{"S1"}});
};

TEST_F(PafExport, PrintsTheReportAndAnswersTheBackEndsResult) {
    tov::testing::write_file_list(folder.path(), {{"pld.exe", "d41d8cd98f00b204e9800998ecf8427e"}});
    recorder.answer = 0;
    const std::vector<tov_variant> values{
        text("01"),     text("002"), text("COR"), bytes(identification),
        bytes(serials), text("S1"),  integer(28), text("IDX")};
    tov_variant retorno = of_type(TOV_VT_INT);
    int32_t result = 7;

    ASSERT_EQ(ImprimeDadosPaf_Tov00000(values.data(), 7, &retorno, &result), TOV_OK)
        << Tov_LastError();

    EXPECT_EQ(result, 0);
    EXPECT_EQ(retorno.type, TOV_VT_INT);
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0], "Relatorio_Generico COR 01 002 S1 IDX");
    EXPECT_THAT(recorder.printed, HasSubstr("Nr do Laudo :  L-77\n"));
    EXPECT_THAT(
        recorder.printed,
        HasSubstr("Principal Exe : PLD.EXE\nMD5           : d41d8cd98f00b204e9800998ecf8427e\n"));
    EXPECT_EQ(recorder.printed.find('\r'), std::string::npos);
}

TEST_F(PafExport, ShortArrayFailsWithItsCountAndPrintsNothing) {
    const std::vector<tov_variant> values{text("01"), text("002"), text("COR")};
    int32_t result = 7;

    EXPECT_EQ(ImprimeDadosPaf_Tov00000(values.data(), 2, nullptr, &result), TOV_E_ARGUMENT);

    EXPECT_THAT(Tov_LastError(), HasSubstr("arParams holds 3 values"));
    EXPECT_EQ(result, 7);
    EXPECT_TRUE(recorder.calls.empty());
}

}  // namespace
}  // namespace tov::package
