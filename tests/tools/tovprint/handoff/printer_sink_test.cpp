// The printer back-end: the job's bytes paper by paper, what the log reports, and what it warns of.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "handoff/printer_sink.hpp"
#include "platform/errors/errors.hpp"
#include "printer/printer_profiles.hpp"
#include "printer/status/status_connection.hpp"
#include "printer/transport/printer_address.hpp"
#include "printer/transport/printer_error.hpp"

namespace tovprint {
namespace {

using namespace std::string_literals;

struct PortRecord {
    std::string bytes;
    bool finished = false;
    std::size_t fail_after = std::string::npos;  // bytes taken before the printer goes away
    bool fail_on_finish = false;                 // the printer never closes the job
    bool answers = false;                        // it answers status requests
    std::string status = "\x12\x12\x12\x12";     // its answers to DLE EOT 1..4
    bool confirms = true;                        // it answers GS ( H
    std::string requests;                        // the status requests it was sent
};

// A printer's answers to the status requests it is sent, as PortRecord scripts them.
class AnsweringConnection final : public status::StatusConnection {
public:
    explicit AnsweringConnection(PortRecord& record) : record_(record) {}
    void write(std::string_view bytes, status::Deadline) override {
        record_.requests += bytes;
        if (bytes.size() == 3 && bytes[0] == '\x10' && bytes[1] == '\x04') {
            pending_ += record_.status.at(static_cast<std::size_t>(bytes[2] - 1));
        } else if (bytes.size() == 11 && bytes.substr(0, 3) == "\x1D(H" && record_.confirms) {
            pending_ += "\x37\x22"s + std::string(bytes.substr(7, 4)) + '\0';
        }
    }
    std::string read_some(status::Deadline) override { return std::exchange(pending_, {}); }

private:
    PortRecord& record_;
    std::string pending_;
};

class RecordingPort final : public PrinterPort {
public:
    explicit RecordingPort(PortRecord& record) : record_(record), answers_(record) {}
    status::StatusConnection* status_connection() override {
        return record_.answers ? &answers_ : nullptr;
    }
    void write(std::string_view bytes) override {
        if (record_.bytes.size() + bytes.size() > record_.fail_after) {
            throw PrinterError("printer tcp://test dropped the connection");
        }
        record_.bytes += bytes;
    }
    void finish() override {
        if (record_.fail_on_finish) throw PrinterError("printer tcp://test did not close");
        record_.finished = true;
    }

private:
    PortRecord& record_;
    AnsweringConnection answers_;
};

struct PrinterRun {
    PortRecord port;
    std::ostringstream log;
    std::ostringstream warnings;
    std::unique_ptr<PrinterSink> sink;

