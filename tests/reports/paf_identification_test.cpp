#include "reports/paf_identification.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/errors/errors.hpp"
#include "reports/paf_fixture.hpp"
#include "reports/paf_line_layout.hpp"
#include "services/cipher.hpp"
#include "support/recorder.hpp"

namespace tov::reports {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using tov::testing::text_packet;
using tov::testing::write_digest_file;
using tov::testing::write_file_list;

constexpr const char* tov_digest = "0cc175b9c0f1b6a831c399e269772661";
constexpr const char* pld_digest = "92eb5ffee6ae2fec3ad71c777531578f";
constexpr const char* text_digest = "9e107d9d372bb6826bd81d3542a419d6";

std::string enciphered(const std::string& plain) {
    return services::Cripto(plain, services::kReportCipherKey);
}

// The identification as the host stores it: every value enciphered.
std::string identification_packet() {
    return text_packet(
        {"NRLAUDO", "NRCNPJQUELMAR", "DSRAZAOSOCIQLM", "DSENDEQUELMAR", "DSTELEFONEQLM",
         "NMRESPONSIST", "DSNOMECOMERCIAL", "DSVERSAOPALINDO", "NMEXEPALINDO"},
        {{enciphered("QLM0452018"), enciphered("12.345.678/0001-90"),
          enciphered("Sistemas & Cia <Ltda>"), enciphered("Rua das Flores, 100 - Centro"),
          enciphered("(11) 3333-4444"), enciphered("Jo\xe3o da Silva"), enciphered("PDV Exemplo"),
          enciphered("5.2.1"), enciphered("PLD.EXE")}});
}

std::string serials_packet(const std::vector<std::string>& serials) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& serial : serials) rows.push_back({serial});
    return text_packet({"NRSERIEIMPRPERS"}, rows);
}

class PafIdentificationReport : public ::testing::Test {
protected:
    PafIdentificationReport() { recorder.exe_path = (host_folder.path() / "PLD.EXE").string(); }

    bool print(int printer_kind, bool record_deciphering = false) {
        request.IdTipoImpFis = printer_kind;
        request.oleDadosPaf = identification;
        request.oleBuscaNrSerieEcf = serials;
        const services::Backend backend(recorder.backend());
        const services::HostServices host(recorder.host(record_deciphering));
        return ImprimeDadosPaf(
            request, PafDataSets{dados, ecfs, arquivos},
            services::DocumentContext{backend, host, settings, services::standard_messages()});
    }

    void write_both_files() {
        write_file_list(host_folder.path(),
                        {{"Tov00000.bpl", tov_digest}, {"pld.exe", pld_digest}});
        write_digest_file(host_folder.path(), enciphered(text_digest));
    }

    tov::testing::Recorder recorder;
    tov::testing::TemporaryFolder host_folder;
    format::FormatSettings settings;
    dataset::ClientDataSet dados, ecfs, arquivos;
    std::string identification = identification_packet();
    std::string serials = serials_packet({"BE091310100011223344", "EP081210000000123456"});
    PafIdentificationRequest request{"01", "002", "COR", {}, {}, "BE091310100011223344", 0, "7"};
};

// ---- Layout by printer kind --------------------------------------------------------------------

TEST_F(PafIdentificationReport, KindFiveGetsFiftySevenColumnsEndingInLineFeedCarriageReturn) {
    write_both_files();

    EXPECT_TRUE(print(5));

    EXPECT_THAT(recorder.calls,
                ElementsAre("Relatorio_Generico COR 01 002 BE091310100011223344 7"));
    EXPECT_EQ(recorder.printed,
              "                Identifica\xe7\xe3o do Paf-Ecf                 \n\r"
              "---------------------------------------------------------\n\r"
              "\n\r"
              "Nr do Laudo :  QLM0452018\n\r"
              "\n\r"
              "Identifica\xe7\xe3o da Empresa: \n\r"
              "---------------------------------------------------------\n\r"
              "\n\r"
              "CNPJ         : 12.345.678/0001-90\n\r"
              "Raz\xe3o Social : Sistemas & Cia <Ltda>\n\r"
              "Endere\xe7o     : Rua das Flores, 100 - Centro\n\r"
              "Telefone     : (11) 3333-4444\n\r"
              "Contato      : Jo\xe3o da Silva\n\r"
              "Identifica\xe7\xe3o PAF-ECF: \n\r"
              "Nome Comercial: PDV Exemplo\n\r"
              "Vers\xe3o        : 5.2.1\n\r"
              "\n\r"
              "Data de emiss\xe3o do Laudo: 08/06/2018\n\r"
              "Principal Exe : PLD.EXE\n\r"
              "MD5           : 92eb5ffee6ae2fec3ad71c777531578f\n\r"
              "\n\r"
              "Rela\xe7\xe3o de Arquivos\n\r"
              "---------------------------------------------------------\n\r"
              "\n\r"
              "Arquivo: Tov00000.bpl\n\r"
              "MD5    : 0cc175b9c0f1b6a831c399e269772661\n\r"
              "\n\r"
              "Arquivo: pld.exe\n\r"
              "MD5    : 92eb5ffee6ae2fec3ad71c777531578f\n\r"
              "\n\r"
              "Arquivo Texto : ARQUIVOSPLDMD5.TXT\n\r"
              "MD-5          : 9e107d9d372bb6826bd81d3542a419d6\n\r"
              "\n\r"
              "Versao ER PAF-ECF: 02.06\n\r"
              "\n\r"
              "Rela\xe7\xe3o de Ecf's\n\r"
              "---------------------------------------------------------\n\r"
              "\n\r"
              "BE091310100011223344\n\r"
              "EP081210000000123456\n\r");
}

