#pragma once
// What `tovprint demo` prints: one entry per document and printer path, each preparing the call
// of its print function from the demo packets of a data folder. A new document is one more
// entry in demo_documents.cpp.

#include <filesystem>
#include <span>
#include <string_view>

#include "document_call.hpp"

namespace tovprint {

struct DemoDocument {
    std::string_view title;
    DocumentCall (*prepare)(const std::filesystem::path& data_folder);
};

std::span<const DemoDocument> demo_documents();

}  // namespace tovprint
