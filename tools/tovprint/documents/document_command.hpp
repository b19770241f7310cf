#pragma once
// One document command of tovprint, `tovprint print NAME --request FILE`: a print function of
// the package, how a request file's text becomes its call, and what `tovprint demo` prints of it.
// Each document is one <name>_command.{hpp,cpp} pair defining one of these; document_commands.cpp
// lists them.

#include <span>
#include <string>
#include <string_view>

#include "documents/packet_files.hpp"
#include "host/document_call.hpp"

namespace tovprint {

// One document of the demo: a request file of the demo data folder, printed under a title.
struct DemoEntry {
    std::string_view title;         // the demo shows it followed by " (export name)"
    std::string_view request_file;  // in the demo data folder; its packets are beside it
};

struct DocumentCommand {
    std::string_view name;         // the command-line name
    std::string_view export_name;  // the print function it calls
    // The call of a request file's text (keys: the parameter names); origin names the request in
    // messages. Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
    DocumentCall (*from_request)(std::string_view json_text, const std::string& origin,
                                 const PacketFiles& packets);
    std::span<const DemoEntry> demo;  // in the order the demo prints them
};

}  // namespace tovprint
