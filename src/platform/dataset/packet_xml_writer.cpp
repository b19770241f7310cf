// The writing half of packet_xml.hpp.

#include <cstdint>
#include <set>

#include "platform/dataset/change_log.hpp"
#include "platform/dataset/packet_xml.hpp"
#include "platform/dataset/packet_xml_cell.hpp"
#include "platform/dataset/packet_xml_text.hpp"
#include "platform/dataset/packet_xml_types.hpp"
#include "platform/dataset/packet_xml_values.hpp"
#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"
#include "platform/text/cp1252.hpp"

namespace tov::dataset {

namespace {

using xml_types::ValueForm;

constexpr std::string_view ansi_declaration = R"(<?xml version="1.0" standalone="yes"?>)";
constexpr std::string_view utf8_declaration =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)";

bool is_name_byte(unsigned char byte) {
    const bool ascii = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                       (byte >= '0' && byte <= '9') || byte == '_' || byte == '-' || byte == '.';
    const bool latin_letter = byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
    const bool cp1252_letter = byte == 0x83 || byte == 0x8A || byte == 0x8C || byte == 0x8E ||
                               byte == 0x9A || byte == 0x9C || byte == 0x9E || byte == 0x9F;
    return ascii || latin_letter || cp1252_letter;
}

// A field name made fit for an XML attribute name: other characters become '_', and a name
// that would start with a digit, '-' or '.' gets a leading '_'.
std::string xml_safe_name(std::string_view name) {
    std::string safe;
    for (const char c : name) safe.push_back(is_name_byte(static_cast<unsigned char>(c)) ? c : '_');
    if (safe.empty() || (safe[0] >= '0' && safe[0] <= '9') || safe[0] == '-' || safe[0] == '.')
        safe.insert(0, "_");
    return safe;
}

// One distinct attribute name per field; none may be the row state attribute.
std::vector<std::string> attribute_names(const std::vector<Field>& fields) {
    std::vector<std::string> names;
    std::set<std::string> used{"RowState"};
    for (const Field& field : fields) {
        const std::string base = xml_safe_name(field.attribute_name());
        std::string name = base;
        for (int suffix = 2; used.count(name) != 0; ++suffix)
            name = base + "_" + std::to_string(suffix);
        used.insert(name);
        names.push_back(name);
    }
    return names;
}

std::u16string utf16_of_bytes(std::string_view bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                             (static_cast<uint8_t>(bytes[i + 1]) << 8)));
    }
    if (bytes.size() % 2 != 0) text.push_back(static_cast<uint8_t>(bytes.back()));
    return text;
}

std::optional<double> as_double(const Value& value) {
    if (const auto* number = std::get_if<double>(&value)) return *number;
    if (const auto* number = std::get_if<int64_t>(&value)) return static_cast<double>(*number);
    if (const auto* number = std::get_if<uint64_t>(&value)) return static_cast<double>(*number);
    return std::nullopt;
}

std::optional<int64_t> as_signed(const Value& value) {
    if (const auto* number = std::get_if<int64_t>(&value)) return *number;
    if (const auto* number = std::get_if<uint64_t>(&value)) {
        if (*number <= static_cast<uint64_t>(INT64_MAX)) return static_cast<int64_t>(*number);
        return std::nullopt;
    }
    if (const auto* flag = std::get_if<bool>(&value)) return *flag ? 1 : 0;
    return std::nullopt;
}

std::optional<uint64_t> as_unsigned(const Value& value) {
    if (const auto* number = std::get_if<uint64_t>(&value)) return *number;
    if (const auto* number = std::get_if<int64_t>(&value)) {
        if (*number >= 0) return static_cast<uint64_t>(*number);
        return std::nullopt;
    }
    if (const auto* flag = std::get_if<bool>(&value)) return *flag ? 1 : 0;
    return std::nullopt;
}

class XmlPacketWriter {
public:
    XmlPacketWriter(const Packet& packet, XmlEncoding encoding)
        : packet_(packet),
          utf8_(encoding == XmlEncoding::Utf8),
          names_(attribute_names(packet.fields)) {
        for (const Field& field : packet.fields) forms_.push_back(xml_types::value_form(field));
    }

    std::string write() {
        out_ = utf8_ ? utf8_declaration : ansi_declaration;
        out_ += R"(  <DATAPACKET Version="2.0"><METADATA><FIELDS>)";
        for (std::size_t i = 0; i < packet_.fields.size(); ++i) write_field(i);
        out_ += "</FIELDS>";
        write_dataset_params();
        out_ += "</METADATA><ROWDATA>";
        for (std::size_t row = 0; row < packet_.rows.size(); ++row) write_row(row);
        out_ += "</ROWDATA></DATAPACKET>";
        return std::move(out_);
    }

private:
    [[noreturn]] void fail(std::size_t row, std::size_t field, const std::string& what) const {
        throw PacketError("XML packet: row " + std::to_string(row) + ", " +
                          field_label(packet_.fields[field].name) + ": " + what);
    }

