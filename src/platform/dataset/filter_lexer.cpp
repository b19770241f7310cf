#include "platform/dataset/filter_lexer.hpp"

#include <array>
#include <utility>

#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"
#include "platform/text/ansi_case.hpp"

namespace tov::dataset {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_name_start(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || byte >= 0xC0;
}

bool is_name_part(char c) {
    return is_name_start(c) || is_digit(c) || c == '$' || c == '#';
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

TokenKind keyword_or_identifier(std::string_view word) {
    static constexpr std::array<std::pair<std::string_view, TokenKind>, 7> keywords{{
        {"AND", TokenKind::And},
        {"OR", TokenKind::Or},
        {"NOT", TokenKind::Not},
        {"IS", TokenKind::Is},
        {"NULL", TokenKind::Null},
        {"TRUE", TokenKind::True},
        {"FALSE", TokenKind::False},
    }};
    for (const auto& [keyword, kind] : keywords) {
        if (text::ansi_same_text(word, keyword)) return kind;
    }
    return TokenKind::Identifier;
}

class Lexer {
public:
    explicit Lexer(std::string_view filter) : filter_(filter) {}

    std::vector<Token> run() {
        std::vector<Token> tokens;
        for (;;) {
            while (at_ < filter_.size() && is_blank(filter_[at_])) ++at_;
            if (at_ >= filter_.size()) break;
            tokens.push_back(next_token());
        }
        tokens.push_back(Token{TokenKind::End, "", filter_.size() + 1});
        return tokens;
    }

private:
    [[noreturn]] void fail(const std::string& what, size_t index) const {
        throw DatasetError(filter_error_prefix(filter_) + what + " at position " +
                           std::to_string(index + 1));
    }

    Token make(TokenKind kind, size_t start, size_t length) {
        at_ = start + length;
        return Token{kind, std::string(filter_.substr(start, length)), start + 1};
    }

    Token next_token() {
        const size_t start = at_;
        const char c = filter_[at_];
        if (c == '\'') return string_literal(start);
        if (c == '[') return bracketed_name(start);
        if (is_digit(c) ||
            (c == '.' && start + 1 < filter_.size() && is_digit(filter_[start + 1]))) {
            return number(start);
        }
        if (is_name_start(c)) return word(start);
        return punctuation(start);
    }

    Token punctuation(size_t start) {
        const char c = filter_[start];
        const char after = start + 1 < filter_.size() ? filter_[start + 1] : '\0';
        switch (c) {
            case '=':
                return make(TokenKind::Equal, start, 1);
            case '<':
                if (after == '>') return make(TokenKind::NotEqual, start, 2);
                if (after == '=') return make(TokenKind::LessEqual, start, 2);
                return make(TokenKind::Less, start, 1);
            case '>':
                if (after == '=') return make(TokenKind::GreaterEqual, start, 2);
                return make(TokenKind::Greater, start, 1);
            case '!':
                if (after == '=') return make(TokenKind::NotEqual, start, 2);
                break;
            case '-':
                return make(TokenKind::Minus, start, 1);
            case '(':
                return make(TokenKind::OpenParen, start, 1);
            case ')':
                return make(TokenKind::CloseParen, start, 1);
            default:
                break;
        }
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            fail("unexpected byte " + std::to_string(byte), start);
        }
        fail(std::string("unexpected character '") + c + "'", start);
    }

    Token string_literal(size_t start) {
        std::string value;
        size_t at = start + 1;
        for (;;) {
            if (at >= filter_.size()) fail("unterminated text literal", start);
            const char c = filter_[at];
            if (c == '\'') {
                if (at + 1 < filter_.size() && filter_[at + 1] == '\'') {
                    value += '\'';
                    at += 2;
                    continue;
                }
                break;
            }
            value += c;
            ++at;
        }
        at_ = at + 1;
        return Token{TokenKind::String, std::move(value), start + 1};
    }

    Token bracketed_name(size_t start) {
        const auto close = filter_.find(']', start + 1);
        if (close == std::string_view::npos) fail("unterminated field name", start);
        if (close == start + 1) fail("empty field name", start);
        at_ = close + 1;
        return Token{TokenKind::Identifier,
                     std::string(filter_.substr(start + 1, close - start - 1)), start + 1};
    }

    Token number(size_t start) {
        size_t at = start;
        while (at < filter_.size() && is_digit(filter_[at])) ++at;
        if (at < filter_.size() && filter_[at] == '.') {
            ++at;
            while (at < filter_.size() && is_digit(filter_[at])) ++at;
        }
        if (at < filter_.size() && (filter_[at] == 'e' || filter_[at] == 'E')) {
            size_t exponent = at + 1;
            if (exponent < filter_.size() &&
                (filter_[exponent] == '+' || filter_[exponent] == '-')) {
                ++exponent;
            }
            if (exponent < filter_.size() && is_digit(filter_[exponent])) {
                at = exponent;
                while (at < filter_.size() && is_digit(filter_[at])) ++at;
            }
        }
        if (at < filter_.size() && is_name_start(filter_[at])) {
            fail("malformed number", start);
        }
        return make(TokenKind::Number, start, at - start);
    }

    Token word(size_t start) {
        size_t at = start;
        while (at < filter_.size() && is_name_part(filter_[at])) ++at;
        const auto text = filter_.substr(start, at - start);
        return make(keyword_or_identifier(text), start, at - start);
    }

    std::string_view filter_;
    size_t at_ = 0;
};

}  // namespace

const char* token_kind_name(TokenKind kind) {
    switch (kind) {
        case TokenKind::Identifier:
            return "a field name";
        case TokenKind::String:
            return "a text literal";
        case TokenKind::Number:
            return "a number";
        case TokenKind::Equal:
            return "'='";
        case TokenKind::NotEqual:
            return "'<>'";
        case TokenKind::Less:
            return "'<'";
        case TokenKind::Greater:
            return "'>'";
        case TokenKind::LessEqual:
            return "'<='";
        case TokenKind::GreaterEqual:
            return "'>='";
        case TokenKind::Minus:
            return "'-'";
        case TokenKind::OpenParen:
            return "'('";
        case TokenKind::CloseParen:
            return "')'";
        case TokenKind::And:
            return "AND";
        case TokenKind::Or:
            return "OR";
        case TokenKind::Not:
            return "NOT";
        case TokenKind::Is:
            return "IS";
        case TokenKind::Null:
            return "NULL";
        case TokenKind::True:
            return "TRUE";
        case TokenKind::False:
            return "FALSE";
        case TokenKind::End:
            return "the end";
    }
    return "a token";
}

std::vector<Token> tokenize_filter(std::string_view filter) {
    return Lexer(filter).run();
}

std::string filter_error_prefix(std::string_view filter) {
    return "filter " + quoted_input(filter) + ": ";
}

}  // namespace tov::dataset
