#include "platform/dataset/packet_xml.hpp"

#include <pugixml.hpp>

#include <functional>
#include <optional>
#include <unordered_map>

#include "platform/dataset/change_log.hpp"
#include "platform/dataset/packet_limits.hpp"
#include "platform/dataset/packet_xml_cell.hpp"
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
// hand-edited memo text means them. Entities are resolved here (xml_text::unescape) rather than
// by the parser, whose strings end at a NUL: a text holding NUL, written as &#000;, comes back
// whole.
constexpr unsigned parse_options =
    pugi::parse_default & ~pugi::parse_wconv_attribute & ~pugi::parse_escapes;

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

// An attribute's value with its entities resolved.
std::string value_of(pugi::xml_attribute attribute) {
    std::string scratch;
    return std::string(xml_text::unescape(attribute.value(), scratch));
}

bool flag_attribute(pugi::xml_node node, std::string_view name) {
    const pugi::xml_attribute attribute = find_attribute(node, name);
    return attribute && xml_values::parse_boolean(value_of(attribute)).value_or(false);
}

// Finds a field by its attribute name: rows mostly list their attributes in field order, so the
// field after the last one found is tried first.
class ColumnFinder {
public:
    // false when the name is taken already.
    bool add(std::string name) {
        if (!index_.emplace(name, names_.size()).second) return false;
        names_.push_back(std::move(name));
        return true;
    }

    std::optional<std::size_t> find(std::string_view name, std::size_t guess) const {
        if (guess < names_.size() && names_[guess] == name) return guess;
        const auto found = index_.find(name);
        if (found == index_.end()) return std::nullopt;
        return found->second;
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::vector<std::string> names_;
    std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> index_;
};

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw PacketError("XML packet: " + where + ": " + what);
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

void check_change_log_of(const Packet& packet) {
    try {
        check_change_log(packet);
    } catch (const PacketError& error) {
        fail("PARAMS, attribute 'CHANGE_LOG'", error.what());
    }
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
        check_change_log_of(packet_);
        return std::move(packet_);
    }

private:
    std::string ansi(std::string_view parsed) const { return xml_text::to_ansi(parsed, source_); }

    std::string quoted(std::string_view parsed) const { return xml_cell::quoted(parsed, source_); }

    void read_fields(pugi::xml_node fields) {
        std::size_t number = 0;
        for (const pugi::xml_node node : fields.children("FIELD")) {
            if (number == max_packet_fields) check_packet_dimensions("XML packet", number + 1, 0);
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
        const std::string column = value_of(attrname ? attrname : fieldname);
        const std::string real_name = fieldname ? value_of(fieldname) : column;
        Field field;
        field.name = ansi(real_name);
        if (fieldname && attrname && real_name != column) field.xml_name = ansi(column);
        where += " (" + quoted(column) + ")";
        register_column(column, where);

        read_field_params(node, field, where);
        field.attributes = field_attributes(node);
        const pugi::xml_attribute fieldtype = find_attribute(node, "fieldtype");
        if (!fieldtype) fail(where, "no fieldtype");
        if (text::ansi_same_text(value_of(fieldtype), "nested"))
            fail(where, "nested tables are not supported");
        const std::string type_name = value_of(fieldtype);
        const auto type_word = xml_types::type_word_of(type_name, field.params);
        if (!type_word) fail(where, "unknown fieldtype " + quoted(type_name));
        field.type_word = *type_word;
        return field;
    }

    void register_column(const std::string& column, const std::string& where) {
        if (column == row_state_attribute) fail(where, "the name is taken by the row state");
        if (!columns_.add(column)) fail(where, "a second field of the same attrname");
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
                field.params.push_back(
                    xml_types::attribute_param(*name, ansi(value_of(attribute))));
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
            const std::string place = where + ", PARAM " + quoted(value_of(name));
            try {
                params.push_back(xml_types::element_param(
                    ansi(value_of(name)), ansi(value_of(find_attribute(element, "Value"))),
                    value_of(find_attribute(element, "Type")),
                    flag_attribute(element, "Roundtrip")));
            } catch (const Error& error) {
                fail(place, error.what());
            }
        }
    }