    explicit PrinterRun(const char* profile_name) {
        PrinterProfile profile = find_printer_profile(profile_name);
        CodePage code_page(profile.code_page);
        sink = std::make_unique<PrinterSink>(std::make_unique<RecordingPort>(port), "tcp://test",
                                             std::move(profile), std::move(code_page),
                                             std::chrono::seconds(10), log, warnings);
    }
};

HandOff with_text(const char* entry_point, std::string text) {
    return HandOff{entry_point, {}, std::move(text)};
}

TEST(PrinterSink, SelectsTheCodePageOnceAndCutsAfterEachPaper) {
    PrinterRun run("esc-e-f");
    run.sink->receive(HandOff{"AjustaImpressaoDireta", {}, std::nullopt});
    run.sink->receive(with_text("DisparaImpressaoNaoFiscal",
                                "Lim\xE3o\r\n\x1B"
                                "ETotal\x1B"
                                "F"));
    run.sink->receive(with_text("DisparaImpressaoNaoFiscal", "Sal\xE3o\r\n"));
    run.sink->finish();
    EXPECT_EQ(run.port.bytes,
              "\x1B@\x1Bt\x03Lim\x84o\r\n\x1B"
              "ETotal\x1B"
              "F\x1Bm"
              "Sal\x84o\r\n\x1Bm");
    EXPECT_TRUE(run.port.finished);
    EXPECT_EQ(run.log.str(),
              "DisparaImpressaoNaoFiscal: 16 bytes to tcp://test, paper cut\n"
              "DisparaImpressaoNaoFiscal: 7 bytes to tcp://test, paper cut\n"
              "printer tcp://test took 32 bytes, 2 papers (profile esc-e-f, CP860)\n"
              "printer tcp://test: sent, not confirmed\n");
    EXPECT_EQ(run.warnings.str(), "");
}

TEST(PrinterSink, KeepsTheReportsPiecesOnOnePaper) {
    PrinterRun run("escpos");
    run.sink->receive(HandOff{"Relatorio_Gerencial_Imp", {}, std::nullopt});
    run.sink->receive(with_text("Usa_CompNFis", "one\n"));
    run.sink->receive(with_text("Usa_CompNFis", "two\n"));
    run.sink->receive(HandOff{"FechRelatGerenc", {}, std::nullopt});
    run.sink->receive(with_text("Usa_CompNFis", "left open\n"));
    run.sink->finish();
    EXPECT_EQ(run.port.bytes, "\x1B@\x1Bt\x02one\ntwo\n\x1DV\x42\x00left open\n\x1DV\x42\x00"s);
    EXPECT_NE(run.log.str().find("FechRelatGerenc: paper cut\n"), std::string::npos);
}

TEST(PrinterSink, WarnsOnceOfLackingCharactersUnknownCommandsAndWideLines) {
    PrinterRun run("escpos");
    const std::string wide(50, '-');
    run.sink->receive(with_text("ImprimePadrao",
                                "\x80 \x1B"
                                "ETotal\x1B"
                                "F\r\n" +
                                    wide));
    run.sink->receive(with_text("ImprimePadrao",
                                "\x80\x1B"
                                "F"));
    run.sink->finish();
    EXPECT_EQ(run.warnings.str(),
              "tovprint: warning: printer tcp://test: CP850 lacks '€': printed as 'EUR'\n"
              "tovprint: warning: printer tcp://test: the text holds ESC F, which is no command "
              "of the esc-e-n bold family of profile escpos: is it the profile of the printer "
              "kind? (tovprint profiles)\n"
              "tovprint: warning: printer tcp://test: lines of 50 characters are wider than the "
              "48 columns of font A of profile escpos: the printer wraps them\n");
}

// A hand-off whose bytes went to the connection is not yet printed: the printer may never read
// them. Nothing is reported before the printer took the whole job.
TEST(PrinterSink, ReportsNothingThePrinterDidNotTake) {
    PrinterRun run("escpos");
    run.port.fail_after = 20;
    run.sink->receive(with_text("ImprimePadrao", "first\n"));
    EXPECT_THROW(run.sink->receive(with_text("ImprimePadrao", "second, too long\n")), PrinterError);
    EXPECT_EQ(run.log.str(), "");
    EXPECT_FALSE(run.port.finished);

    PrinterRun never_closes("escpos");
    never_closes.port.fail_on_finish = true;
    never_closes.sink->receive(with_text("ImprimePadrao", "bill\n"));
    EXPECT_THROW(never_closes.sink->finish(), PrinterError);
    EXPECT_EQ(never_closes.log.str(), "");
}

TEST(PrinterSink, PrintedOnlyWhenThePrinterConfirmsAndNothingSentToOneThatCannotPrint) {
    PrinterRun printed("escpos");
    printed.port.answers = true;
    printed.sink->receive(with_text("ImprimePadrao", "bill\n"));
    printed.sink->finish();
    EXPECT_EQ(printed.port.bytes, "\x1B@\x1Bt\x02"s + "bill\n" + "\x1DV\x42\x00"s);
    EXPECT_EQ(printed.port.requests.substr(0, 12),
              "\x10\x04\x01\x10\x04\x02\x10\x04\x03\x10\x04\x04");
    EXPECT_EQ(printed.port.requests.substr(12, 7), "\x1D(H\x06\x00\x30\x30"s);
    EXPECT_NE(printed.log.str().find("printer tcp://test: printed\n"), std::string::npos);

    PrinterRun out_of_paper("escpos");
    out_of_paper.port.answers = true;
    out_of_paper.port.status[3] = '\x72';  // roll paper end
    try {
        out_of_paper.sink->receive(with_text("ImprimePadrao", "bill\n"));
        ADD_FAILURE() << "sent to a printer out of paper";
    } catch (const PrinterError& error) {
        EXPECT_STREQ(error.what(),
                     "printer tcp://test cannot print: out of paper; nothing was sent");
    }
    EXPECT_EQ(out_of_paper.port.bytes, "");

    PrinterRun unconfirmed("escpos");
    unconfirmed.port.answers = true;
    unconfirmed.port.confirms = false;
    unconfirmed.sink->receive(with_text("ImprimePadrao", "bill\n"));
    try {
        unconfirmed.sink->finish();
        ADD_FAILURE() << "an unconfirmed job ended well";
    } catch (const PrinterError& error) {
        EXPECT_NE(
            std::string(error.what()).find("sent whole; the printer did not confirm it printed"),
            std::string::npos);
    }
    EXPECT_EQ(unconfirmed.log.str(), "");
}

TEST(PrinterAddress, ReadsNetworkPrintersAndDevicesAndSaysWhatIsWrong) {
    const auto network = [](const std::string& text) {
        return std::get<NetworkPrinter>(parse_printer_address(text).where);
    };
    EXPECT_EQ(network("tcp://192.0.2.7").port, raw_printer_port);
    EXPECT_EQ(network("tcp://printer.local:9101").host, "printer.local");
    EXPECT_EQ(network("tcp://printer.local:9101").port, 9101);
    EXPECT_EQ(network("tcp://[::1]:9102").host, "::1");
    EXPECT_EQ(network("tcp://[::1]").port, raw_printer_port);
    EXPECT_EQ(std::get<FilePrinter>(parse_printer_address("file:/dev/usb/lp0").where).path,
              "/dev/usb/lp0");
    EXPECT_EQ(std::get<FilePrinter>(parse_printer_address("file:///dev/usb/lp0").where).path,
              "/dev/usb/lp0");
    for (const auto& [text, why] : std::vector<std::pair<std::string, std::string>>{
             {"tcp://", "the host is missing"},
             {"tcp://host:", "the port is empty"},
             {"tcp://host:0", "the port must be a number from 1 to 65535"},
             {"tcp://host:70000", "the port must be a number from 1 to 65535"},
             {"tcp://[::1", "lacks its ']'"},
             {"tcp://host/queue", "is no host name"},
             {"file:", "the path is missing"},
             {"lpt1", "expected tcp://HOST[:PORT] or file:PATH"}}) {
        try {
            parse_printer_address(text);
            ADD_FAILURE() << text;
        } catch (const tov::ArgumentError& error) {
            EXPECT_NE(std::string(error.what()).find("printer address '" + text + "': "),
                      std::string::npos);
            EXPECT_NE(std::string(error.what()).find(why), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace tovprint
