#pragma once
// A job's own number as the printer carries it in a process ID request and its answer: four
// bytes, each from '0' to '~'.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tovprint::status {

class ProcessId {
public:
    // How many numbers four bytes of 79 values each can carry.
    static constexpr std::uint32_t count = 79u * 79u * 79u * 79u;

    // The number's four bytes, the most significant first; throws std::invalid_argument when
    // number >= count.
    static ProcessId from_number(std::uint32_t number);
    // Four bytes read from a printer's answer; throws std::invalid_argument unless each is in
    // '0'..'~'.
    static ProcessId from_bytes(std::string_view bytes);

    std::uint32_t number() const;
    std::string bytes() const { return {bytes_.begin(), bytes_.end()}; }

    friend bool operator==(const ProcessId&, const ProcessId&) = default;

private:
    explicit ProcessId(std::array<char, 4> bytes) : bytes_(bytes) {}
    std::array<char, 4> bytes_;
};

bool is_process_id_byte(unsigned char byte);

}  // namespace tovprint::status
