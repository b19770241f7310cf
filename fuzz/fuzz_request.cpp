// Reads arbitrary bytes as a tovprint request with the request reader of every document command.
// Every refusal must be a tov::ArgumentError, and a request that is accepted must give a call.
// The packet files a request names are answered empty without touching the disk. A request of
// the sales-by-salesperson report that is accepted must also hold texts that convert back to
// UTF-8, whatever the bytes were.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/document_commands.hpp"
#include "documents/vendedor_command.hpp"
#include "platform/errors/errors.hpp"
#include "platform/text/cp1252.hpp"

namespace {

std::string no_packet(const tovprint::PacketReference&) {
    return {};
}

void read_with(const tovprint::DocumentCommand& command, std::string_view bytes) {
    try {
        const tovprint::DocumentCall call = command.from_request(bytes, "fuzz.json", no_packet);
        if (!call) std::abort();
    } catch (const tov::ArgumentError&) {
    }
}

void read_texts_of_vendedor(std::string_view bytes) {
    try {
        const auto request = tovprint::parse_vendedor_request(bytes, "fuzz.json");
        if (!tov::text::is_valid_utf8(tov::text::cp1252_to_utf8(request.stNmFilial))) std::abort();
    } catch (const tov::ArgumentError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const tovprint::DocumentCommand* command : tovprint::document_commands()) {
        read_with(*command, bytes);
    }
    read_texts_of_vendedor(bytes);
    return 0;
}
