#include "platform/dataset/packet_xml.hpp"

#include <pugixml.hpp>

#include <cfloat>
#include <cmath>
#include <limits>
#include <type_traits>
#include <unordered_map>

#include "platform/dataset/packet_xml_text.hpp"
#include "platform/dataset/packet_xml_types.hpp"
#include "platform/dataset/packet_xml_values.hpp"
#include "platform/errors/errors.hpp"
#include "platform/text/ansi_case.hpp"
#include "platform/text/cp1252.hpp"

namespace tov::dataset {

namespace {

using xml_text::Source;
using xml_types::ValueForm;

// Line breaks inside attribute values are kept as they are rather than turned into spaces:
// hand-edited memo text means them.
constexpr unsigned parse_options = pugi::parse_default & ~pugi::parse_wconv_attribute;

constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";
constexpr std::string_view row_state_attribute = "RowState";

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The encoding named by the XML declaration, or "" when there is none.
std::string declared_encoding(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || text.substr(start, 5) != "<?xml") return {};
    const std::size_t end = text.find("?>", start);
    const std::string_view declaration =
        text.substr(start, end == std::string_view::npos ? 0 : end - start);
    std::size_t pos = declaration.find("encoding");
    if (pos == std::string_view::npos) return {};
    pos += 8;
    while (pos < declaration.size() && (is_space(declaration[pos]) || declaration[pos] == '='))
        ++pos;
    if (pos >= declaration.size() || (declaration[pos] != '"' && declaration[pos] != '\''))
        return {};
    const char quote = declaration[pos++];
    const std::size_t close = declaration.find(quote, pos);
    if (close == std::string_view::npos) return {};
    return std::string(declaration.substr(pos, close - pos));
}

Source source_encoding(std::string_view text) {
    if (text.substr(0, utf8_bom.size()) == utf8_bom) return Source::Utf8;
    const std::string encoding = declared_encoding(text);
    const bool declared_utf8 =
        text::ansi_same_text(encoding, "UTF-8") || text::ansi_same_text(encoding, "UTF8");
    return declared_utf8 && text::is_valid_utf8(text) ? Source::Utf8 : Source::Ansi;
}

pugi::xml_attribute find_attribute(pugi::xml_node node, std::string_view name) {
    for (const pugi::xml_attribute attribute : node.attributes()) {
        if (text::ansi_same_text(attribute.name(), name)) return attribute;
    }
    return {};
}

bool flag_attribute(pugi::xml_node node, std::string_view name) {
    const pugi::xml_attribute attribute = find_attribute(node, name);
    return attribute && xml_values::parse_boolean(attribute.value()).value_or(false);
}

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw PacketError("XML packet: " + where + ": " + what);
}

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

std::string utf16le_bytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

class XmlPacketReader {
public:
    explicit XmlPacketReader(Source source) : source_(source) {}

    Packet read(const pugi::xml_document& document) {
        const pugi::xml_node root = document.document_element();
        if (std::string_view(root.name()) != "DATAPACKET")
            fail("document", "no DATAPACKET element");
        const pugi::xml_node metadata = root.child("METADATA");
        if (!metadata) fail("DATAPACKET", "no METADATA element");
        const pugi::xml_node fields = metadata.child("FIELDS");
        if (!fields) fail("METADATA", "no FIELDS element");
        read_fields(fields);
        read_dataset_params(metadata.child("PARAMS"));
        read_rows(root.child("ROWDATA"));
        return std::move(packet_);
    }

private:
    std::string ansi(std::string_view parsed) const { return xml_text::to_ansi(parsed, source_); }

    std::string quoted(std::string_view parsed) const {
        constexpr std::size_t shown = 40;
        const std::string text = ansi(parsed);
        return "'" + text.substr(0, shown) + (text.size() > shown ? "...'" : "'");
    }

    void read_fields(pugi::xml_node fields) {
        std::size_t number = 0;
        for (const pugi::xml_node node : fields.children("FIELD")) {
            packet_.fields.push_back(read_field(node, ++number));
            forms_.push_back(xml_types::value_form(packet_.fields.back()));
            if (static_cast<uint8_t>(packet_.fields.back().type()) >
                static_cast<uint8_t>(TypeCode::Bytes)) {
                packet_.major_version = 2;
            }
        }
    }

