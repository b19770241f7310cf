#pragma once
// The built-in printer configuration: the layout of each printer kind, used when the host does
// not configure the printer itself.
//
// File format (data/printers.conf), one printer kind per line, fields separated by blanks or tabs:
//
//     kind  font  width  line_break  paper_cut
//
//   kind        the printer kind, a decimal integer, or '*' for the layout of every kind that
//               has no line of its own;
//   font        the font code, an integer from 0 to 255;
//   width       the line width in characters, an integer from 1 to 255;
//   line_break  the bytes that end a line; paper_cut the bytes that cut the paper. Both are
//               written with escapes: \r, \n, \t, \\, and \xHH (exactly two hex digits) for any
//               byte; a lone '-' stands for no bytes. A sequence holds no blank and no '#'
//               (write \x20 and \x23).
//
// '#' starts a comment that runs to the end of the line; blank lines are ignored. A malformed line
// or a kind given twice throws tov::FileError naming the file and the line number.
//
// Without a '*' line, an unknown kind gets default_printer_layout(): font 0, 48 columns (an
// 80 mm receipt printer in its normal font), carriage return and line feed, and ESC 'm' (cut).
//
// The table knows nothing of the coupon number the host's configuration also delivers: a caller
// standing in for the host's configuration leaves that variable as it was.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace tov::services {

struct PrinterLayout {
    int font_code;
    int line_width;
    std::string line_break;
    std::string paper_cut;

    friend bool operator==(const PrinterLayout&, const PrinterLayout&) = default;
};

PrinterLayout default_printer_layout();

class PrinterTable {
public:
    // A table with no kinds: every kind gets default_printer_layout().
    PrinterTable();

    // Reads the table from a file. Throws tov::FileError when the file cannot be read or a line
    // is malformed.
    static PrinterTable load(const std::filesystem::path& file);

    // Parses the text of a table; `source` names it in error messages.
    static PrinterTable parse(std::string_view text, const std::string& source);

    // The same rows as data/printers.conf, for when no file is given.
    static PrinterTable built_in();

    // The layout of the kind, or the table's default for a kind it does not hold.
    PrinterLayout layout_for(int kind) const;

    bool contains(int kind) const { return layouts_.count(kind) != 0; }
    std::size_t size() const { return layouts_.size(); }
    const PrinterLayout& fallback() const { return fallback_; }

private:
    std::map<int, PrinterLayout> layouts_;
    PrinterLayout fallback_;
};

}  // namespace tov::services
