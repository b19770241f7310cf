#pragma once
// Where the packet files that a request names are read. tovprint reads them relative to the
// request's folder; the request fuzz target answers without touching the disk, so that a path
// it makes up (a device, a huge file) is never opened.

#include <filesystem>
#include <functional>
#include <string>

namespace tovprint {

// The bytes of the packet file a request names, as the request wrote its path.
using PacketFiles = std::function<std::string(const std::filesystem::path& named)>;

// Reads each packet from folder / named; throws tov::FileError naming the file it cannot read.
PacketFiles packet_files_beside(const std::filesystem::path& folder);

}  // namespace tovprint
