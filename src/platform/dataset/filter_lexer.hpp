#pragma once
// The tokens of a filter expression. Keywords and field names are matched without regard to
// case; blanks are optional wherever a token ends by itself ("'7'AND" is a literal and AND).

#include <string>
#include <string_view>
#include <vector>

namespace tov::dataset {

enum class TokenKind {
    Identifier,  // a field name, bare or in brackets ("[Unit Price]")
    String,      // 'text', with '' standing for one quote; text holds the unquoted value
    Number,      // 12, 3.5, 1e3 (always '.' as the decimal point)
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Minus,
    OpenParen,
    CloseParen,
    And,
    Or,
    Not,
    Is,
    Null,
    True,
    False,
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;     // as written, or the unquoted value of a string literal
    size_t position = 0;  // 1-based character position in the filter text
};

const char* token_kind_name(TokenKind kind);

// Splits a filter into tokens ending with an End token. Throws DatasetError
// "filter 'TEXT': ... at position N" for an unterminated literal or an unknown character.
std::vector<Token> tokenize_filter(std::string_view filter);

// The message prefix every filter error carries.
std::string filter_error_prefix(std::string_view filter);

}  // namespace tov::dataset
