#include "packets/packet_cell.hpp"

#include "platform/dataset/packet_xml_types.hpp"
#include "platform/dataset/value_reading.hpp"
#include "platform/errors/errors.hpp"
#include "platform/format/date_format.hpp"
#include "platform/format/float_format.hpp"
#include "terminal/visible_text.hpp"

namespace tovprint {
namespace {

namespace dataset = tov::dataset;
namespace format = tov::format;

std::string number_cell(const dataset::Value& value) {
    if (const auto* integer = std::get_if<int64_t>(&value)) return std::to_string(*integer);
    if (const auto* whole = std::get_if<uint64_t>(&value)) return std::to_string(*whole);
    if (const auto* decimal = std::get_if<dataset::Bcd>(&value)) {
        return dataset::decimal_text(*decimal, format::FormatSettings{}.decimal_separator);
    }
    const auto number = dataset::stored_number(value);
    return number ? format::FloatToStr(*number) : "?";
}

std::string date_time_cell(const dataset::Field& field, const dataset::Value& value) {
    const auto days = dataset::stored_date_time(value);
    if (!days) return "?";
    try {
        if (field.type() == dataset::TypeCode::Date) return format::DateToStr(*days);
        if (field.type() == dataset::TypeCode::Time) return format::TimeToStr(*days);
        return format::DateTimeToStr(*days);
    } catch (const tov::ConversionError&) {
        return "<invalid date-time>";
    }
}

std::string text_cell(const dataset::Field& field, const dataset::Value& value) {
    const auto text = dataset::stored_text(value);
    if (!text) return "?";
    if (dataset::xml_types::value_form(field) == dataset::xml_types::ValueForm::Binary) {
        return "<" + std::to_string(text->size()) + " bytes>";
    }
    return visible_text(*text, LineBreaks::Inline);
}

}  // namespace

std::string packet_cell(const dataset::Field& field, const dataset::Value& value) {
    if (dataset::is_null_value(value)) return "";
    switch (dataset::value_class_of(field)) {
        case dataset::ValueClass::Number:
            return number_cell(value);
        case dataset::ValueClass::DateTime:
            return date_time_cell(field, value);
        case dataset::ValueClass::Boolean: {
            const auto flag = dataset::stored_boolean(value);
            return !flag ? "?" : *flag ? "True" : "False";
        }
        case dataset::ValueClass::Text:
            return text_cell(field, value);
        case dataset::ValueClass::Unsupported:
            break;
    }
    return "<" + std::string(dataset::xml_types::fieldtype_name(field).value_or("value")) + ">";
}

}  // namespace tovprint
