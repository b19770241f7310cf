#pragma once
// Statements name their parameters ":NAME"; drivers take '?' markers bound by position. This
// turns the one into the other and tells which name each marker stands for, so a name used
// three times is bound three times. A ':' inside a quoted literal, a quoted identifier or a
// comment is text, and so is a "::" cast.

#include <string>
#include <string_view>
#include <vector>

namespace tov::db {

struct PositionalStatement {
    std::string sql;                        // the statement with '?' markers
    std::vector<std::string> marker_names;  // the parameter name of each marker, in order
};

// Throws tov::DatabaseError for a literal, identifier or comment that is not closed.
PositionalStatement to_positional(std::string_view sql);

// The distinct names of marker_names, in order of first use.
std::vector<std::string> distinct_names(const std::vector<std::string>& marker_names);

}  // namespace tov::db