TEST_F(PafIdentificationReport, KindTwentyEightGetsFortySixColumnsWithLineFeed) {
    serials = serials_packet({});

    EXPECT_TRUE(print(28));

    EXPECT_EQ(recorder.printed,
              "           Identifica\xe7\xe3o do Paf-Ecf           \n"
              "----------------------------------------------\n"
              "\n"
              "Nr do Laudo :  QLM0452018\n"
              "\n"
              "Identifica\xe7\xe3o da Empresa: \n"
              "----------------------------------------------\n"
              "\n"
              "CNPJ         : 12.345.678/0001-90\n"
              "Raz\xe3o Social : Sistemas & Cia <Ltda>\n"
              "Endere\xe7o     : Rua das Flores, 100 - Centro\n"
              "Telefone     : (11) 3333-4444\n"
              "Contato      : Jo\xe3o da Silva\n"
              "Identifica\xe7\xe3o PAF-ECF: \n"
              "Nome Comercial: PDV Exemplo\n"
              "Vers\xe3o        : 5.2.1\n"
              "\n"
              "Data de emiss\xe3o do Laudo: 08/06/2018\n"
              "Principal Exe : PLD.EXE\n"
              "MD5           : \n"
              "\n"
              "Versao ER PAF-ECF: 02.06\n"
              "\n");
}

class UnlistedPrinterKind : public PafIdentificationReport,
                            public ::testing::WithParamInterface<int> {};

TEST_P(UnlistedPrinterKind, GetsThirtyEightColumnsWithLineFeed) {
    EXPECT_TRUE(print(GetParam()));

    EXPECT_THAT(recorder.printed,
                ::testing::StartsWith("       Identifica\xe7\xe3o do Paf-Ecf       \n"
                                      "--------------------------------------\n"
                                      "\n"
                                      "Nr do Laudo :  QLM0452018\n"
                                      "\n"
                                      "Identifica\xe7\xe3o da Empresa: \n"));
    EXPECT_THAT(recorder.printed, HasSubstr("\nRela\xe7\xe3o de Ecf's\n"
                                            "--------------------------------------\n\n"
                                            "BE091310100011223344\n"));
}

INSTANTIATE_TEST_SUITE_P(KindsZeroAndHundred, UnlistedPrinterKind, ::testing::Values(0, 100));

TEST(PafLineLayoutTable, FollowsThePrinterKindTable) {
    for (int kind : {1, 2, 14, 18, 24, 27, 33, 42, 45}) {
        EXPECT_EQ(paf_line_layout(kind).width, 48) << kind;
        EXPECT_EQ(paf_line_layout(kind).line_break, "\n") << kind;
    }
    for (int kind : {3, 4, 5, 6, 17, 25}) {
        EXPECT_EQ(paf_line_layout(kind).width, 57) << kind;
        EXPECT_EQ(paf_line_layout(kind).line_break, "\n\r") << kind;
    }
    for (int kind : {-1, 0, 7, 16, 26, 30, 44, 46}) {
        EXPECT_EQ(paf_line_layout(kind).width, 38) << kind;
        EXPECT_EQ(paf_line_layout(kind).line_break, "\n") << kind;
    }
}

// ---- Digest files
// --------------------------------------------------------------------------------

std::string main_executable_lines(const std::string& printed) {
    const auto start = printed.find("Principal Exe");
    return printed.substr(start, printed.find("\n\n", start) + 2 - start);
}

TEST_F(PafIdentificationReport, MainExecutableRowIsFoundInAnyCase) {
    write_file_list(host_folder.path(), {{"Tov00000.bpl", tov_digest}, {"Pld.Exe", pld_digest}});

    print(1);

    EXPECT_EQ(main_executable_lines(recorder.printed),
              "Principal Exe : PLD.EXE\nMD5           : 92eb5ffee6ae2fec3ad71c777531578f\n\n");
}

