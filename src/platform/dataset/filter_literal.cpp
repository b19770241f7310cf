#include "platform/dataset/filter_literal.hpp"

namespace tov::dataset {

std::string filter_literal(std::string_view text) {
    std::string literal = "'";
    for (const char c : text) {
        literal += c;
        if (c == '\'') literal += '\'';
    }
    return literal + "'";
}

}  // namespace tov::dataset
