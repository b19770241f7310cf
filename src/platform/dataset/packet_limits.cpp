#include "platform/dataset/packet_limits.hpp"

#include <string>

#include "platform/errors/errors.hpp"

namespace tov::dataset {

void check_packet_dimensions(std::string_view form, std::size_t fields, std::size_t rows) {
    const std::string prefix = std::string(form) + ": ";
    if (fields > max_packet_fields) {
        throw PacketError(prefix + std::to_string(fields) + " fields are more than the " +
                          std::to_string(max_packet_fields) + " a packet may hold");
    }
    if (fields != 0 && rows > max_packet_cells / fields) {
        throw PacketError(
            prefix + std::to_string(fields) + " fields and " + std::to_string(rows) +
            " rows make " + std::to_string(static_cast<unsigned long long>(fields) * rows) +
            " cells, more than the " + std::to_string(max_packet_cells) + " a packet may hold");
    }
}

}  // namespace tov::dataset
