#pragma once
// A packet lookup's answer loaded into a client dataset, as the bill loads the till's operator,
// the loyalty balance and the payments. A lookup that answers a database error's text instead of
// a packet ends the bill with that text.

#include <string_view>

#include "lookups/sale_lookups.hpp"
#include "platform/dataset/client_dataset.hpp"

namespace tov::bill {

// Throws tov::DatabaseError naming the lookup and quoting its text when the answer is no packet.
void assign_lookup_packet(dataset::ClientDataSet& target, const lookups::LookupPacket& answer,
                          std::string_view lookup);

}  // namespace tov::bill