    // Refuses, in the reader's words, a parameter attribute the reader would refuse.
    static void check_param_attribute(const std::string& where, const std::string& name,
                                      const std::string& value) {
        try {
            xml_types::attribute_param(name, value);
        } catch (const ConversionError& error) {
            throw PacketError("XML packet: " + where + ", attribute " +
                              xml_cell::quoted_ansi(name) + ": " + error.what());
        }
    }

    void append_attribute(std::string_view name, std::string_view ansi_value) {
        out_ += ' ';
        xml_text::append_escaped(out_, name, utf8_);
        out_ += "=\"";
        xml_text::append_escaped(out_, ansi_value, utf8_);
        out_ += '"';
    }

    void write_field(std::size_t index) {
        const Field& field = packet_.fields[index];
        const auto fieldtype = xml_types::fieldtype_name(field);
        if (!fieldtype || forms_[index] == ValueForm::Unsupported) {
            throw PacketError("XML packet: " + field_label(field.name) + ": type code " +
                              std::to_string(static_cast<int>(field.type())) + " size " +
                              std::to_string(field.size()) + " has no XML form");
        }
        out_ += "<FIELD";
        if (names_[index] != field.name) append_attribute("fieldname", field.name);
        append_attribute("attrname", names_[index]);
        append_attribute("fieldtype", *fieldtype);
        write_field_flags(field.attributes);
        const std::string where = "FIELD " + std::to_string(index + 1) + " (" +
                                  xml_cell::quoted_ansi(names_[index]) + ")";
        std::vector<const Param*> elements;
        std::set<std::string> written;
        for (const Param& param : field.params) {
            const auto name = xml_types::field_attribute_param(param.name);
            const auto value = xml_types::param_value_text(param);
            if (name && value) {
                if (!written.insert(*name).second) {
                    throw PacketError("XML packet: " + where + ", attribute '" + *name +
                                      "': given twice");
                }
                check_param_attribute(where, *name, *value);
                append_attribute(*name, *value);
            } else {
                elements.push_back(&param);
            }
        }
        if (elements.empty()) {
            out_ += "/>";
            return;
        }
        out_ += '>';
        for (const Param* param : elements) write_param_element(*param);
        out_ += "</FIELD>";
    }

    void write_field_flags(uint16_t attributes) {
        if (attributes & field_attribute::read_only) append_attribute("readonly", "true");
        if (attributes & field_attribute::required) append_attribute("required", "true");
        if (attributes & field_attribute::hidden) append_attribute("hidden", "true");
        if (attributes & field_attribute::link) append_attribute("linkfield", "true");
    }

    // A parameter that XML has no form for (an array outside the known ones, bytes) is left out.
    void write_param_element(const Param& param) {
        const auto type = xml_types::param_type_name(param);
        const auto value = xml_types::param_value_text(param);
        if (!type || !value) return;
        out_ += "<PARAM";
        append_attribute("Name", param.name);
        append_attribute("Value", *value);
        if (!type->empty()) append_attribute("Type", *type);
        if (param.type_word & type_flag::in_delta) append_attribute("Roundtrip", "True");
        out_ += "/>";
    }

    void write_dataset_params() {
        out_ += "<PARAMS";
        std::vector<const Param*> elements;
        for (const Param& param : packet_.params) {
            const auto value = xml_types::param_value_text(param);
            if (xml_types::is_dataset_attribute_param(param.name) && value) {
                check_param_attribute("PARAMS", param.name, *value);
                append_attribute(param.name, *value);
            } else {
                elements.push_back(&param);
            }
        }
        if (elements.empty()) {
            out_ += "/>";
            return;
        }
        out_ += '>';
        for (const Param* param : elements) write_param_element(*param);
        out_ += "</PARAMS>";
    }

    void write_row(std::size_t row) {
        const RowTable& rows = packet_.rows;
        const std::size_t number = row + 1;
        if (rows.width(row) != packet_.fields.size()) {
            throw PacketError("XML packet: row " + std::to_string(number) + " has " +
                              std::to_string(rows.width(row)) + " values for " +
                              std::to_string(packet_.fields.size()) + " fields");
        }
        out_ += "<ROW";
        if (rows.status(row) != 0) out_ += " RowState=\"" + std::to_string(rows.status(row)) + "\"";
        for (std::size_t field = 0; field < packet_.fields.size(); ++field) {
            const ColumnCells& cells = rows.column(field);
            if (cells.has_value(row)) write_value(number, field, cells.value(row));
        }
        out_ += "/>";
    }

