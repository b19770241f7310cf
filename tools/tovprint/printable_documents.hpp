#pragma once
// The documents `tovprint print DOCUMENT --request FILE` knows: one entry per print function,
// each turning a request file's text into the call. A new document is one more entry.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "document_call.hpp"

namespace tovprint {

struct PrintableDocument {
    std::string_view name;         // the command-line name
    std::string_view export_name;  // the print function it calls
    DocumentCall (*from_request)(std::string_view json_text, const std::string& origin,
                                 const std::filesystem::path& folder);
};

std::span<const PrintableDocument> printable_documents();

// The entry of that name; throws tov::ArgumentError listing the known names otherwise.
const PrintableDocument& printable_document(std::string_view name);

}  // namespace tovprint
