#include "services/printer_table.hpp"

#include <charconv>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/errors/errors.hpp"
#include "services/printer_table_text.hpp"

namespace tov::services {
namespace {

constexpr std::string_view kFieldSeparators = " \t";
constexpr std::string_view kDefaultKind = "*";
constexpr std::string_view kNoBytes = "-";
constexpr std::size_t kFieldCount = 5;
constexpr int kMaxByteValue = 255;

// A failure in one line of the table, turned into a tov::FileError by the caller.
struct LineError {
    std::string what;
};

std::vector<std::string_view> split_fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = line.find_first_not_of(kFieldSeparators);
    while (start != std::string_view::npos) {
        const std::size_t end = line.find_first_of(kFieldSeparators, start);
        fields.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(kFieldSeparators, end);
    }
    return fields;
}

int parse_integer(std::string_view field, std::string_view name, int min, int max) {
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc{} || end != field.data() + field.size() || value < min || value > max) {
        throw LineError{std::string(name) + " '" + std::string(field) +
                        "' is not an integer from " + std::to_string(min) + " to " +
                        std::to_string(max)};
    }
    return value;
}

std::optional<int> hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

// The byte of the escape that starts at field[pos] (a backslash); advances pos past it.
char decode_escape(std::string_view field, std::size_t& pos, std::string_view name) {
    const auto bad_escape = [&] {
        return LineError{"bad escape in " + std::string(name) + " '" + std::string(field) +
                         "' (use \\r \\n \\t \\\\ or \\xHH)"};
    };
    if (pos + 1 >= field.size()) throw bad_escape();
    const char kind = field[pos + 1];
    pos += 2;
    switch (kind) {
        case 'r':
            return '\r';
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case '\\':
            return '\\';
        case 'x': {
            if (pos + 2 > field.size()) throw bad_escape();
            const std::optional<int> high = hex_digit(field[pos]);
            const std::optional<int> low = hex_digit(field[pos + 1]);
            if (!high || !low) throw bad_escape();
            pos += 2;
            return static_cast<char>(*high * 16 + *low);
        }
        default:
            throw bad_escape();
    }
}

std::string decode_sequence(std::string_view field, std::string_view name) {
    std::string bytes;
    if (field == kNoBytes) return bytes;
    std::size_t pos = 0;
    while (pos < field.size()) {
        if (field[pos] == '\\') {
            bytes += decode_escape(field, pos, name);
        } else {
            bytes += field[pos++];
        }
    }
    return bytes;
}

PrinterLayout parse_layout(const std::vector<std::string_view>& fields) {
    return PrinterLayout{parse_integer(fields[1], "font", 0, kMaxByteValue),
                         parse_integer(fields[2], "width", 1, kMaxByteValue),
                         decode_sequence(fields[3], "line break"),
                         decode_sequence(fields[4], "paper cut")};
}

std::string_view without_comment(std::string_view line) {
    line = line.substr(0, line.find('#'));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

PrinterLayout default_printer_layout() {
    return PrinterLayout{0, 48, "\r\n", "\x1Bm"};
}

PrinterTable::PrinterTable() : fallback_(default_printer_layout()) {}

PrinterTable PrinterTable::parse(std::string_view text, const std::string& source) {
    PrinterTable table;
    bool has_default_line = false;
    std::size_t line_number = 0;
    while (!text.empty()) {
        ++line_number;
        const std::size_t end = text.find('\n');
        const std::string_view line = without_comment(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const std::vector<std::string_view> fields = split_fields(line);
        if (fields.empty()) continue;
        try {
            if (fields.size() != kFieldCount) {
                throw LineError{"expected 5 fields (kind font width line_break paper_cut), found " +
                                std::to_string(fields.size())};
            }
            PrinterLayout layout = parse_layout(fields);
            if (fields[0] == kDefaultKind) {
                if (std::exchange(has_default_line, true)) {
                    throw LineError{"the default layout '*' is given twice"};
                }
                table.fallback_ = std::move(layout);
                continue;
            }
            const int kind =
                parse_integer(fields[0], "printer kind", std::numeric_limits<int>::min(),
                              std::numeric_limits<int>::max());
            if (!table.layouts_.emplace(kind, std::move(layout)).second) {
                throw LineError{"printer kind " + std::to_string(kind) + " is given twice"};
            }
        } catch (const LineError& error) {
            throw FileError("printer table " + source + ", line " + std::to_string(line_number) +
                            ": " + error.what);
        }
    }
    return table;
}

PrinterTable PrinterTable::load(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        throw FileError("printer table '" + file.string() + "' is not a readable file");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) throw FileError("cannot open printer table '" + file.string() + "'");
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad()) throw FileError("cannot read printer table '" + file.string() + "'");
    return parse(contents.str(), "'" + file.string() + "'");
}

PrinterTable PrinterTable::built_in() {
    return parse(built_in_printer_table(), "(built in)");
}

PrinterLayout PrinterTable::layout_for(int kind) const {
    const auto found = layouts_.find(kind);
    return found != layouts_.end() ? found->second : fallback_;
}

}  // namespace tov::services
