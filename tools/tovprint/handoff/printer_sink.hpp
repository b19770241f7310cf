#pragma once
// Prints the hand-offs on a real printer: the job starts with the profile's init and its code
// page selection (ESC t n), once; each text follows in the printer's code page, its control bytes
// untouched; the profile's cut follows each paper (paper_end.hpp). The log tells what the printer
// took only once it has taken the whole job (a network printer closed the connection, having read
// it all): then one line for each hand-off that sent anything and a last line for the job. Bytes
// a network printer never read are so never reported as printed, though the system's buffers
// took them. Where the profile says the printer answers status requests, it is asked before the
// first byte, and a printer that cannot print (out of paper, cover open, off line, an error) is
// sent nothing. After the last cut a printer that confirms is asked to answer once it has
// processed the whole job; only its answer, within the timeout, makes the job "printed". What the
// user should know (characters the code page lacks, commands the printer does not know, lines wider
// than the paper) is said once each on the warning stream.

#include <chrono>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "handoff/hand_off.hpp"
#include "printer/codepage/code_page.hpp"
#include "printer/printer_profile.hpp"
#include "printer/printer_text.hpp"
#include "printer/transport/printer_port.hpp"

namespace tovprint {

class PrinterSink final : public HandOffSink {
public:
    // `where` names the printer in the log; `code_page` is the profile's.
    // `timeout` is the whole job's, counted from now.
    PrinterSink(std::unique_ptr<PrinterPort> port, std::string where, PrinterProfile profile,
                CodePage code_page, std::chrono::milliseconds timeout, std::ostream& log,
                std::ostream& warnings);
    void receive(const HandOff& hand_off) override;
    void finish() override;

private:
    void write(std::string_view bytes);
    void check_printer();
    void confirm();
    void cut();
    void warn_of(const PrinterText& text);
    void warn(const std::string& key, const std::string& message);

    std::unique_ptr<PrinterPort> port_;
    std::string where_;
    PrinterProfile profile_;
    CodePage code_page_;
    std::chrono::milliseconds timeout_;
    std::chrono::steady_clock::time_point deadline_;
    std::ostream& log_;
    std::ostream& warnings_;
    bool started_ = false;
    bool paper_open_ = false;
    std::size_t written_ = 0;
    int papers_ = 0;
    std::set<std::string> warned_;
    std::vector<std::string> notes_;  // the log's lines, told once the printer took the job
};

}  // namespace tovprint
