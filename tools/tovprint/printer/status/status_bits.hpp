#pragma once
// The bits of the printer's one-byte status answers (1 means the condition holds), and the bits
// each kind of answer always has at the same value, which tell a status answer from other bytes.

#include <cstdint>

namespace tovprint::status {

constexpr std::uint8_t bit(unsigned position) {
    return static_cast<std::uint8_t>(1u << position);
}

// A byte matches a pattern when (byte & mask) == value.
struct FixedBits {
    std::uint8_t mask;
    std::uint8_t value;
    constexpr bool hold_in(std::uint8_t byte) const { return (byte & mask) == value; }
};

// DLE EOT n answers: bits 1 and 4 are 1, bits 0 and 7 are 0.
inline constexpr FixedBits real_time_fixed_bits{
    static_cast<std::uint8_t>(bit(0) | bit(1) | bit(4) | bit(7)),
    static_cast<std::uint8_t>(bit(1) | bit(4))};

// GS r 1 answer: bits 4 and 7 are 0.
inline constexpr FixedBits paper_sensor_fixed_bits{static_cast<std::uint8_t>(bit(4) | bit(7)), 0};

// Automatic status back: four bytes, the first with bits 0, 1 and 7 at 0 and bit 4 at 1, the
// others with bits 4 and 7 at 0.
inline constexpr FixedBits automatic_status_first_fixed_bits{
    static_cast<std::uint8_t>(bit(0) | bit(1) | bit(4) | bit(7)), bit(4)};
inline constexpr FixedBits automatic_status_other_fixed_bits{
    static_cast<std::uint8_t>(bit(4) | bit(7)), 0};
inline constexpr std::size_t automatic_status_size = 4;

// DLE EOT 1: the printer.
inline constexpr std::uint8_t drawer_pin_3_high_bit = bit(2);
inline constexpr std::uint8_t off_line_bit = bit(3);
inline constexpr std::uint8_t waiting_for_recovery_bit = bit(5);
inline constexpr std::uint8_t feed_button_pressed_bit = bit(6);

// DLE EOT 2: why it is off line.
inline constexpr std::uint8_t cover_open_bit = bit(2);
inline constexpr std::uint8_t paper_fed_by_button_bit = bit(3);
inline constexpr std::uint8_t stopped_by_paper_end_bit = bit(5);
inline constexpr std::uint8_t error_bit = bit(6);

// DLE EOT 3: which error.
inline constexpr std::uint8_t mechanical_error_bit = bit(2);
inline constexpr std::uint8_t cutter_error_bit = bit(3);
inline constexpr std::uint8_t unrecoverable_error_bit = bit(5);
inline constexpr std::uint8_t auto_recoverable_error_bit = bit(6);

// DLE EOT 4: the roll paper sensors. Printers with two sensors set each bit of a pair on its own,
// so either bit of a pair means the condition.
inline constexpr std::uint8_t roll_near_end_bits = static_cast<std::uint8_t>(bit(2) | bit(3));
inline constexpr std::uint8_t roll_end_bits = static_cast<std::uint8_t>(bit(5) | bit(6));

// GS r 1: the paper sensors, read in order with the data.
inline constexpr std::uint8_t sensor_near_end_bits = static_cast<std::uint8_t>(bit(0) | bit(1));
inline constexpr std::uint8_t sensor_end_bits = static_cast<std::uint8_t>(bit(2) | bit(3));

// The "all well" answer of each DLE EOT n.
inline constexpr std::uint8_t real_time_all_well = real_time_fixed_bits.value;

}  // namespace tovprint::status
