#include "documents/packet_files.hpp"

#include "os/file_bytes.hpp"
#include "platform/errors/errors.hpp"

namespace tovprint {

PacketFiles packet_files_beside(const std::filesystem::path& folder) {
    return [folder](const PacketReference& packet) {
        if (packet.bytes) return *packet.bytes;
        return read_file_bytes(folder / packet.file);
    };
}

PacketFiles packets_in_request_only() {
    return [](const PacketReference& packet) {
        if (packet.bytes) return *packet.bytes;
        throw tov::ArgumentError("key '" + packet.key +
                                 "': a packet must be given as {\"base64\": \"...\"}, not as "
                                 "the name of a file");
    };
}

}  // namespace tovprint