    Field read_field(pugi::xml_node node, std::size_t number) {
        std::string where = "FIELD " + std::to_string(number);
        const pugi::xml_attribute attrname = find_attribute(node, "attrname");
        const pugi::xml_attribute fieldname = find_attribute(node, "fieldname");
        if (!attrname && !fieldname) fail(where, "no attrname");
        const std::string_view column = attrname ? attrname.value() : fieldname.value();
        Field field;
        field.name = ansi(fieldname ? fieldname.value() : column);
        if (fieldname && attrname && std::string_view(fieldname.value()) != column)
            field.xml_name = ansi(column);
        where += " (" + quoted(column) + ")";
        register_column(column, where);

        read_field_params(node, field, where);
        field.attributes = field_attributes(node);
        const pugi::xml_attribute fieldtype = find_attribute(node, "fieldtype");
        if (!fieldtype) fail(where, "no fieldtype");
        if (text::ansi_same_text(fieldtype.value(), "nested"))
            fail(where, "nested tables are not supported");
        const auto type_word = xml_types::type_word_of(fieldtype.value(), field.params);
        if (!type_word) fail(where, "unknown fieldtype " + quoted(fieldtype.value()));
        field.type_word = *type_word;
        return field;
    }

    void register_column(std::string_view column, const std::string& where) {
        if (column == row_state_attribute) fail(where, "the name is taken by the row state");
        if (!columns_.emplace(std::string(column), packet_.fields.size()).second) {
            fail(where, "a second field of the same attrname");
        }
    }

    static uint16_t field_attributes(pugi::xml_node node) {
        uint16_t attributes = 0;
        if (flag_attribute(node, "hidden")) attributes |= field_attribute::hidden;
        if (flag_attribute(node, "readonly")) attributes |= field_attribute::read_only;
        if (flag_attribute(node, "required")) attributes |= field_attribute::required;
        if (flag_attribute(node, "linkfield")) attributes |= field_attribute::link;
        return attributes;
    }

    void read_field_params(pugi::xml_node node, Field& field, const std::string& where) const {
        for (const pugi::xml_attribute attribute : node.attributes()) {
            const auto name = xml_types::field_attribute_param(attribute.name());
            if (!name) continue;
            const std::string place = where + ", attribute '" + *name + "'";
            if (field.param(*name) != nullptr) fail(place, "given twice");
            try {
                field.params.push_back(xml_types::attribute_param(*name, ansi(attribute.value())));
            } catch (const ConversionError& error) {
                fail(place, error.what());
            }
        }
        read_param_elements(node, field.params, where);
    }

    void read_param_elements(pugi::xml_node node, std::vector<Param>& params,
                             const std::string& where) const {
        for (const pugi::xml_node element : node.children("PARAM")) {
            const pugi::xml_attribute name = find_attribute(element, "Name");
            if (!name) fail(where, "a PARAM without a Name");
            const std::string place = where + ", PARAM " + quoted(name.value());
            try {
                params.push_back(xml_types::element_param(
                    ansi(name.value()), ansi(find_attribute(element, "Value").value()),
                    find_attribute(element, "Type").value(), flag_attribute(element, "Roundtrip")));
            } catch (const Error& error) {
                fail(place, error.what());
            }
        }
    }

    void read_dataset_params(pugi::xml_node params) {
        for (const pugi::xml_attribute attribute : params.attributes()) {
            try {
                packet_.params.push_back(
                    xml_types::attribute_param(ansi(attribute.name()), ansi(attribute.value())));
            } catch (const Error& error) {
                fail("PARAMS, attribute " + quoted(attribute.name()), error.what());
            }
        }
        read_param_elements(params, packet_.params, "PARAMS");
    }

    void read_rows(pugi::xml_node rowdata) {
        std::size_t number = 0;
        for (const pugi::xml_node node : rowdata.children("ROW"))
            packet_.rows.push_back(read_row(node, ++number));
    }