TEST_F(PafIdentificationReport, FileListWithoutMainExecutableGivesItsFirstRowsDigest) {
    write_file_list(host_folder.path(),
                    {{"Tov00000.bpl", tov_digest}, {"PLD.EXE.BAK", pld_digest}});

    print(1);

    EXPECT_EQ(main_executable_lines(recorder.printed),
              "Principal Exe : PLD.EXE\nMD5           : 0cc175b9c0f1b6a831c399e269772661\n\n");
    EXPECT_THAT(recorder.printed,
                HasSubstr("Arquivo: PLD.EXE.BAK\nMD5    : " + std::string(pld_digest) + "\n\n"));
}

TEST_F(PafIdentificationReport, WithoutEitherFileBothSectionsAreLeftOutAndTheDigestIsEmpty) {
    print(1);

    EXPECT_THAT(recorder.printed, HasSubstr("Data de emiss\xe3o do Laudo: 08/06/2018\n"
                                            "Principal Exe : PLD.EXE\n"
                                            "MD5           : \n"
                                            "\n"
                                            "Versao ER PAF-ECF: 02.06\n"
                                            "\n"
                                            "Rela\xe7\xe3o de Ecf's\n"));
}

TEST_F(PafIdentificationReport, DigestFileAloneGivesItsSectionAndNoFileList) {
    write_digest_file(host_folder.path(), enciphered(text_digest));

    print(1);

    EXPECT_THAT(recorder.printed, HasSubstr("MD5           : \n"
                                            "\n"
                                            "Arquivo Texto : ARQUIVOSPLDMD5.TXT\n"
                                            "MD-5          : 9e107d9d372bb6826bd81d3542a419d6\n"
                                            "\n"
                                            "Versao ER PAF-ECF: 02.06\n"));
    EXPECT_THAT(recorder.printed, ::testing::Not(HasSubstr("Arquivos")));
}

TEST_F(PafIdentificationReport, DigestLeftByAnEarlierCallIsNotPrintedAsThisProgramsDigest) {
    write_file_list(host_folder.path(), {{"PLD.EXE", pld_digest}});
    print(1);
    std::filesystem::remove_all(host_folder.path() / "Dados");

    print(1);

    EXPECT_EQ(main_executable_lines(recorder.printed),
              "Principal Exe : PLD.EXE\nMD5           : \n\n");
    EXPECT_TRUE(arquivos.Active());  // the earlier list is still loaded, and not used
}

TEST_F(PafIdentificationReport, EmptyFileListPrintsAnEmptyDigestAndAnEmptySection) {
    write_file_list(host_folder.path(), {});

    print(1);

    EXPECT_THAT(recorder.printed,
                HasSubstr("MD5           : \n\nRela\xe7\xe3o de Arquivos\n" + std::string(48, '-') +
                          "\n\nVersao ER PAF-ECF: 02.06\n"));
}

// ---- Serial numbers, deciphering, the back-end's answer
// ------------------------------------------

TEST_F(PafIdentificationReport, SerialNumbersFollowInPacketOrderWithoutEmptyLines) {
    serials = serials_packet({"ZZ3", "AA1", "MM2"});

    print(1);

    EXPECT_TRUE(recorder.printed.ends_with("Versao ER PAF-ECF: 02.06\n\nRela\xe7\xe3o de Ecf's\n" +
                                           std::string(48, '-') + "\n\nZZ3\nAA1\nMM2\n"));
}

TEST_F(PafIdentificationReport, EmptySerialPacketLeavesTheSectionOut) {
    serials = serials_packet({});

    print(1);

    EXPECT_TRUE(recorder.printed.ends_with("MD5           : \n\nVersao ER PAF-ECF: 02.06\n\n"));
}

TEST_F(PafIdentificationReport, EncipheredValuesAreDecipheredWithTheReportKeyAndNothingElseIs) {
    identification =
        text_packet({"NRLAUDO", "NRCNPJQUELMAR", "DSRAZAOSOCIQLM", "DSENDEQUELMAR", "DSTELEFONEQLM",
                     "NMRESPONSIST", "DSNOMECOMERCIAL", "DSVERSAOPALINDO", "NMEXEPALINDO"},
                    {{"l", "c", "r", "e", "t", "n", "nc", "v", "x"}});
    write_file_list(host_folder.path(), {{"PLD.EXE", "plain-md5"}});
    write_digest_file(host_folder.path(), "txt");
    serials = serials_packet({"serial"});

    print(1, true);

    EXPECT_THAT(recorder.deciphered, ElementsAre("7 l", "7 c", "7 r", "7 e", "7 t", "7 n", "7 nc",
                                                 "7 v", "7 x", "7 txt"));
    EXPECT_THAT(recorder.printed, HasSubstr("Nr do Laudo :  [l]\n"));
    EXPECT_THAT(recorder.printed, HasSubstr("Principal Exe : [x]\nMD5           : plain-md5\n"));
    EXPECT_THAT(recorder.printed, HasSubstr("MD5    : plain-md5\n"));
    EXPECT_THAT(recorder.printed, HasSubstr("MD-5          : [txt]\n"));
    EXPECT_TRUE(recorder.printed.ends_with("\nserial\n"));
}

