#pragma once
// The call a request file asks for: the document command reads the file, and the packets it
// names are read from the request's own folder.

#include <filesystem>
#include <string>

#include "documents/document_command.hpp"
#include "host/document_call.hpp"

namespace tovprint {

// `origin` names the request in errors.
DocumentCall call_of_request(const DocumentCommand& command, const std::filesystem::path& request,
                             const std::string& origin);

}  // namespace tovprint
