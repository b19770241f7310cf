#pragma once
// The message component: a table of lines, each a key and the text printed for it.
//
// Lookup rule: keys match without regard to the case of ASCII letters ("PARCIAL" finds the line
// keyed "Parcial"); when a key occurs on several lines the first line wins; a key that no line
// holds gives an empty text. Keys and texts are taken byte for byte otherwise, blanks included.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tov::services {

struct MessageLine {
    std::string key;
    std::string text;

    friend bool operator==(const MessageLine&, const MessageLine&) = default;
};

class TMessages {
public:
    // Appends one line in its stored form: the key, a vertical bar, then the text up to the end
    // (it may end in blanks or hold further bars). Throws tov::ArgumentError when there is no bar.
    void add_stored_line(std::string_view stored_line);

    void add(std::string key, std::string text);

    // The text of the first line whose key equals `key` ignoring case, or "" when none does.
    std::string Msg(std::string_view key) const;

    const std::vector<MessageLine>& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }

private:
    std::vector<MessageLine> lines_;
    std::unordered_map<std::string, std::size_t> first_line_by_folded_key_;
};

// The data module's message table: the component filled with its 182 lines in their order.
TMessages make_standard_messages();

// The same table, built once and never changed, for what prints without the data module.
const TMessages& standard_messages();

}  // namespace tov::services
