// Reads arbitrary bytes as a tovprint request of the sales-by-salesperson report. Every refusal
// must be a tov::ArgumentError; a request that is accepted must hold texts that convert back to
// UTF-8 and an integer printer kind, whatever the bytes were.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/errors/errors.hpp"
#include "platform/text/cp1252.hpp"
#include "vendedor_request.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const auto request = tovprint::parse_vendedor_request(bytes, "fuzz.json");
        if (!tov::text::is_valid_utf8(tov::text::cp1252_to_utf8(request.stNmFilial))) std::abort();
    } catch (const tov::ArgumentError&) {
        return 0;
    }
    return 0;
}
