#pragma once
// The bytes of the ESC/POS requests a printer answers about itself, and of its answers.

#include <cstdint>

namespace tovprint::status {

inline constexpr std::uint8_t data_link_escape = 0x10;     // DLE
inline constexpr std::uint8_t end_of_transmission = 0x04;  // EOT
inline constexpr std::uint8_t group_separator = 0x1D;      // GS
inline constexpr std::uint8_t transmit_on = 0x11;    // XON, flow control from a serial printer
inline constexpr std::uint8_t transmit_off = 0x13;   // XOFF
inline constexpr std::uint8_t end_of_answer = 0x00;  // NUL, the last byte of a block answer

// GS r n: a status read in order with the data.
inline constexpr std::uint8_t transmit_status_command = 'r';
inline constexpr std::uint8_t paper_sensor_selector = 1;

// GS ( H pL pH fn m d1 d2 d3 d4: the process ID response request.
inline constexpr std::uint8_t extended_command_open = '(';
inline constexpr std::uint8_t process_id_command = 'H';
inline constexpr std::uint8_t process_id_parameter_length = 6;  // pL; pH is 0
inline constexpr std::uint8_t process_id_function = 48;         // fn
inline constexpr std::uint8_t process_id_mode = 48;             // m

// Answers: header and identifier of the process ID response, header of other block data.
inline constexpr std::uint8_t block_answer_header = 0x37;
inline constexpr std::uint8_t process_id_identifier = 0x22;
inline constexpr std::uint8_t text_block_header = 0x5F;

// The bytes of a process ID: printable ASCII from '0' to '~'.
inline constexpr std::uint8_t process_id_first_byte = 0x30;
inline constexpr std::uint8_t process_id_last_byte = 0x7E;
inline constexpr std::size_t process_id_size = 4;

}  // namespace tovprint::status
