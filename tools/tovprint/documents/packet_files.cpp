#include "documents/packet_files.hpp"

#include "os/file_bytes.hpp"

namespace tovprint {

PacketFiles packet_files_beside(const std::filesystem::path& folder) {
    return [folder](const std::filesystem::path& named) { return read_file_bytes(folder / named); };
}

}  // namespace tovprint
