#pragma once
// Input quoted in an error message: a field name, a filter, a value. A message quotes at most
// max_quoted_input characters of any input, marking a cut with "...", so that a megabyte of bad
// input gives a message of a line.

#include <cstddef>
#include <string>
#include <string_view>

namespace tov {

inline constexpr std::size_t max_quoted_input = 80;

// The input cut to max_quoted_input characters ("..." after a cut), without quotes.
inline std::string shortened(std::string_view input) {
    if (input.size() <= max_quoted_input) return std::string(input);
    return std::string(input.substr(0, max_quoted_input)) + "...";
}

// 'input', cut as shortened does.
inline std::string quoted_input(std::string_view input) {
    return "'" + shortened(input) + "'";
}

// "field 'NAME'", the name cut as shortened does.
inline std::string field_label(std::string_view name) {
    return "field " + quoted_input(name);
}

}  // namespace tov
