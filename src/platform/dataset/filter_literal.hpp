#pragma once
// A text as a literal of a dataset filter expression: in quotes, with a quote inside doubled, so
// that a code holding a quote selects its own rows instead of breaking the expression.

#include <string>
#include <string_view>

namespace tov::dataset {

std::string filter_literal(std::string_view text);

}  // namespace tov::dataset
