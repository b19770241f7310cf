#pragma once
// What tovprint asks a printer about a job, as its profile says the printer answers: before the
// job, whether it can print (DLE EOT 1..4); after the job's last cut, whether it printed it all
// (GS ( H with a job number of tovprint's own, or GS r 1). A port that does not read back, or a
// profile without the method, leaves the answer unknown, never taken for success.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "printer/printer_profile.hpp"
#include "printer/status/status_facts.hpp"
#include "printer/status/status_verdict.hpp"
#include "printer/transport/printer_port.hpp"

namespace tovprint {

// Each status read waits this long for its answer at most (less when the timeout is shorter):
// a printer that answers at all answers a real-time read at once.
inline constexpr std::chrono::milliseconds status_answer_limit{2000};

struct PrinterReading {
    status::PrinterStatus status;
    status::StatusVerdict verdict;
};

// The four status reads, each awaited at most `answer_limit`; unknown (with the reason) when the
// profile has no status method or the port does not read back.
PrinterReading read_printer_status(PrinterPort& port, const PrinterProfile& profile,
                                   std::chrono::milliseconds answer_limit);

enum class JobConfirmation {
    Printed,           // the printer answered once it had processed the whole job
    SentNotConfirmed,  // written whole; the profile's printer does not confirm
    NotConfirmed,      // the printer should have confirmed and did not (or reported paper end)
};

std::string_view job_confirmation_text(JobConfirmation confirmation);

// A verdict's reasons or warnings as one text: "cover open, out of paper".
std::string reasons_text(const std::vector<std::string>& reasons);

// After the job's last byte: asks the printer to answer once it has processed everything, and
// waits for the answer until `deadline`. `job_number` becomes the process ID of GS ( H.
JobConfirmation confirm_job(PrinterPort& port, const PrinterProfile& profile,
                            std::uint32_t job_number, status::Deadline deadline);

// A job number of this program's own for GS ( H, different from run to run.
std::uint32_t new_job_number();

}  // namespace tovprint
