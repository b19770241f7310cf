#include "printer/status/status_requests.hpp"

#include "printer/status/escpos_status_bytes.hpp"

namespace tovprint::status {
namespace {

std::string bytes_of(std::initializer_list<std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t byte : bytes) text.push_back(static_cast<char>(byte));
    return text;
}

}  // namespace

std::string_view real_time_read_name(RealTimeRead read) {
    switch (read) {
        case RealTimeRead::Printer:
            return "printer";
        case RealTimeRead::OffLineCause:
            return "off-line cause";
        case RealTimeRead::ErrorCause:
            return "error cause";
        case RealTimeRead::RollPaperSensor:
            return "roll paper sensor";
    }
    return "unknown read";
}

std::string real_time_status_request(RealTimeRead read) {
    return bytes_of({data_link_escape, end_of_transmission, static_cast<std::uint8_t>(read)});
}

std::string paper_sensor_request() {
    return bytes_of({group_separator, transmit_status_command, paper_sensor_selector});
}

std::string process_id_request(const ProcessId& id) {
    return bytes_of({group_separator, extended_command_open, process_id_command,
                     process_id_parameter_length, 0, process_id_function, process_id_mode}) +
           id.bytes();
}

}  // namespace tovprint::status
