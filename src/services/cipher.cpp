#include "services/cipher.hpp"

#include <array>
#include <cstddef>
#include <optional>

namespace tov::services {
namespace {

struct PrintableRange {
    int low;
    int size;
};

constexpr std::array<PrintableRange, 2> kRanges = {{
    {0x20, 0x7F - 0x20},   // blank to '~'
    {0xA0, 0x100 - 0xA0},  // no-break space to 'ÿ'
}};

std::optional<PrintableRange> range_of(unsigned char byte) {
    for (const PrintableRange& range : kRanges) {
        if (byte >= range.low && byte < range.low + range.size) return range;
    }
    return std::nullopt;
}

// The shift of the byte at `position`, reduced into [0, size). Computed in 64 bits so that no
// key or text length overflows.
int shift_at(int key, std::size_t position, int size) {
    const long long sum = static_cast<long long>(key % size) +
                          static_cast<long long>(position % static_cast<std::size_t>(size));
    return static_cast<int>(((sum % size) + size) % size);
}

// Moves every printable byte forward (direction +1) or back (-1) by its shift.
std::string shift_text(std::string_view text, int key, int direction) {
    std::string shifted(text);
    for (std::size_t position = 0; position < shifted.size(); ++position) {
        const auto byte = static_cast<unsigned char>(shifted[position]);
        const std::optional<PrintableRange> range = range_of(byte);
        if (!range) continue;
        const int shift = direction * shift_at(key, position, range->size);
        const int offset = ((byte - range->low + shift) % range->size + range->size) % range->size;
        shifted[position] = static_cast<char>(range->low + offset);
    }
    return shifted;
}

}  // namespace

std::string Cripto(std::string_view plain_text, int key) {
    return shift_text(plain_text, key, +1);
}

std::string Uncripto(std::string_view enciphered_text, int key) {
    return shift_text(enciphered_text, key, -1);
}

}  // namespace tov::services
