#pragma once
// Little-endian integers in packet bytes. The callers check the bounds; these only move bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tov::dataset::packet_bytes {

// The unsigned little-endian integer of the first `size` (at most 8) bytes of `bytes`.
inline uint64_t load_unsigned(std::string_view bytes, std::size_t size) {
    uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = (value << 8) | static_cast<uint8_t>(bytes[i]);
    }
    return value;
}

// The same bytes read as a two's complement number of `size` bytes.
inline int64_t load_signed(std::string_view bytes, std::size_t size) {
    const uint64_t value = load_unsigned(bytes, size);
    if (size >= 8) return static_cast<int64_t>(value);
    const uint64_t sign_bit = uint64_t{1} << (size * 8 - 1);
    return static_cast<int64_t>((value ^ sign_bit)) - static_cast<int64_t>(sign_bit);
}

// Appends the low `size` bytes of `value`, least significant first.
inline void append_unsigned(std::string& out, uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(static_cast<char>(value & 0xFF));
        value >>= 8;
    }
}

}  // namespace tov::dataset::packet_bytes
