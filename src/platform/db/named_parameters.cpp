#include "platform/db/named_parameters.hpp"

#include <algorithm>

#include "platform/errors/errors.hpp"
#include "platform/text/ansi_case.hpp"

namespace tov::db {

namespace {

bool is_name_start(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool is_name_char(char c) {
    return is_name_start(c) || (c >= '0' && c <= '9');
}

class Scanner {
public:
    explicit Scanner(std::string_view sql) : sql_(sql) {}

    PositionalStatement run() {
        while (pos_ < sql_.size()) step();
        return std::move(result_);
    }

private:
    void step() {
        const char c = sql_[pos_];
        if (c == '\'' || c == '"' || c == '[') return copy_quoted(c == '[' ? ']' : c);
        if (starts_with("--")) return copy_until("\n", false);
        if (starts_with("/*")) return copy_until("*/", true);
        if (starts_with("::")) return copy(2);
        if (c == ':' && pos_ + 1 < sql_.size() && is_name_start(sql_[pos_ + 1])) return take_name();
        copy(1);
    }

    bool starts_with(std::string_view prefix) const {
        return sql_.substr(pos_).starts_with(prefix);
    }

    void copy(std::size_t count) {
        result_.sql.append(sql_.substr(pos_, count));
        pos_ += count;
    }

    // A quoted literal or identifier; a doubled closing quote stays inside it.
    void copy_quoted(char close) {
        const std::size_t start = pos_;
        std::size_t at = pos_ + 1;
        for (;;) {
            at = sql_.find(close, at);
            if (at == std::string_view::npos) unclosed("quoted text", start);
            if (at + 1 < sql_.size() && sql_[at + 1] == close) {
                at += 2;
                continue;
            }
            break;
        }
        copy(at + 1 - pos_);
    }

    void copy_until(std::string_view end, bool required) {
        const std::size_t start = pos_;
        const std::size_t at = sql_.find(end, pos_ + 2);
        if (at == std::string_view::npos) {
            if (required) unclosed("comment", start);
            copy(sql_.size() - pos_);
            return;
        }
        copy(at + end.size() - pos_);
    }

    void take_name() {
        std::size_t end = pos_ + 1;
        while (end < sql_.size() && is_name_char(sql_[end])) ++end;
        result_.marker_names.emplace_back(sql_.substr(pos_ + 1, end - pos_ - 1));
        result_.sql.push_back('?');
        pos_ = end;
    }

    [[noreturn]] void unclosed(const char* what, std::size_t start) const {
        throw DatabaseError("statement: " + std::string(what) + " opened at position " +
                            std::to_string(start + 1) + " is not closed");
    }

    std::string_view sql_;
    std::size_t pos_ = 0;
    PositionalStatement result_;
};

}  // namespace

PositionalStatement to_positional(std::string_view sql) {
    return Scanner(sql).run();
}

std::vector<std::string> distinct_names(const std::vector<std::string>& marker_names) {
    std::vector<std::string> names;
    for (const auto& name : marker_names) {
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& seen) {
            return text::ansi_same_text(seen, name);
        });
        if (!known) names.push_back(name);
    }
    return names;
}

}  // namespace tov::db
