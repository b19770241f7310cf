// Reads arbitrary bytes as an XML data packet. A packet that loads must write to XML that loads
// again, and writing that one must give the same text. Converted to the binary form it is either
// refused by the writer or read back whole.

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
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Packet packet;
    try {
        packet = read_xml_packet(text);
    } catch (const tov::Error&) {
        return 0;
    }
    // Forms the reader accepts loosely (a lower-case width, "t" for true, a date with dashes,
    // doubles beyond 16 digits) are written in one form; after one pass the text must be stable.
    for (const XmlEncoding encoding : {XmlEncoding::Ansi, XmlEncoding::Utf8}) {
        const std::string written = write_xml_packet(packet, encoding);
        const Packet reread = read_xml_packet(written);
        if (write_xml_packet(reread, encoding) != written) std::abort();
        if (reread.fields.size() != packet.fields.size() ||
            reread.rows.size() != packet.rows.size())
            std::abort();
    }
    std::string as_binary;
    try {
        as_binary = write_binary_packet(packet);
    } catch (const tov::PacketError&) {
        return 0;
    }
    if (read_binary_packet(as_binary).rows.size() != packet.rows.size()) std::abort();
    return 0;
}
