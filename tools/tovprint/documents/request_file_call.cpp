#include "documents/request_file_call.hpp"

#include "documents/packet_files.hpp"
#include "os/file_bytes.hpp"

namespace tovprint {

DocumentCall call_of_request(const DocumentCommand& command, const std::filesystem::path& request,
                             const std::string& origin) {
    return command.from_request(read_file_bytes(request), origin,
                                packet_files_beside(request.parent_path()));
}

}  // namespace tovprint
