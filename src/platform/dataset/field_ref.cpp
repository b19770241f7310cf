#include "platform/dataset/field_ref.hpp"

#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

#include "platform/dataset/client_dataset.hpp"
#include "platform/dataset/date_text.hpp"
#include "platform/dataset/value_reading.hpp"
#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"
#include "platform/format/date_format.hpp"
#include "platform/format/float_format.hpp"
#include "platform/text/cp1252.hpp"

namespace tov::dataset {

namespace {

template <typename... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

[[noreturn]] void cannot_read(const std::string& field, const char* as_what) {
    throw ConversionError(field_label(field) + " cannot be read as " + as_what);
}

[[noreturn]] void not_a(const std::string& field, const std::string& text, const char* what) {
    throw ConversionError(field_label(field) + ": " + quoted_input(text) + " is not a valid " +
                          what);
}

int64_t rounded_integer(long double value, const std::string& field) {
    const long double rounded = std::nearbyint(value);
    if (!(rounded >= -9.2233720368547758e18L && rounded < 9.2233720368547758e18L)) {
        throw ConversionError(field_label(field) + ": the value is out of the integer range");
    }
    return static_cast<int64_t>(rounded);
}

int64_t integer_in_text(const std::string& text, const std::string& field) {
    std::string_view digits(text);
    while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        not_a(field, text, "integer");
    }
    return value;
}

}  // namespace

FieldRef::FieldRef(const ClientDataSet& dataset, int field_number)
    : dataset_(&dataset),
      field_number_(field_number),
      generation_(dataset.Generation()),
      name_(dataset.Fields().at(static_cast<size_t>(field_number)).name) {}

int FieldRef::number() const {
    if (dataset_->Generation() == generation_) return field_number_;
    const auto field = dataset_->FindField(name_);
    if (!field) throw FieldNotFound(name_);
    return field->field_number_;
}

const std::string& FieldRef::FieldName() const {
    return name_;
}

const Field& FieldRef::Definition() const {
    return dataset_->Fields()[static_cast<size_t>(number())];
}

std::optional<Value> FieldRef::current() const {
    return dataset_->CurrentValue(number());
}

bool FieldRef::IsNull() const {
    const std::optional<Value> value = current();
    return !value || is_null_value(*value);
}

std::string FieldRef::AsString() const {
    const std::optional<Value> value = current();
    if (!value) return "";
    const auto& settings = dataset_->FormatSettings();
    const bool single = Definition().type() == TypeCode::Single;
    return std::visit(
        Overloaded{
            [](const Null&) { return std::string(); },
            [](const Unchanged&) { return std::string(); },
            [](int64_t v) { return std::to_string(v); },
            [](uint64_t v) { return std::to_string(v); },
            [](bool v) { return std::string(v ? "True" : "False"); },
            [&](double v) {
                return single ? format::FloatToStrF(v, format::FloatFormat::General, 7, 0, settings)
                              : format::FloatToStr(v, settings);
            },
            [&](const Bcd& v) { return decimal_text(v, settings.decimal_separator); },
            [&](Date v) { return format::DateToStr(date_time_of(v), settings); },
            [&](Time v) { return format::TimeToStr(date_time_of(v), settings); },
            [&](const Timestamp& v) { return format::DateTimeToStr(date_time_of(v), settings); },
            [&](const SqlTimestamp& v) { return format::DateTimeToStr(date_time_of(v), settings); },
            [](const std::string& v) { return v; },
            [](const WideText& v) { return text::utf16_to_cp1252(v.text); },
        },
        *value);
}

double FieldRef::AsFloat() const {
    const std::optional<Value> value = current();
    if (!value || is_null_value(*value)) return 0;
    if (const auto number = stored_number(*value)) return *number;
    if (const auto date_time = stored_date_time(*value)) return *date_time;
    if (const auto text = stored_text(*value)) {
        long double number = 0;
        if (!format::TryStrToFloat(*text, number, dataset_->FormatSettings())) {
            not_a(name_, *text, "number");
        }
        return static_cast<double>(number);
    }
    cannot_read(name_, "a number");
}

int64_t FieldRef::AsInteger() const {
    const std::optional<Value> value = current();
    if (!value || is_null_value(*value)) return 0;
    if (const auto* integer = std::get_if<int64_t>(&*value)) return *integer;
    if (const auto* unsigned_integer = std::get_if<uint64_t>(&*value)) {
        if (*unsigned_integer > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
            throw ConversionError(field_label(name_) + ": the value is out of the integer range");
        }
        return static_cast<int64_t>(*unsigned_integer);
    }
    if (const auto* bcd = std::get_if<Bcd>(&*value))
        return rounded_integer(bcd->to_long_double(), name_);
    if (const auto* number = std::get_if<double>(&*value)) return rounded_integer(*number, name_);
    if (const auto text = stored_text(*value)) return integer_in_text(*text, name_);
    cannot_read(name_, "an integer");
}

double FieldRef::AsDateTime() const {
    const std::optional<Value> value = current();
    if (!value || is_null_value(*value)) return 0;
    if (const auto date_time = stored_date_time(*value)) return *date_time;
    if (const auto text = stored_text(*value)) {
        const auto parsed = parse_date_time_text(*text, dataset_->FormatSettings());
        if (!parsed) not_a(name_, *text, "date and time");
        return *parsed;
    }
    cannot_read(name_, "a date-time");
}

bool FieldRef::AsBoolean() const {
    const std::optional<Value> value = current();
    if (!value || is_null_value(*value)) return false;
    if (const auto flag = stored_boolean(*value)) return *flag;
    if (const auto text = stored_text(*value)) {
        // As the string field class reads it: true when it starts with T or Y.
        const char first = text->empty() ? '\0' : (*text)[0];
        return first == 'T' || first == 't' || first == 'Y' || first == 'y';
    }
    cannot_read(name_, "a Boolean");
}

Variant FieldRef::AsVariant() const {
    const std::optional<Value> value = current();
    if (!value || is_null_value(*value)) return VariantNull{};
    return std::visit(
        Overloaded{
            [](const Null&) -> Variant { return VariantNull{}; },
            [](const Unchanged&) -> Variant { return VariantNull{}; },
            [](int64_t v) -> Variant { return v; },
            [](uint64_t v) -> Variant {
                if (v <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
                    return static_cast<int64_t>(v);
                }
                return static_cast<double>(v);
            },
            [](bool v) -> Variant { return v; },
            [](double v) -> Variant { return v; },
            [](const Bcd& v) -> Variant { return static_cast<double>(v.to_long_double()); },
            [](Date v) -> Variant { return VariantDateTime{date_time_of(v)}; },
            [](Time v) -> Variant { return VariantDateTime{date_time_of(v)}; },
            [](const Timestamp& v) -> Variant { return VariantDateTime{date_time_of(v)}; },
            [](const SqlTimestamp& v) -> Variant { return VariantDateTime{date_time_of(v)}; },
            [](const std::string& v) -> Variant { return v; },
            [](const WideText& v) -> Variant { return text::utf16_to_cp1252(v.text); },
        },
        *value);
}

}  // namespace tov::dataset
