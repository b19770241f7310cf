#pragma once
// The provider: the rows of an open query as a data packet, with one field per column and the
// rows in the order the database returned them. Text is ZSTRING (WIDTH = the column's size, or
// the longest value when larger), integers INT, floating-point numbers FLOAT, decimals BCD
// (WIDTH = precision, DECIMALS = scale; see decimal_field.hpp) and date-times TIMESTAMP.

#include <string>

#include "platform/dataset/packet.hpp"
#include "platform/db/query.hpp"

namespace tov::db {

// Throws tov::DatabaseError when the query is not open, tov::ConversionError for a value that
// does not fit its column.
dataset::Packet packet_from_query(const Query& query);

// The packet in binary form.
std::string provide_packet(const Query& query);

}  // namespace tov::db
