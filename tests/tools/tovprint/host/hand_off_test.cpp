// The back-end table tovprint registers, and the two places its hand-offs go.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "handoff/console_sink.hpp"
#include "handoff/raw_file_sink.hpp"
#include "host/backend_recorder.hpp"
#include "os/file_bytes.hpp"
#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

using namespace std::string_literals;

class KeptHandOffs final : public HandOffSink {
public:
    void receive(const HandOff& hand_off) override {
        if (fail) throw tov::FileError("disk full");
        kept.push_back(hand_off);
    }
    std::vector<HandOff> kept;
    bool fail = false;
};

TEST(BackendRecorder, HandsOnTheExactBytesOfATextBufferAndItsArguments) {
    KeptHandOffs sink;
    BackendRecorder recorder(sink);
    const tov_backend backend = recorder.table();
    const std::string text = "linha\r\n\0fim\xE7"s;
    EXPECT_EQ(backend.ImprimePadrao(backend.ctx, "COM2", nullptr, text.data(), text.size()), 1);
    ASSERT_EQ(sink.kept.size(), 1u);
    EXPECT_EQ(sink.kept[0].entry_point, "ImprimePadrao");
    EXPECT_EQ(sink.kept[0].text, text);
    ASSERT_EQ(sink.kept[0].arguments.size(), 2u);
    EXPECT_EQ(sink.kept[0].arguments[0].shown, "\"COM2\"");
    EXPECT_EQ(sink.kept[0].arguments[1].shown, "\"\"");
}

TEST(BackendRecorder, WritesTheDemoCouponNumberOnlyWhereItFits) {
    KeptHandOffs sink;
    BackendRecorder recorder(sink);
    const tov_backend backend = recorder.table();
    char number[16] = "";
    EXPECT_EQ(backend.Nr_Cupom(backend.ctx, 0, 0, number, sizeof number), 1);
    EXPECT_STREQ(number, demo_coupon_number);
    char small[6] = "";
    EXPECT_EQ(backend.Nr_Cupom(backend.ctx, 0, 0, small, sizeof small), 1);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(backend.Nr_Cupom(backend.ctx, 0, 0, nullptr, 0), 1);
}

TEST(BackendRecorder, LeavesTheLineWidthAndAnswersTrueToTheNonFiscalDispatch) {
    KeptHandOffs sink;
    BackendRecorder recorder(sink);
    const tov_backend backend = recorder.table();
    int32_t width = 40;
    EXPECT_EQ(backend.AjustaImpressaoDireta(backend.ctx, "", "16", "", &width), 1);
    EXPECT_EQ(width, 40);

    const std::string bill = "conta\r\n";
    tov_variant args[7]{};
    args[0].type = TOV_VT_BOOL;
    args[1] = {TOV_VT_TEXT, 0, 0, 0, "PARCIALCONTA", 12};
    args[2] = {TOV_VT_TEXT, 0, 0, 0, bill.data(), bill.size()};
    args[3].type = args[4].type = args[5].type = TOV_VT_MISSING;
    args[6].type = TOV_VT_TEXT;
    tov_variant answer{};
    EXPECT_EQ(backend.DisparaImpressaoNaoFiscal(backend.ctx, args, 6, &answer), 1);
    EXPECT_EQ(answer.type, TOV_VT_BOOL);
    EXPECT_EQ(answer.boolean, 1);
    ASSERT_EQ(sink.kept.size(), 2u);
    EXPECT_EQ(sink.kept[1].text, bill);
    EXPECT_EQ(sink.kept[1].arguments[0].shown,
              "[false, \"PARCIALCONTA\", \"conta<CR><LF>\", missing, missing, missing, \"\"]");
}

TEST(BackendRecorder, KeepsASinkFailureForTheHostAndAnswersFalseUntilItIsRaised) {
    KeptHandOffs sink;
    BackendRecorder recorder(sink);
    const tov_backend backend = recorder.table();
    sink.fail = true;
    EXPECT_EQ(backend.Usa_CompNFis(backend.ctx, "1", "a\n", 2), 0);
    sink.fail = false;
    EXPECT_EQ(backend.FechRelatGerenc(backend.ctx, "1", 1, 0), 0);
    EXPECT_THROW(recorder.rethrow_failure(), tov::FileError);
    EXPECT_NO_THROW(recorder.rethrow_failure());
    EXPECT_EQ(backend.FechRelatGerenc(backend.ctx, "1", 1, 0), 1);
}

TEST(ConsoleSink, ShowsTheHeaderTheVisibleTextAndItsSize) {
    std::ostringstream out;
    ConsoleSink sink(out);
    sink.receive({"Usa_CompNFis", {{"stEsquemaCor", "\"1\""}}, "Jo\xE3o\r\nfim"});
    sink.receive({"FechRelatGerenc", {{"flag", "true"}, {"zero", "0"}}, std::nullopt});
    EXPECT_EQ(out.str(),
              ">> Usa_CompNFis(stEsquemaCor=\"1\")\n"
              "Jo\u00E3o<CR><LF>\n"
              "fim\n"
              "<< end of Usa_CompNFis text (9 bytes)\n"
              ">> FechRelatGerenc(flag=true, zero=0)\n");
}

TEST(RawFileSink, ConcatenatesTheTextsExactlyAndWritesNothingForTheOthers) {
    const auto path = std::filesystem::temp_directory_path() / "tovprint_raw_file_sink_test.raw";
    std::ostringstream log;
    {
        RawFileSink sink(path, log);
        sink.receive({"Relatorio_Gerencial_Imp", {}, std::nullopt});
        sink.receive({"Usa_CompNFis", {}, "um\n\0"s});
        sink.receive({"Usa_CompNFis", {}, "\xE7\r\n"s});
        sink.finish();
    }
    EXPECT_EQ(read_file_bytes(path), "um\n\0\xE7\r\n"s);
    EXPECT_EQ(log.str(), "Relatorio_Gerencial_Imp\nUsa_CompNFis: 4 bytes to " + path.string() +
                             "\nUsa_CompNFis: 3 bytes to " + path.string() + "\n");
    std::filesystem::remove(path);
}

TEST(RawFileSink, RefusesAFileThatCannotBeWritten) {
    std::ostringstream log;
    EXPECT_THROW(RawFileSink("/nonexistent-folder/out.raw", log), tov::FileError);
}

}  // namespace
}  // namespace tovprint
