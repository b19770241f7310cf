#pragma once
// One value of a packet as `tovprint packet show` prints it, in UTF-8: NULL as empty, numbers
// and date-times in the regional format, text with control bytes marked (visible_text.hpp),
// binary blobs as their size.

#include <string>

#include "platform/dataset/packet.hpp"

namespace tovprint {

std::string packet_cell(const tov::dataset::Field& field, const tov::dataset::Value& value);

}  // namespace tovprint
