#include "platform/dataset/packet_xml_cell.hpp"

#include <cfloat>
#include <cmath>
#include <optional>
#include <type_traits>

#include "platform/dataset/packet_xml_values.hpp"
#include "platform/errors/errors.hpp"

namespace tov::dataset::xml_cell {

namespace {

using xml_types::ValueForm;

template <typename Integer>
bool fits(Integer value, uint16_t size) {
    if (size >= 8) return true;
    const int bits = size * 8;
    if constexpr (std::is_signed_v<Integer>) {
        const int64_t limit = int64_t{1} << (bits - 1);
        return value >= -limit && value < limit;
    } else {
        return value < (uint64_t{1} << bits);
    }
}

class CellReader {
public:
    CellReader(std::string_view text, xml_text::Source source) : text_(text), source_(source) {}

    [[noreturn]] void reject(const char* what) const {
        throw ConversionError(quoted(text_, source_) + " is " + what);
    }

    template <typename Result>
    Result require(std::optional<Result> parsed, const char* what) const {
        if (!parsed) reject(what);
        return *parsed;
    }

    template <typename Integer>
    Integer integer(std::optional<Integer> parsed, uint16_t size) const {
        const Integer value = require(parsed, "not a number");
        if (!fits(value, size)) reject("out of range");
        return value;
    }

    double finite(double value) const {
        if (!std::isfinite(value)) reject("not a finite number");
        return value;
    }

    double number() const {
        return finite(require(xml_values::parse_double(text_), "not a number"));
    }

    double single() const {
        const double value = number();
        if (std::fabs(value) > FLT_MAX) reject("out of range");
        return static_cast<double>(static_cast<float>(value));
    }

    Value read(ValueForm form, uint16_t size) const {
        switch (form) {
            case ValueForm::Signed:
                return integer(xml_values::parse_signed(text_), size);
            case ValueForm::Unsigned:
                return integer(xml_values::parse_unsigned(text_), size);
            case ValueForm::Boolean:
                return require(xml_values::parse_boolean(text_), "not TRUE or FALSE");
            case ValueForm::Double:
                return number();
            case ValueForm::Single:
                return single();
            case ValueForm::Decimal:
                return Bcd::from_string(text_);
            case ValueForm::Date:
                return require(xml_values::parse_date(text_), "not a date");
            case ValueForm::Time:
                return require(xml_values::parse_time(text_), "not a time");
            case ValueForm::DateTime:
                return require(xml_values::parse_date_time(text_), "not a date-time");
            case ValueForm::SqlTimestamp:
                return require(xml_values::parse_sql_timestamp(text_, false), "not a date-time");
            case ValueForm::SqlTimestampOffset:
                return require(xml_values::parse_sql_timestamp(text_, true),
                               "not a date-time with offset");
            case ValueForm::Binary:
                return require(xml_values::decode_base64(text_), "not base64");
            default:
                break;
        }
        throw ConversionError("the field type has no XML form");
    }

private:
    std::string_view text_;
    xml_text::Source source_;
};

}  // namespace

Value parse(ValueForm form, uint16_t size, std::string_view text, xml_text::Source source) {
    return CellReader(text, source).read(form, size);
}

namespace {
constexpr std::size_t shown = 40;
}

std::string quoted(std::string_view parsed, xml_text::Source source) {
    const std::string text = xml_text::to_ansi(parsed.substr(0, shown * 4 + 1), source);
    return quoted_ansi(text);
}

std::string quoted_ansi(std::string_view ansi) {
    return "'" + std::string(ansi.substr(0, shown)) + (ansi.size() > shown ? "...'" : "'");
}

}  // namespace tov::dataset::xml_cell
