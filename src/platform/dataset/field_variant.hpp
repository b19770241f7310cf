#pragma once
// The value of a field as a variant, the way a host reads it when it does not ask for a type:
// empty (no current row), NULL, a Boolean, an integer, a floating-point number, text or a
// date-time (days since 1899-12-30, fraction = time of day).

#include <cstdint>
#include <string>
#include <variant>

namespace tov::dataset {

struct VariantEmpty {
    bool operator==(const VariantEmpty&) const = default;
};
struct VariantNull {
    bool operator==(const VariantNull&) const = default;
};
struct VariantDateTime {
    double days = 0;
    bool operator==(const VariantDateTime&) const = default;
};

using Variant =
    std::variant<VariantEmpty, VariantNull, bool, int64_t, double, std::string, VariantDateTime>;

inline bool variant_is_null_or_empty(const Variant& value) {
    return std::holds_alternative<VariantEmpty>(value) ||
           std::holds_alternative<VariantNull>(value);
}

}  // namespace tov::dataset