    void read_dataset_params(pugi::xml_node params) {
        for (const pugi::xml_attribute attribute : params.attributes()) {
            try {
                packet_.params.push_back(
                    xml_types::attribute_param(ansi(attribute.name()), ansi(value_of(attribute))));
            } catch (const Error& error) {
                fail("PARAMS, attribute " + quoted(attribute.name()), error.what());
            }
        }
        read_param_elements(params, packet_.params, "PARAMS");
    }

    void read_rows(pugi::xml_node rowdata) {
        std::size_t count = 0;
        for (auto node = rowdata.child("ROW"); node; node = node.next_sibling("ROW")) ++count;
        check_packet_dimensions("XML packet", packet_.fields.size(), count);
        RowTable rows(packet_.fields.size());
        given_.assign(packet_.fields.size(), Given{});
        std::size_t number = 0;
        for (auto node = rowdata.child("ROW"); node; node = node.next_sibling("ROW"))
            read_row(node, ++number, rows);
        rows.shrink_to_fit();
        packet_.rows = std::move(rows);
    }

    uint8_t row_state(pugi::xml_node node, const std::string& where) const {
        const pugi::xml_attribute state = node.attribute(row_state_attribute.data());
        if (!state) return 0;
        const std::string text = value_of(state);
        const auto status = xml_values::parse_unsigned(text);
        if (!status || *status > 0xFF)
            fail(where + ", attribute 'RowState'", quoted(text) + " is not a row state");
        return static_cast<uint8_t>(*status);
    }

    void read_row(pugi::xml_node node, std::size_t number, RowTable& rows) {
        const std::string where = "ROW " + std::to_string(number);
        const uint8_t status = row_state(node, where);
        rows.begin_row(status);
        std::size_t guess = 0;
        for (const pugi::xml_attribute attribute : node.attributes()) {
            const auto column = columns_.find(attribute.name(), guess);
            if (!column) continue;
            given_[*column] = Given{number, attribute};
            guess = *column + 1;
        }
        // In a modified version an absent value is one the edit left alone.
        const bool modified = (status & row_status::modified) != 0;
        for (std::size_t column = 0; column < packet_.fields.size(); ++column) {
            ColumnCells& cells = rows.column_to_fill(column);
            const Given& given = given_[column];
            if (given.row != number) {
                modified ? cells.append_unchanged() : cells.append_null();
                continue;
            }
            try {
                read_value(column, xml_text::unescape(given.attribute.value(), scratch_), cells);
            } catch (const ConversionError& error) {
                fail(where + ", attribute " + quoted(given.attribute.name()), error.what());
            }
        }
    }

    void read_value(std::size_t column, std::string_view text, ColumnCells& cells) {
        switch (forms_[column]) {
            case ValueForm::Text:
            case ValueForm::Memo:
                text_.clear();
                xml_text::append_ansi(text_, text, source_);
                return cells.append_text(text_);
            case ValueForm::WideText:
                return cells.append(WideText{xml_text::to_utf16(text, source_)});
            case ValueForm::WideMemo:
                return cells.append_text(utf16le_bytes(xml_text::to_utf16(text, source_)));
            default:
                return cells.append(
                    xml_cell::parse(forms_[column], packet_.fields[column].size(), text, source_));
        }
    }

    // The attribute a ROW gave for a field; row tells which ROW it belongs to.
    struct Given {
        std::size_t row = 0;
        pugi::xml_attribute attribute;
    };

    Source source_;
    Packet packet_;
    std::vector<ValueForm> forms_;
    ColumnFinder columns_;  // by attrname as parsed
    std::vector<Given> given_;
    std::string scratch_;
    std::string text_;
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
