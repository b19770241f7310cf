#include "platform/dataset/packet_xml_types.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>

#include "platform/dataset/packet_bytes.hpp"
#include "platform/dataset/packet_xml_values.hpp"
#include "platform/errors/errors.hpp"
#include "platform/text/ansi_case.hpp"

namespace tov::dataset::xml_types {

namespace {

using text::ansi_same_text;

struct NamedType {
    std::string_view name;
    TypeCode code;
    uint16_t size;
};

// Field types whose type word does not depend on the field's parameters.
constexpr std::array<NamedType, 18> fixed_types = {{
    {"i1", TypeCode::Int, 1},
    {"i2", TypeCode::Int, 2},
    {"i4", TypeCode::Int, 4},
    {"i8", TypeCode::Int, 8},
    {"ui1", TypeCode::UInt, 1},
    {"ui2", TypeCode::UInt, 2},
    {"ui4", TypeCode::UInt, 4},
    {"ui8", TypeCode::UInt, 8},
    {"boolean", TypeCode::Bool, 2},
    {"r4", TypeCode::Single, 4},
    {"r8", TypeCode::Float, 8},
    {"r10", TypeCode::Float, 10},
    {"date", TypeCode::Date, 4},
    {"time", TypeCode::Time, 4},
    {"dateTime", TypeCode::Timestamp, 8},
    {"SQLdateTime", TypeCode::SqlTimestamp, 16},
    {"SQLdateTimeOffset", TypeCode::SqlTimestampOffset, 20},
    {"int", TypeCode::Int, 4},
}};

enum class ParamKind { Uint16, Text, Uint16Array, Uint32Array, Int32, Boolean };

struct KnownParam {
    std::string_view name;
    ParamKind kind;
};

constexpr std::array<KnownParam, 3> field_params = {{
    {"WIDTH", ParamKind::Uint16},
    {"SUBTYPE", ParamKind::Text},
    {"DECIMALS", ParamKind::Uint16},
}};

constexpr std::array<KnownParam, 14> dataset_params = {{
    {"DEFAULT_ORDER", ParamKind::Uint16Array},
    {"PRIMARY_KEY", ParamKind::Uint16Array},
    {"UNIQUE_KEY", ParamKind::Uint16Array},
    {"MD_FIELDLINKS", ParamKind::Uint16Array},
    {"CHANGE_LOG", ParamKind::Uint32Array},
    {"LCID", ParamKind::Int32},
    {"AUTOINCVALUE", ParamKind::Int32},
    {"UPDATEMODE", ParamKind::Int32},
    {"MD_SEMANTICS", ParamKind::Int32},
    {"DATASET_DELTA", ParamKind::Boolean},
    {"READONLY", ParamKind::Boolean},
    {"DISABLE_INSERTS", ParamKind::Boolean},
    {"DISABLE_DELETES", ParamKind::Boolean},
    {"DISABLE_EDITS", ParamKind::Boolean},
}};

template <std::size_t N>
const KnownParam* find_known(const std::array<KnownParam, N>& table, std::string_view name) {
    const auto found = std::find_if(table.begin(), table.end(), [&](const KnownParam& known) {
        return ansi_same_text(known.name, name);
    });
    return found == table.end() ? nullptr : &*found;
}

const Param* find_param(const std::vector<Param>& params, std::string_view name) {
    const auto found = std::find_if(params.begin(), params.end(), [&](const Param& param) {
        return ansi_same_text(param.name, name);
    });
    return found == params.end() ? nullptr : &*found;
}

int64_t param_integer(const std::vector<Param>& params, std::string_view name, int64_t fallback) {
    const Param* param = find_param(params, name);
    if (param == nullptr) return fallback;
    try {
        return param->integer();
    } catch (const PacketError&) {
        return fallback;
    }
}

std::string quoted(std::string_view value) {
    constexpr std::size_t shown = 40;
    return "'" + std::string(value.substr(0, shown)) + (value.size() > shown ? "...'" : "'");
}

uint64_t unsigned_within(std::string_view value, uint64_t maximum) {
    const auto parsed = xml_values::parse_unsigned(value);
    if (!parsed) throw ConversionError(quoted(value) + " is not a number");
    if (*parsed > maximum) throw ConversionError(quoted(value) + " is out of range");
    return *parsed;
}

int64_t signed_within(std::string_view value, int64_t minimum, int64_t maximum) {
    const auto parsed = xml_values::parse_signed(value);
    if (!parsed) throw ConversionError(quoted(value) + " is not a number");
    if (*parsed < minimum || *parsed > maximum)
        throw ConversionError(quoted(value) + " is out of range");
    return *parsed;
}

bool boolean_of(std::string_view value) {
    if (const auto parsed = xml_values::parse_boolean(value)) return *parsed;
    if (const auto number = xml_values::parse_signed(value)) return *number != 0;
    throw ConversionError(quoted(value) + " is not a Boolean");
}

// Boolean parameters hold 0xFFFF for true, as the packet producers write them.
constexpr int64_t boolean_true = -1;

std::vector<int64_t> number_list(std::string_view value, uint64_t maximum) {
    std::vector<int64_t> numbers;
    std::size_t pos = 0;
    while (pos < value.size()) {
        const std::size_t start = value.find_first_not_of(" \t\r\n", pos);
        if (start == std::string_view::npos) break;
        std::size_t end = value.find_first_of(" \t\r\n", start);
        if (end == std::string_view::npos) end = value.size();
        numbers.push_back(
            static_cast<int64_t>(unsigned_within(value.substr(start, end - start), maximum)));
        pos = end;
    }
    return numbers;
}

Param known_param(const std::string& name, ParamKind kind, std::string_view value) {
    switch (kind) {
        case ParamKind::Uint16:
            return Param::make_integer(name, TypeCode::UInt, 2,
                                       static_cast<int64_t>(unsigned_within(value, 0xFFFF)));
        case ParamKind::Text:
            return Param::make_text(name, value);
        case ParamKind::Uint16Array:
            return Param::make_array(name, TypeCode::UInt, 2, number_list(value, 0xFFFF));
        case ParamKind::Uint32Array:
            return Param::make_array(name, TypeCode::UInt, 4, number_list(value, 0xFFFFFFFF));
        case ParamKind::Int32:
            return Param::make_integer(name, TypeCode::Int, 4,
                                       signed_within(value, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
        case ParamKind::Boolean:
            return Param::make_integer(name, TypeCode::Bool, 2,
                                       boolean_of(value) ? boolean_true : 0);
    }
    return Param::make_text(name, value);
}

Param double_param(const std::string& name, std::string_view value) {
    const auto parsed = xml_values::parse_double(value);
    if (!parsed) throw ConversionError(quoted(value) + " is not a number");
    Param param{name, make_type_word(TypeCode::Float, 8), {}};
    packet_bytes::append_unsigned(param.value, std::bit_cast<uint64_t>(*parsed), 8);
    return param;
}

Param integer_element_param(const std::string& name, const NamedType& type,
                            std::string_view value) {
    const int bits = type.size * 8;
    if (type.code == TypeCode::UInt) {
        const uint64_t maximum =
            bits == 64 ? std::numeric_limits<uint64_t>::max() : (uint64_t{1} << bits) - 1;
        return Param::make_integer(name, type.code, type.size,
                                   static_cast<int64_t>(unsigned_within(value, maximum)));
    }
    const int64_t maximum =
        bits == 64 ? std::numeric_limits<int64_t>::max() : (int64_t{1} << (bits - 1)) - 1;
    return Param::make_integer(name, type.code, type.size,
                               signed_within(value, -maximum - 1, maximum));
}

uint16_t string_prefix_size(const std::vector<Param>& params) {
    const int64_t width = param_integer(params, "WIDTH", -1);
    return width >= 0 && width < 255 ? 1 : 2;
}

uint32_t bytes_type_word(const std::vector<Param>& params) {
    const int64_t width = param_integer(params, "WIDTH", 0);
    if (find_param(params, "SUBTYPE") == nullptr && width > 0 && width <= 0xFFFF) {
        return make_type_word(TypeCode::Bytes, static_cast<uint16_t>(width));
    }
    return make_type_word(TypeCode::Bytes, 4, type_flag::varying);
}

uint32_t bcd_type_word(TypeCode code, const std::vector<Param>& params) {
    constexpr int64_t max_precision = 32;
    const int64_t precision =
        std::clamp<int64_t>(param_integer(params, "WIDTH", max_precision), 1, max_precision);
    return make_type_word(code, static_cast<uint16_t>((precision + 1) / 2 + 2));
}

std::string unsigned_text(const Param& param, int64_t value) {
    if (param.type() == TypeCode::Bool) return xml_values::format_boolean(value != 0);
    if (param.type() == TypeCode::UInt)
        return xml_values::format_unsigned(static_cast<uint64_t>(value));
    return xml_values::format_signed(value);
}

std::optional<std::string> integer_param_text(const Param& param) {
    std::vector<int64_t> values;
    try {
        values = param.integers();
    } catch (const PacketError&) {
        return std::nullopt;
    }
    std::string text;
    for (const int64_t value : values) {
        if (!text.empty()) text += ' ';
        text += unsigned_text(param, value);
    }
    return text;
}

}  // namespace

ValueForm value_form(const Field& field) {
    const uint16_t size = field.size();
    switch (field.type()) {
        case TypeCode::Int:
            return size == 1 || size == 2 || size == 4 || size == 8 ? ValueForm::Signed
                                                                    : ValueForm::Unsupported;
        case TypeCode::UInt:
            return size == 1 || size == 2 || size == 4 || size == 8 ? ValueForm::Unsigned
                                                                    : ValueForm::Unsupported;
        case TypeCode::Bool:
            return ValueForm::Boolean;
        case TypeCode::Float:
            return ValueForm::Double;
        case TypeCode::Single:
            return ValueForm::Single;
        case TypeCode::Bcd:
        case TypeCode::FmtBcd:
            return ValueForm::Decimal;
        case TypeCode::Date:
            return ValueForm::Date;
        case TypeCode::Time:
            return ValueForm::Time;
        case TypeCode::Timestamp:
            return ValueForm::DateTime;
        case TypeCode::SqlTimestamp:
            return ValueForm::SqlTimestamp;
        case TypeCode::SqlTimestampOffset:
            return ValueForm::SqlTimestampOffset;
        case TypeCode::ZString:
            return ValueForm::Text;
        case TypeCode::Unicode:
            return ValueForm::WideText;
        case TypeCode::Bytes: {
            const std::string subtype = field.subtype();
            if (ansi_same_text(subtype, "Text")) return ValueForm::Memo;
            if (ansi_same_text(subtype, "WideText")) return ValueForm::WideMemo;
            return ValueForm::Binary;
        }
        default:
            return ValueForm::Unsupported;
    }
}

std::optional<uint32_t> type_word_of(std::string_view fieldtype, const std::vector<Param>& params) {
    for (const NamedType& type : fixed_types) {
        if (ansi_same_text(type.name, fieldtype)) return make_type_word(type.code, type.size);
    }
    if (ansi_same_text(fieldtype, "i")) return make_type_word(TypeCode::Int, 4);
    if (ansi_same_text(fieldtype, "string")) {
        return make_type_word(TypeCode::ZString, string_prefix_size(params), type_flag::varying);
    }
    if (ansi_same_text(fieldtype, "string.uni")) {
        return make_type_word(TypeCode::Unicode, string_prefix_size(params), type_flag::varying);
    }
    if (ansi_same_text(fieldtype, "bin.hex")) return bytes_type_word(params);
    if (ansi_same_text(fieldtype, "fixedFMT")) return bcd_type_word(TypeCode::FmtBcd, params);
    if (!fieldtype.empty() && (fieldtype[0] == 'f' || fieldtype[0] == 'F'))
        return bcd_type_word(TypeCode::Bcd, params);
    return std::nullopt;
}

std::optional<std::string> fieldtype_name(const Field& field) {
    const uint16_t size = field.size();
    switch (field.type()) {
        case TypeCode::Int:
        case TypeCode::UInt:
        case TypeCode::Float:
            for (const NamedType& type : fixed_types) {
                if (type.code == field.type() && type.size == size) return std::string(type.name);
            }
            return std::nullopt;
        case TypeCode::Bool:
            return "boolean";
        case TypeCode::Single:
            return "r4";
        case TypeCode::Bcd:
            return "fixed";
        case TypeCode::FmtBcd:
            return "fixedFMT";
        case TypeCode::Date:
            return "date";
        case TypeCode::Time:
            return "time";
        case TypeCode::Timestamp:
            return "dateTime";
        case TypeCode::SqlTimestamp:
            return "SQLdateTime";
        case TypeCode::SqlTimestampOffset:
            return "SQLdateTimeOffset";
        case TypeCode::ZString:
            return "string";
        case TypeCode::Unicode:
            return "string.uni";
        case TypeCode::Bytes:
            return "bin.hex";
        default:
            return std::nullopt;
    }
}

std::optional<std::string> field_attribute_param(std::string_view attribute) {
    if (const KnownParam* known = find_known(field_params, attribute))
        return std::string(known->name);
    return std::nullopt;
}

bool is_dataset_attribute_param(std::string_view name) {
    return find_known(dataset_params, name) != nullptr;
}

Param attribute_param(const std::string& name, std::string_view value) {
    if (const KnownParam* known = find_known(field_params, name)) {
        return known_param(std::string(known->name), known->kind, value);
    }
    if (const KnownParam* known = find_known(dataset_params, name)) {
        return known_param(std::string(known->name), known->kind, value);
    }
    return Param::make_text(name, value);
}

Param element_param(const std::string& name, std::string_view value, std::string_view type,
                    bool roundtrip) {
    Param param;
    if (type.empty() || ansi_same_text(type, "string")) {
        param = Param::make_text(name, value);
    } else if (ansi_same_text(type, "boolean")) {
        param = Param::make_integer(name, TypeCode::Bool, 2, boolean_of(value) ? boolean_true : 0);
    } else if (ansi_same_text(type, "r8")) {
        param = double_param(name, value);
    } else {
        const auto found =
            std::find_if(fixed_types.begin(), fixed_types.end(), [&](const NamedType& named) {
                return ansi_same_text(named.name, type) &&
                       (named.code == TypeCode::Int || named.code == TypeCode::UInt);
            });
        if (found == fixed_types.end())
            throw ConversionError("unknown parameter type " + quoted(type));
        param = integer_element_param(name, *found, value);
    }
    if (roundtrip) param.type_word |= type_flag::in_delta;
    return param;
}

std::optional<std::string> param_value_text(const Param& param) {
    switch (param.type()) {
        case TypeCode::Int:
        case TypeCode::UInt:
        case TypeCode::Bool:
            return integer_param_text(param);
        case TypeCode::Float:
            if (param.is_array() || size_of(param.type_word) != 8 || param.value.size() != 8)
                return std::nullopt;
            return xml_values::format_double(
                std::bit_cast<double>(packet_bytes::load_unsigned(param.value, 8)));
        case TypeCode::ZString:
            if (param.is_array()) return std::nullopt;
            return param.text();
        default:
            return std::nullopt;
    }
}

std::optional<std::string> param_type_name(const Param& param) {
    if (param.is_array()) return std::nullopt;
    const uint16_t size = size_of(param.type_word);
    switch (param.type()) {
        case TypeCode::ZString:
            return std::string();
        case TypeCode::Bool:
            return "boolean";
        case TypeCode::Float:
            if (size == 8) return "r8";
            return std::nullopt;
        case TypeCode::Int:
        case TypeCode::UInt:
            for (const NamedType& type : fixed_types) {
                if (type.code == param.type() && type.size == size) return std::string(type.name);
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace tov::dataset::xml_types
