#include "packets/packet_table.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "packets/packet_cell.hpp"
#include "platform/dataset/packet_current_view.hpp"
#include "platform/dataset/packet_xml_types.hpp"
#include "platform/text/cp1252.hpp"
#include "terminal/visible_text.hpp"

namespace tovprint {
namespace {

namespace dataset = tov::dataset;

using Line = std::vector<std::string>;

// A cell wider than this is cut and ends in "...", so one memo does not stretch the table.
constexpr std::size_t widest_cell = 40;

std::string cut(std::string cell) {
    if (display_width(cell) <= widest_cell) return cell;
    std::size_t characters = 0;
    std::size_t end = 0;
    for (; end < cell.size(); ++end) {
        const bool starts_character = (static_cast<unsigned char>(cell[end]) & 0xC0) != 0x80;
        if (starts_character && ++characters > widest_cell - 3) break;
    }
    return cell.substr(0, end) + "...";
}

void print_table(const std::vector<Line>& lines, std::ostream& out) {
    if (lines.empty()) return;
    std::vector<std::size_t> widths(lines.front().size(), 0);
    for (const auto& line : lines) {
        for (std::size_t column = 0; column < line.size(); ++column) {
            widths[column] = std::max(widths[column], display_width(line[column]));
        }
    }
    const auto print_line = [&](const Line& line) {
        std::string text;
        for (std::size_t column = 0; column < line.size(); ++column) {
            if (column > 0) text += "  ";
            text += line[column];
            text.append(widths[column] - display_width(line[column]), ' ');
        }
        text.erase(text.find_last_not_of(' ') + 1);
        out << "  " << text << '\n';
    };
    print_line(lines.front());
    Line rule;
    for (const auto width : widths) rule.emplace_back(width, '-');
    print_line(rule);
    std::for_each(lines.begin() + 1, lines.end(), print_line);
}

std::string field_name(const dataset::Field& field) {
    return visible_text(field.name, LineBreaks::Inline);
}

std::vector<Line> field_lines(const dataset::Packet& packet) {
    std::vector<Line> lines{{"#", "Field", "Type", "Width", "Subtype"}};
    for (std::size_t index = 0; index < packet.fields.size(); ++index) {
        const auto& field = packet.fields[index];
        const auto type = dataset::xml_types::fieldtype_name(field);
        lines.push_back({std::to_string(index + 1), field_name(field),
                         type.value_or("type " + std::to_string(field.type_word)),
                         field.width() > 0 ? std::to_string(field.width()) : "",
                         tov::text::cp1252_to_utf8(field.subtype())});
    }
    return lines;
}

std::vector<Line> row_lines(const dataset::Packet& packet, const std::vector<dataset::Row>& rows) {
    Line header;
    for (const auto& field : packet.fields) header.push_back(field_name(field));
    std::vector<Line> lines{header};
    for (const auto& row : rows) {
        Line line;
        for (std::size_t column = 0; column < packet.fields.size(); ++column) {
            line.push_back(column < row.values.size()
                               ? cut(packet_cell(packet.fields[column], row.values[column]))
                               : "");
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

void print_packet(const dataset::Packet& packet, std::string_view title, std::ostream& out) {
    const auto rows = dataset::current_rows(packet);
    out << title << ": " << packet.fields.size() << " fields, " << rows.size() << " rows";
    if (rows.size() != packet.rows.size()) {
        out << " (" << packet.rows.size() << " stored with the change log)";
    }
    out << "\n\n";
    print_table(field_lines(packet), out);
    out << '\n';
    print_table(row_lines(packet, rows), out);
}

}  // namespace tovprint
