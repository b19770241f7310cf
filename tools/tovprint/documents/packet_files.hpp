#pragma once
// Where the packets that a request names are read. tovprint reads them relative to the
// request's folder; a request may also carry a packet itself ({"base64": "..."}), which the print
// service's callers always do; the request fuzz target answers without touching the disk, so
// that a path it makes up (a device, a huge file) is never opened.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tovprint {

// A packet as a request gives it: the path of a file, or the packet's own bytes.
struct PacketReference {
    std::string key;                   // the request's key that gives it, for messages
    std::filesystem::path file;        // as the request wrote it, when it names a file
    std::optional<std::string> bytes;  // the packet given in the request itself

    bool operator==(const std::filesystem::path& named) const { return !bytes && file == named; }
};

// The bytes of the packet a request refers to.
using PacketFiles = std::function<std::string(const PacketReference& packet)>;

// Reads each named packet from folder / named; throws tov::FileError naming the file it cannot
// read. A packet given in the request is answered as it is.
PacketFiles packet_files_beside(const std::filesystem::path& folder);

// Answers the packets given in the request and refuses, with tov::ArgumentError, every one
// that names a file: for hosts that must never open a file a remote caller names.
PacketFiles packets_in_request_only();

}  // namespace tovprint
