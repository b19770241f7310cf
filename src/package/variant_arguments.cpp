#include "package/variant_arguments.hpp"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/errors/errors.hpp"

namespace tov::package {
namespace {

std::string type_name(int32_t type) {
    switch (type) {
        case TOV_VT_EMPTY:
            return "EMPTY";
        case TOV_VT_NULL:
            return "NULL";
        case TOV_VT_BOOL:
            return "BOOL";
        case TOV_VT_INT:
            return "INT";
        case TOV_VT_DOUBLE:
            return "DOUBLE";
        case TOV_VT_TEXT:
            return "TEXT";
        case TOV_VT_BYTES:
            return "BYTES";
        case TOV_VT_MISSING:
            return "MISSING";
        default:
            return "unknown type " + std::to_string(type);
    }
}

// The bytes of a TEXT or BYTES variant; NULL data with a size is an ArgumentError.
std::string_view bytes_of(const tov_variant& value, std::string_view name) {
    if (value.data == nullptr) {
        if (value.size != 0) {
            throw ArgumentError(std::string(name) + " has no data but a size of " +
                                std::to_string(value.size));
        }
        return {};
    }
    return std::string_view(static_cast<const char*>(value.data), value.size);
}

ConversionError cannot_convert(const tov_variant& value, std::string_view name,
                               std::string_view target) {
    return ConversionError(std::string(name) + ": a " + type_name(value.type) +
                           " variant cannot be read as " + std::string(target));
}

int32_t checked_int32(int64_t number, std::string_view name) {
    if (number < std::numeric_limits<int32_t>::min() ||
        number > std::numeric_limits<int32_t>::max()) {
        throw ConversionError(std::string(name) + ": " + std::to_string(number) +
                              " is outside the integer range");
    }
    return static_cast<int32_t>(number);
}

int32_t integer_of_double(double number, std::string_view name) {
    constexpr double low = std::numeric_limits<int32_t>::min();
    constexpr double high = std::numeric_limits<int32_t>::max();
    if (!std::isfinite(number) || number != std::trunc(number) || number < low || number > high) {
        throw ConversionError(std::string(name) + ": the number " + std::to_string(number) +
                              " is no whole number within the integer range");
    }
    return static_cast<int32_t>(number);
}

int32_t integer_of_text(std::string_view text, std::string_view name) {
    std::string_view digits = text;
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
    int64_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        throw ConversionError(std::string(name) + ": the text '" + std::string(text) +
                              "' is no whole number within the integer range");
    }
    return checked_int32(number, name);
}

}  // namespace

std::span<const tov_variant> variant_array(const tov_variant* values, int32_t high,
                                           std::string_view name) {
    if (high < -1) {
        throw ArgumentError(std::string(name) + ": the index of the last element is " +
                            std::to_string(high));
    }
    const auto count = static_cast<std::size_t>(static_cast<int64_t>(high) + 1);
    if (count == 0) return {};
    if (values == nullptr) {
        throw ArgumentError(std::string(name) + " is NULL but holds " + std::to_string(count) +
                            " elements");
    }
    return std::span<const tov_variant>(values, count);
}

std::string variant_text(const tov_variant& value, std::string_view name) {
    switch (value.type) {
        case TOV_VT_EMPTY:
            return {};
        case TOV_VT_INT:
            return std::to_string(value.integer);
        case TOV_VT_TEXT:
            return std::string(bytes_of(value, name));
        default:
            throw cannot_convert(value, name, "a text");
    }
}

int32_t variant_integer(const tov_variant& value, std::string_view name) {
    switch (value.type) {
        case TOV_VT_EMPTY:
            return 0;
        case TOV_VT_INT:
            return checked_int32(value.integer, name);
        case TOV_VT_DOUBLE:
            return integer_of_double(value.number, name);
        case TOV_VT_TEXT:
            return integer_of_text(bytes_of(value, name), name);
        default:
            throw cannot_convert(value, name, "an integer");
    }
}

std::string_view variant_packet(const tov_variant& value, std::string_view name) {
    if (value.type != TOV_VT_BYTES && value.type != TOV_VT_TEXT) {
        throw PacketError(std::string(name) + ": a " + type_name(value.type) +
                          " variant holds no data packet");
    }
    return bytes_of(value, name);
}

}  // namespace tov::package
