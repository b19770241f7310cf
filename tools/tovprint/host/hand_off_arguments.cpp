#include "host/hand_off_arguments.hpp"

#include <sstream>

#include "terminal/visible_text.hpp"

namespace tovprint {
namespace {

std::string quoted(std::string_view cp1252) {
    return '"' + visible_text(cp1252, LineBreaks::Inline) + '"';
}

std::string shown_variant(const tov_variant& value) {
    const auto* bytes = static_cast<const char*>(value.data);
    switch (value.type) {
        case TOV_VT_EMPTY:
            return "empty";
        case TOV_VT_NULL:
            return "null";
        case TOV_VT_BOOL:
            return value.boolean != 0 ? "true" : "false";
        case TOV_VT_INT:
            return std::to_string(value.integer);
        case TOV_VT_DOUBLE:
            return number_argument("", value.number).shown;
        case TOV_VT_TEXT:
            return value.size > 80 ? "text of " + std::to_string(value.size) + " bytes"
                                   : quoted(buffer_bytes(bytes, value.size));
        case TOV_VT_BYTES:
            return std::to_string(value.size) + " bytes";
        case TOV_VT_MISSING:
            return "missing";
        default:
            return "type " + std::to_string(value.type) + "?";
    }
}

}  // namespace

std::string buffer_bytes(const char* data, std::size_t size) {
    return data != nullptr ? std::string(data, size) : std::string();
}

HandOffArgument text_argument(const char* name, const char* text) {
    return {name, quoted(text != nullptr ? text : "")};
}

HandOffArgument integer_argument(const char* name, int64_t value) {
    return {name, std::to_string(value)};
}

HandOffArgument number_argument(const char* name, double value) {
    std::ostringstream shown;
    shown.precision(15);
    shown << value;
    return {name, shown.str()};
}

HandOffArgument boolean_argument(const char* name, int32_t value) {
    return {name, value != 0 ? "true" : "false"};
}

HandOffArgument size_argument(const char* name, std::size_t bytes) {
    return {name, std::to_string(bytes) + " bytes"};
}

HandOffArgument variants_argument(const char* name, const tov_variant* values, int32_t high) {
    std::string shown = "[";
    for (int32_t index = 0; values != nullptr && index <= high; ++index) {
        if (index > 0) shown += ", ";
        shown += shown_variant(values[index]);
    }
    return {name, shown + ']'};
}

}  // namespace tovprint
