#include "printer/status/process_id.hpp"

#include <stdexcept>

#include "printer/status/escpos_status_bytes.hpp"

namespace tovprint::status {
namespace {

constexpr std::uint32_t byte_values = process_id_last_byte - process_id_first_byte + 1;

}  // namespace

bool is_process_id_byte(unsigned char byte) {
    return byte >= process_id_first_byte && byte <= process_id_last_byte;
}

ProcessId ProcessId::from_number(std::uint32_t number) {
    if (number >= count) {
        throw std::invalid_argument("process ID " + std::to_string(number) +
                                    " does not fit in four bytes (at most " +
                                    std::to_string(count - 1) + ")");
    }
    std::array<char, process_id_size> bytes{};
    for (auto at = bytes.rbegin(); at != bytes.rend(); ++at) {
        *at = static_cast<char>(process_id_first_byte + number % byte_values);
        number /= byte_values;
    }
    return ProcessId(bytes);
}

ProcessId ProcessId::from_bytes(std::string_view bytes) {
    if (bytes.size() != process_id_size) {
        throw std::invalid_argument("a process ID has 4 bytes, not " +
                                    std::to_string(bytes.size()));
    }
    std::array<char, process_id_size> copy{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!is_process_id_byte(static_cast<unsigned char>(bytes[i]))) {
            throw std::invalid_argument("byte " + std::to_string(i + 1) +
                                        " of a process ID is outside '0'..'~'");
        }
        copy[i] = bytes[i];
    }
    return ProcessId(copy);
}

std::uint32_t ProcessId::number() const {
    std::uint32_t number = 0;
    for (char byte : bytes_) {
        number = number * byte_values + (static_cast<unsigned char>(byte) - process_id_first_byte);
    }
    return number;
}

}  // namespace tovprint::status
