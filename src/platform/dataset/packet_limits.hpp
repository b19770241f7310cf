#pragma once
// How much a packet may declare. A NULL cell costs a bit or so in memory, but a packet of few
// bytes can still declare many: an empty XML row stands for a cell in every field. The readers
// refuse a packet past these limits before they store any row, so no packet, however made, takes
// memory out of proportion to its bytes: 50 million NULL cells take about 8 MB.

#include <cstddef>
#include <string_view>

namespace tov::dataset {

inline constexpr std::size_t max_packet_fields = 65535;      // also the binary form's own limit
inline constexpr std::size_t max_packet_cells = 50'000'000;  // fields x rows

// Throws PacketError "<form>: N fields ..." when fields or fields x rows exceed the limits.
void check_packet_dimensions(std::string_view form, std::size_t fields, std::size_t rows);

}  // namespace tov::dataset