    template <typename Result>
    Result require(std::optional<Result> result, std::size_t row, std::size_t field,
                   const char* what) const {
        if (!result) fail(row, field, what);
        return *result;
    }

    // The text of a value, "" for a value written as nothing; text values are handled by the
    // caller.
    std::string value_text(std::size_t row, std::size_t field, const Value& value) const {
        static constexpr const char* mismatch = "the value does not match the field type";
        switch (forms_[field]) {
            case ValueForm::Signed:
                return xml_values::format_signed(require(as_signed(value), row, field, mismatch));
            case ValueForm::Unsigned:
                return xml_values::format_unsigned(
                    require(as_unsigned(value), row, field, mismatch));
            case ValueForm::Boolean:
                return xml_values::format_boolean(require(as_signed(value), row, field, mismatch) !=
                                                  0);
            case ValueForm::Double:
                return xml_values::format_double(require(as_double(value), row, field, mismatch));
            case ValueForm::Single:
                return xml_values::format_single(require(as_double(value), row, field, mismatch));
            case ValueForm::Decimal:
                return decimal_text(row, field, value);
            case ValueForm::Date:
                return require(xml_values::format_date(typed<Date>(row, field, value)), row, field,
                               "date out of range");
            case ValueForm::Time:
                return require(xml_values::format_time(typed<Time>(row, field, value)), row, field,
                               "time out of range");
            case ValueForm::DateTime:
                return require(xml_values::format_date_time(typed<Timestamp>(row, field, value)),
                               row, field, "date-time out of range");
            case ValueForm::SqlTimestamp:
            case ValueForm::SqlTimestampOffset:
                return require(xml_values::format_sql_timestamp(
                                   typed<SqlTimestamp>(row, field, value),
                                   forms_[field] == ValueForm::SqlTimestampOffset),
                               row, field, "timestamp out of range");
            case ValueForm::Binary:
                return xml_values::encode_base64(typed<std::string>(row, field, value));
            default:
                break;
        }
        fail(row, field, mismatch);
    }

    template <typename Type>
    const Type& typed(std::size_t row, std::size_t field, const Value& value) const {
        const auto* result = std::get_if<Type>(&value);
        if (result == nullptr) fail(row, field, "the value does not match the field type");
        return *result;
    }

    std::string decimal_text(std::size_t row, std::size_t field, const Value& value) const {
        try {
            return typed<Bcd>(row, field, value).to_string();
        } catch (const ConversionError& error) {
            fail(row, field, error.what());
        }
    }

    void write_value(std::size_t row, std::size_t field, const Value& value) {
        const ValueForm form = forms_[field];
        if (form == ValueForm::Text || form == ValueForm::Memo) {
            append_attribute(names_[field], typed<std::string>(row, field, value));
            return;
        }
        if (form == ValueForm::WideText || form == ValueForm::WideMemo) {
            const std::u16string text = form == ValueForm::WideText
                                            ? typed<WideText>(row, field, value).text
                                            : utf16_of_bytes(typed<std::string>(row, field, value));
            out_ += ' ';
            xml_text::append_escaped(out_, names_[field], utf8_);
            out_ += "=\"";
            xml_text::append_escaped_wide(out_, text);
            out_ += '"';
            return;
        }
        const std::string text = value_text(row, field, value);
        // A BCD marked special holds no number: it is written as an absent value.
        if (form == ValueForm::Decimal && text.empty()) return;
        check_readable(row, field, text);
        append_attribute(names_[field], text);
    }

    // Refuses, in the reader's words, a value text the reader would refuse (a NaN, a decimal of
    // more digits than it takes, an integer out of its field's range).
    void check_readable(std::size_t row, std::size_t field, const std::string& text) const {
        if (forms_[field] == ValueForm::Binary) return;
        try {
            xml_cell::parse(forms_[field], packet_.fields[field].size(), text,
                            xml_text::Source::Ansi);
        } catch (const ConversionError& error) {
            throw PacketError("XML packet: ROW " + std::to_string(row) + ", attribute " +
                              xml_cell::quoted_ansi(names_[field]) + ": " + error.what());
        }
    }

    const Packet& packet_;
    bool utf8_;
    std::vector<std::string> names_;
    std::vector<ValueForm> forms_;
    std::string out_;
};

}  // namespace

std::string write_xml_packet(const Packet& packet, XmlEncoding encoding) {
    try {
        check_change_log(packet);
    } catch (const PacketError& error) {
        throw PacketError("XML packet: PARAMS, attribute 'CHANGE_LOG': " +
                          std::string(error.what()));
    }
    return XmlPacketWriter(packet, encoding).write();
}

}  // namespace tov::dataset
