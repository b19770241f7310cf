// Reads arbitrary bytes as a binary data packet. A packet that loads must write back to bytes
// that load again to the same packet, and writing that one must give the same bytes. Converted
// to XML it is either refused by the writer or read back whole: no conversion may succeed into a
// text the reader refuses.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/dataset/packet_binary.hpp"
#include "platform/dataset/packet_xml.hpp"
#include "platform/errors/errors.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace tov::dataset;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Packet packet;
    try {
        packet = read_binary_packet(bytes);
    } catch (const tov::Error&) {
        return 0;
    }
    // Values a reader maps onto one form (a non-zero Boolean, an undelivered blob) may change
    // the bytes once; after that the packet must be stable.
    const std::string written = write_binary_packet(packet);
    const Packet reread = read_binary_packet(written);
    if (write_binary_packet(reread) != written) std::abort();
    if (reread.fields.size() != packet.fields.size() || reread.rows.size() != packet.rows.size())
        std::abort();
    std::string as_xml;
    try {
        as_xml = write_xml_packet(packet);
    } catch (const tov::PacketError&) {
        return 0;
    }
    if (read_xml_packet(as_xml).rows.size() != packet.rows.size()) std::abort();
    return 0;
}