    Row read_row(pugi::xml_node node, std::size_t number) const {
        const std::string where = "ROW " + std::to_string(number);
        Row row;
        if (const pugi::xml_attribute state = node.attribute(row_state_attribute.data())) {
            const auto status = xml_values::parse_unsigned(state.value());
            if (!status || *status > 0xFF)
                fail(where + ", attribute 'RowState'",
                     quoted(state.value()) + " is not a row state");
            row.status = static_cast<uint8_t>(*status);
        }
        // In a modified version an absent value is one the edit left alone.
        const bool modified = (row.status & row_status::modified) != 0;
        row.values.assign(packet_.fields.size(), modified ? Value(Unchanged{}) : Value(Null{}));
        for (const pugi::xml_attribute attribute : node.attributes()) {
            const auto column = columns_.find(attribute.name());
            if (column == columns_.end()) continue;
            try {
                row.values[column->second] = read_value(column->second, attribute.value());
            } catch (const ConversionError& error) {
                fail(where + ", attribute " + quoted(attribute.name()), error.what());
            }
        }
        return row;
    }

    [[noreturn]] void reject(std::string_view text, const char* what) const {
        throw ConversionError(quoted(text) + " is not " + what);
    }

    template <typename Result>
    Result require(std::optional<Result> parsed, std::string_view text, const char* what) const {
        if (!parsed) reject(text, what);
        return *parsed;
    }

    Value read_value(std::size_t index, std::string_view text) const {
        const uint16_t size = packet_.fields[index].size();
        switch (forms_[index]) {
            case ValueForm::Signed: {
                const int64_t value = require(xml_values::parse_signed(text), text, "a number");
                if (!fits(value, size)) throw ConversionError(quoted(text) + " is out of range");
                return value;
            }
            case ValueForm::Unsigned: {
                const uint64_t value = require(xml_values::parse_unsigned(text), text, "a number");
                if (!fits(value, size)) throw ConversionError(quoted(text) + " is out of range");
                return value;
            }
            case ValueForm::Boolean:
                return require(xml_values::parse_boolean(text), text, "TRUE or FALSE");
            case ValueForm::Double:
                return require(xml_values::parse_double(text), text, "a number");
            case ValueForm::Single:
                return read_single(text);
            case ValueForm::Decimal:
                return Bcd::from_string(text);
            case ValueForm::Date:
                return require(xml_values::parse_date(text), text, "a date");
            case ValueForm::Time:
                return require(xml_values::parse_time(text), text, "a time");
            case ValueForm::DateTime:
                return require(xml_values::parse_date_time(text), text, "a date-time");
            case ValueForm::SqlTimestamp:
                return require(xml_values::parse_sql_timestamp(text, false), text, "a date-time");
            case ValueForm::SqlTimestampOffset:
                return require(xml_values::parse_sql_timestamp(text, true), text,
                               "a date-time with offset");
            case ValueForm::Text:
            case ValueForm::Memo:
                return ansi(text);
            case ValueForm::WideText:
                return WideText{xml_text::to_utf16(text, source_)};
            case ValueForm::WideMemo:
                return utf16le_bytes(xml_text::to_utf16(text, source_));
            case ValueForm::Binary:
                return require(xml_values::decode_base64(text), text, "base64");
            case ValueForm::Unsupported:
                break;
        }
        throw ConversionError("the field type has no XML form");
    }

    double read_single(std::string_view text) const {
        const double value = require(xml_values::parse_double(text), text, "a number");
        if (std::isfinite(value) && std::fabs(value) > FLT_MAX)
            throw ConversionError(quoted(text) + " is out of range");
        return static_cast<double>(static_cast<float>(value));
    }

    Source source_;
    Packet packet_;
    std::vector<ValueForm> forms_;
    std::unordered_map<std::string, std::size_t> columns_;  // attrname as parsed -> field index
};

}  // namespace

Packet read_xml_packet(std::string_view text) {
    const Source source = source_encoding(text);
    pugi::xml_document document;
    const pugi::xml_parse_result result =
        document.load_buffer(text.data(), text.size(), parse_options,
                             source == Source::Utf8 ? pugi::encoding_utf8 : pugi::encoding_latin1);
    if (!result) {
        throw PacketError("XML packet: " + std::string(result.description()) + " at offset " +
                          std::to_string(result.offset));
    }
    return XmlPacketReader(source).read(document);
}

}  // namespace tov::dataset
