#pragma once
// What the XML form of a data packet says in words where the binary form has type words and
// typed parameters: fieldtype names, the field and dataset parameters written as attributes,
// and the typed <PARAM> elements. Both directions live here so that a packet read from XML gets
// the very type words and parameters the binary reader would give.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dataset/packet.hpp"

namespace tov::dataset::xml_types {

// How a field's values are written in a ROW attribute.
enum class ValueForm {
    Signed,
    Unsigned,
    Boolean,
    Double,
    Single,
    Decimal,
    Date,
    Time,
    DateTime,
    SqlTimestamp,
    SqlTimestampOffset,
    Text,      // 8-bit string
    WideText,  // UTF-16 string, characters from U+0080 up as &#NNN;
    Memo,      // text blob: plain text
    WideMemo,  // UTF-16LE text blob: as WideText
    Binary,    // other blobs and fixed bytes: base64
    Unsupported,
};

ValueForm value_form(const Field& field);

// The type word of a fieldtype name (compared ignoring case, with the lenient forms "int",
// "i" and any other name starting with 'f' for BCD). WIDTH and SUBTYPE among params choose
// the length prefix and between blob and fixed bytes. Nothing for an unknown name.
std::optional<uint32_t> type_word_of(std::string_view fieldtype, const std::vector<Param>& params);

// The fieldtype name of a field, or nothing when XML has no name for its type.
std::optional<std::string> fieldtype_name(const Field& field);

// WIDTH, SUBTYPE or DECIMALS as spelled in a FIELD, whatever the case; nothing for other names.
std::optional<std::string> field_attribute_param(std::string_view attribute);

// Dataset parameters written as attributes of PARAMS (DEFAULT_ORDER, LCID, CHANGE_LOG, ...).
bool is_dataset_attribute_param(std::string_view name);

// The parameter of a FIELD or PARAMS attribute, typed as the binary form types it: WIDTH and
// DECIMALS UINT16, SUBTYPE text, key lists arrays of UINT16, CHANGE_LOG an array of UINT32,
// LCID and AUTOINCVALUE INT32, flags Boolean; an unknown name gives a text parameter.
// Throws ConversionError for a value that does not fit.
Param attribute_param(const std::string& name, std::string_view value);

// The parameter of a <PARAM Name Value Type Roundtrip> element (no Type means a string).
// Throws ConversionError for an unknown type or a value that does not fit.
Param element_param(const std::string& name, std::string_view value, std::string_view type,
                    bool roundtrip);

// The Value text of a parameter: numbers (space-separated for an array), TRUE/FALSE or text.
// Nothing for a parameter XML cannot hold.
std::optional<std::string> param_value_text(const Param& param);

// The Type of a parameter written as a <PARAM> element: empty for a string, nothing for a
// parameter XML cannot hold.
std::optional<std::string> param_type_name(const Param& param);

}  // namespace tov::dataset::xml_types
