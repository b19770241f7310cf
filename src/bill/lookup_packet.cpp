#include "bill/lookup_packet.hpp"

#include <string>
#include <variant>

#include "platform/errors/errors.hpp"

namespace tov::bill {

void assign_lookup_packet(dataset::ClientDataSet& target, const lookups::LookupPacket& answer,
                          std::string_view lookup) {
    if (const auto* failure = std::get_if<lookups::ErrorText>(&answer)) {
        throw DatabaseError(std::string(lookup) +
                            " answered an error instead of a packet: " + failure->text);
    }
    target.SetData(std::get<std::string>(answer));
}

}  // namespace tov::bill