TEST_F(PafIdentificationReport, IdentificationPacketWithoutRowsPrintsEmptyValues) {
    identification =
        text_packet({"NRLAUDO", "NRCNPJQUELMAR", "DSRAZAOSOCIQLM", "DSENDEQUELMAR", "DSTELEFONEQLM",
                     "NMRESPONSIST", "DSNOMECOMERCIAL", "DSVERSAOPALINDO", "NMEXEPALINDO"},
                    {});
    serials = serials_packet({});

    EXPECT_TRUE(print(28));

    EXPECT_EQ(recorder.printed,
              "           Identifica\xe7\xe3o do Paf-Ecf           \n"
              "----------------------------------------------\n"
              "\n"
              "Nr do Laudo :  \n"
              "\n"
              "Identifica\xe7\xe3o da Empresa: \n"
              "----------------------------------------------\n"
              "\n"
              "CNPJ         : \n"
              "Raz\xe3o Social : \n"
              "Endere\xe7o     : \n"
              "Telefone     : \n"
              "Contato      : \n"
              "Identifica\xe7\xe3o PAF-ECF: \n"
              "Nome Comercial: \n"
              "Vers\xe3o        : \n"
              "\n"
              "Data de emiss\xe3o do Laudo: 08/06/2018\n"
              "Principal Exe : \n"
              "MD5           : \n"
              "\n"
              "Versao ER PAF-ECF: 02.06\n"
              "\n");

    print(28, true);
    EXPECT_EQ(recorder.deciphered, std::vector<std::string>(9, "7 "));
}

TEST_F(PafIdentificationReport, FalseAnswerOfTheBackEndIsTheResult) {
    recorder.answer = 0;

    EXPECT_FALSE(print(1));
    EXPECT_EQ(recorder.calls.size(), 1u);
}

// ---- Failures: thrown, nothing handed to the back-end
// --------------------------------------------

TEST_F(PafIdentificationReport, FailuresReachTheCallerBeforeAnythingIsPrinted) {
    const auto fails_with = [&](auto expected, const std::string& message) {
        try {
            print(1);
            ADD_FAILURE() << "no failure, expected: " << message;
        } catch (const decltype(expected)& error) {
            EXPECT_THAT(error.what(), HasSubstr(message));
        }
        EXPECT_TRUE(recorder.calls.empty()) << message;
    };

    identification = text_packet({"NRLAUDO"}, {{"x"}});
    fails_with(FieldNotFound("?"), "NRCNPJQUELMAR");

    identification = text_packet({"NRLAUDO"}, {});
    fails_with(FieldNotFound("?"), "NRCNPJQUELMAR");

    identification = "not a packet";
    fails_with(PacketError(""), "not a packet");

    identification = identification_packet();
    serials = text_packet({"NRSERIE"}, {{"1"}});
    fails_with(FieldNotFound("?"), "NRSERIEIMPRPERS");

    serials = serials_packet({"1"});
    std::filesystem::create_directories(host_folder.path() / "Dados" / "Cadastros");
    { std::ofstream(host_folder.path() / "Dados" / "Cadastros" / "ArquivosPldMd5.cds") << "junk"; }
    fails_with(PacketError(""), "ArquivosPldMd5.cds");

    write_file_list(host_folder.path(), {{"PLD.EXE", pld_digest}});
    write_digest_file(host_folder.path(), "x");
    std::filesystem::remove(host_folder.path() / "Palindo.cds");
    dataset::save_packet_file(dataset::read_packet(text_packet({"OUTRO"}, {{"x"}})),
                              host_folder.path() / "Palindo.cds", dataset::PacketFormat::Binary);
    fails_with(FieldNotFound("?"), "MD5ARQUIVOTXT");

    recorder.exe_path.clear();
    fails_with(FileError(""), "host executable path is empty");
}

TEST_F(PafIdentificationReport, UnregisteredGenericReportIsNamed) {
    const services::Backend nothing_registered;
    const services::HostServices host(recorder.host());
    request.oleDadosPaf = identification;
    request.oleBuscaNrSerieEcf = serials;
    try {
        ImprimeDadosPaf(request, PafDataSets{dados, ecfs, arquivos},
                        services::DocumentContext{nothing_registered, host, settings,
                                                  services::standard_messages()});
        ADD_FAILURE() << "no failure";
    } catch (const BackendError& error) {
        EXPECT_THAT(error.what(), HasSubstr("Relatorio_Generico"));
    }
}

}  // namespace
}  // namespace tov::reports
