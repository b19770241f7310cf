#pragma once
// A document's text buffer as it grows: every line is its text followed by the printer's
// line-break sequence. Documents handed over in parts take what they have and go on from empty.

#include <string>
#include <string_view>
#include <utility>

namespace tov::services {

class DocumentText {
public:
    explicit DocumentText(std::string line_break) : line_break_(std::move(line_break)) {}

    void line(std::string_view text) {
        text_.append(text);
        text_.append(line_break_);
    }
    void empty_line() { text_.append(line_break_); }
    // Text that brings its own line breaks.
    void append(std::string_view text) { text_.append(text); }

    const std::string& line_break() const { return line_break_; }
    const std::string& text() const { return text_; }

    // The text so far; what follows starts from empty.
    std::string take() { return std::exchange(text_, std::string()); }

private:
    std::string line_break_;
    std::string text_;
};

}  // namespace tov::services
