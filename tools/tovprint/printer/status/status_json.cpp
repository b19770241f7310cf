#include "printer/status/status_json.hpp"

#include <cstdio>

namespace tovprint::status {
namespace {

using nlohmann::json;

template <typename Facts, typename Fill>
json facts_json(const std::optional<Facts>& facts, Fill fill) {
    if (!facts) return nullptr;
    json object = json::object();
    fill(object, *facts);
    return object;
}

std::string hex_byte(std::uint8_t byte) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(byte));
    return text;
}

json answers_json(const PrinterStatus& status) {
    json answers = json::object();
    for (RealTimeRead read : all_real_time_reads) {
        const auto byte = status.answer(read);
        answers[std::string(real_time_read_name(read))] = byte ? json(hex_byte(*byte)) : json();
    }
    return answers;
}

}  // namespace

json paper_json(const std::optional<PaperFacts>& paper) {
    return facts_json(paper, [](json& object, const PaperFacts& facts) {
        object["near_end"] = facts.near_end;
        object["paper_end"] = facts.paper_end;
    });
}

json status_json(const PrinterStatus& status, const StatusVerdict& verdict) {
    json result = json::object();
    result["verdict"] = verdict_name(verdict.verdict);
    result["reasons"] = verdict.reasons;
    result["warnings"] = verdict.warnings;
    result["printer"] = facts_json(status.printer(), [](json& object, const PrinterFacts& facts) {
        object["off_line"] = facts.off_line;
        object["waiting_for_recovery"] = facts.waiting_for_recovery;
        object["feed_button_pressed"] = facts.feed_button_pressed;
        object["drawer_pin_3_high"] = facts.drawer_pin_3_high;
    });
    result["off_line_cause"] =
        facts_json(status.off_line_cause(), [](json& object, const OffLineCauseFacts& facts) {
            object["cover_open"] = facts.cover_open;
            object["paper_fed_by_button"] = facts.paper_fed_by_button;
            object["stopped_by_paper_end"] = facts.stopped_by_paper_end;
            object["error"] = facts.error;
        });
    result["error_cause"] =
        facts_json(status.error_cause(), [](json& object, const ErrorCauseFacts& facts) {
            object["recoverable_error"] = facts.recoverable_error;
            object["cutter_error"] = facts.cutter_error;
            object["unrecoverable_error"] = facts.unrecoverable_error;
            object["auto_recoverable_error"] = facts.auto_recoverable_error;
        });
    result["roll_paper"] = paper_json(status.roll_paper());
    result["answers"] = answers_json(status);
    return result;
}

}  // namespace tovprint::status
