#pragma once
// The statement's text as it grows, every line closed by the printer's line break. On the fiscal
// register the text is handed over part by part, so it can be taken out and started afresh.

#include <string>
#include <string_view>
#include <utility>

namespace tov::statement {

class StatementText {
public:
    explicit StatementText(std::string line_break) : line_break_(std::move(line_break)) {}

    void line(std::string_view text) {
        text_.append(text);
        text_.append(line_break_);
    }
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

}  // namespace tov::statement
