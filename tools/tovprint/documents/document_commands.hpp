#pragma once
// Every document command of tovprint, in the order the demo prints them: `tovprint print` knows
// their names and `tovprint demo` prints their demo entries. A new document is its
// <name>_command.{hpp,cpp} pair and one line in the list of document_commands.cpp.

#include <span>
#include <string_view>

#include "documents/document_command.hpp"

namespace tovprint {

std::span<const DocumentCommand* const> document_commands();

// The command of that name; throws tov::ArgumentError listing the known names otherwise.
const DocumentCommand& document_command(std::string_view name);

}  // namespace tovprint
