// The parameter file beside the host executable, and the Spanish wording.

#include <gmock/gmock.h>

#include "bill/country_parameters.hpp"
#include "bill/spanish_wording.hpp"
#include "bill_fixture.hpp"
#include "platform/dataset/packet_io.hpp"
#include "platform/errors/errors.hpp"

namespace tov::bill::testing {
namespace {

using ::testing::HasSubstr;

class ParameterFile : public BillTest {
protected:
    CountryParameters read() {
        const services::HostServices host(recorder.host());
        return GetIdPaisIntegra(cdsParametrosPld, host);
    }
};

TEST_F(ParameterFile, IsReadInItsXmlOrBinaryFormAndClosedAgain) {
    parameter_file("01", "SC", "S");
    CountryParameters read_back = read();
    EXPECT_EQ(read_back.stIdPaisIntegra, "01");
    EXPECT_EQ(read_back.stSgEstadoFili, "SC");
    EXPECT_EQ(read_back.stIdUtiCoreBanc, "S");
    EXPECT_FALSE(cdsParametrosPld.Active());

    const auto path = folder / "PARAMETROSPLD.CDS";
    dataset::save_packet_file(dataset::load_packet_file(path), path, dataset::PacketFormat::Binary);
    read_back = read();
    EXPECT_EQ(read_back.stIdPaisIntegra, "01");
    EXPECT_EQ(read_back.stSgEstadoFili, "SC");
}

TEST_F(ParameterFile, MissingFileIsNoErrorButABadOneIs) {
    const CountryParameters none = read();
    EXPECT_EQ(none.stIdPaisIntegra + none.stSgEstadoFili + none.stIdUtiCoreBanc, "");

    std::ofstream(folder / "PARAMETROSPLD.CDS") << "not a packet";
    EXPECT_THROW(read(), PacketError);

    dataset::ClientDataSet country;
    country.SetData(items_packet({{}}));  // a packet without the three fields
    dataset::save_packet_file(country.Data(), folder / "PARAMETROSPLD.CDS",
                              dataset::PacketFormat::Xml);
    try {
        read();
        FAIL() << "no failure";
    } catch (const Error& failure) {
        EXPECT_EQ(failure.status(), TOV_E_FIELD);
        EXPECT_THAT(failure.what(), HasSubstr("PARAMETROSPLD.CDS"));
        EXPECT_THAT(failure.what(), HasSubstr("SGESTADOFILI"));
    }
}

TEST(SpanishWording, ReplacesOnlyTheExactWordsInTheirOrder) {
    EXPECT_EQ(GetTraduzirParaColombia("Garcom : Ana\nGarcom: Ana\ndesconto Desconto Total Desconto"
                                      "\nacrescimo acr\xe9scimo Total Acr\xe9scimo\n"
                                      "Total Produtos   1,00\nTotal Produtos  10,00\nEmissao\n"
                                      "Tempo de permanencia   00:10:00"),
              "Mozo   : Ana\nGarcom: Ana\ndescuento Desconto Total Desconto"
              "\nadicion acr\xe9scimo Total Acr\xe9scimo\n"
              "Productos totales1,00\nTotal Produtos  10,00\nEmision\n"
              "Duracion de la estancia00:10:00");
}

}  // namespace
}  // namespace tov::bill::testing
