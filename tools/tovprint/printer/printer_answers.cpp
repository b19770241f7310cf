#include "printer/printer_answers.hpp"

#include <algorithm>
#include <random>

#include "printer/status/process_id.hpp"
#include "printer/status/status_query.hpp"
#include "printer/transport/printer_error.hpp"

namespace tovprint {
namespace {

PrinterReading unknown_reading(std::string reason) {
    PrinterReading reading;
    reading.verdict.verdict = status::Verdict::Unknown;
    reading.verdict.reasons.push_back(std::move(reason));
    return reading;
}

}  // namespace

PrinterReading read_printer_status(PrinterPort& port, const PrinterProfile& profile,
                                   std::chrono::milliseconds answer_limit) {
    if (profile.status == StatusMethod::None) {
        return unknown_reading("profile " + profile.name + " has no status method");
    }
    status::StatusConnection* connection = port.status_connection();
    if (connection == nullptr) return unknown_reading("the printer's port does not read back");
    try {
        status::StatusQuery query(*connection, answer_limit);
        PrinterReading reading;
        reading.status = query.read_status();
        reading.verdict = status::judge(reading.status);
        return reading;
    } catch (const status::StatusConnectionError& error) {
        throw PrinterError(error.what());
    }
}

std::string reasons_text(const std::vector<std::string>& reasons) {
    std::string text;
    for (const std::string& reason : reasons) text += (text.empty() ? "" : ", ") + reason;
    return text;
}

std::string_view job_confirmation_text(JobConfirmation confirmation) {
    switch (confirmation) {
        case JobConfirmation::Printed:
            return "printed";
        case JobConfirmation::SentNotConfirmed:
            return "sent, not confirmed";
        case JobConfirmation::NotConfirmed:
            return "not confirmed";
    }
    return "not confirmed";
}

JobConfirmation confirm_job(PrinterPort& port, const PrinterProfile& profile,
                            std::uint32_t job_number, status::Deadline deadline) {
    if (profile.confirmation == ConfirmationMethod::None) return JobConfirmation::SentNotConfirmed;
    status::StatusConnection* connection = port.status_connection();
    if (connection == nullptr) return JobConfirmation::SentNotConfirmed;
    status::StatusQuery query(*connection, deadline - status::Clock::now());
    status::Confirmation answer = status::Confirmation::NotConfirmed;
    try {
        if (profile.confirmation == ConfirmationMethod::ProcessId) {
            answer = query.confirm_printed(
                status::ProcessId::from_number(job_number % status::ProcessId::count), deadline);
        } else {
            answer = query.confirm_by_paper_sensor(deadline);
        }
    } catch (const status::StatusConnectionError&) {
        return JobConfirmation::NotConfirmed;  // closed before it answered
    }
    return answer == status::Confirmation::Printed ? JobConfirmation::Printed
                                                   : JobConfirmation::NotConfirmed;
}

std::uint32_t new_job_number() {
    std::random_device source;
    return std::uniform_int_distribution<std::uint32_t>(0, status::ProcessId::count - 1)(source);
}

}  // namespace tovprint
