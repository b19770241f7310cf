// Parsing a filter text into its tree of comparisons.
#include "platform/dataset/filter_expression.hpp"

#include <charconv>
#include <utility>

#include "platform/dataset/filter_lexer.hpp"
#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"

namespace tov::dataset {

namespace {

// Nesting deeper than this (parentheses, NOT) is refused rather than risking the stack.
constexpr int max_nesting = 200;

std::optional<CompareOp> compare_op_of(TokenKind kind) {
    switch (kind) {
        case TokenKind::Equal:
            return CompareOp::Equal;
        case TokenKind::NotEqual:
            return CompareOp::NotEqual;
        case TokenKind::Less:
            return CompareOp::Less;
        case TokenKind::Greater:
            return CompareOp::Greater;
        case TokenKind::LessEqual:
            return CompareOp::LessEqual;
        case TokenKind::GreaterEqual:
            return CompareOp::GreaterEqual;
        default:
            return std::nullopt;
    }
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text), tokens_(tokenize_filter(text)) {}

    std::pair<std::vector<FilterNode>, int> run() {
        const int root = expression(0);
        if (peek().kind != TokenKind::End) {
            fail(std::string("unexpected ") + describe(peek()), peek());
        }
        return {std::move(nodes_), root};
    }

private:
    const Token& peek() const { return tokens_[at_]; }
    const Token& take() { return tokens_[at_ < tokens_.size() - 1 ? at_++ : at_]; }

    static std::string describe(const Token& token) {
        if (token.kind == TokenKind::End) return "end of filter";
        if (token.kind == TokenKind::String) return "text " + quoted_input(token.text);
        return quoted_input(token.text);
    }

    [[noreturn]] void fail(const std::string& what, const Token& where) const {
        throw DatasetError(filter_error_prefix(text_) + what + " at position " +
                           std::to_string(where.position));
    }

    int add(FilterNode node) {
        nodes_.push_back(std::move(node));
        return static_cast<int>(nodes_.size() - 1);
    }

    int expression(int depth) { return chain(depth, TokenKind::Or, FilterNode::Kind::Or); }

    int term(int depth) { return chain(depth, TokenKind::And, FilterNode::Kind::And); }

    // operand { keyword operand }, kept flat so that long chains need no deep recursion.
    int chain(int depth, TokenKind keyword, FilterNode::Kind kind) {
        const int first = kind == FilterNode::Kind::Or ? term(depth) : factor(depth);
        if (peek().kind != keyword) return first;
        FilterNode node;
        node.kind = kind;
        node.children.push_back(first);
        while (peek().kind == keyword) {
            take();
            node.children.push_back(kind == FilterNode::Kind::Or ? term(depth) : factor(depth));
        }
        return add(std::move(node));
    }

    int factor(int depth) {
        if (depth >= max_nesting) fail("expression nested too deeply", peek());
        if (peek().kind == TokenKind::Not) {
            take();
            FilterNode node;
            node.kind = FilterNode::Kind::Not;
            node.children.push_back(factor(depth + 1));
            return add(std::move(node));
        }
        if (peek().kind == TokenKind::OpenParen) {
            const Token& open = take();
            const int inner = expression(depth + 1);
            if (peek().kind != TokenKind::CloseParen) {
                fail("expected ')' to close the '(' at position " + std::to_string(open.position) +
                         ", found " + describe(peek()),
                     peek());
            }
            take();
            return inner;
        }
        return comparison();
    }

    int comparison() {
        FilterNode node;
        node.lhs = operand();
        if (peek().kind == TokenKind::Is) {
            take();
            node.kind = FilterNode::Kind::IsNull;
            if (peek().kind == TokenKind::Not) {
                take();
                node.negated = true;
            }
            if (peek().kind != TokenKind::Null)
                fail("expected NULL, found " + describe(peek()), peek());
            take();
            return add(std::move(node));
        }
        const auto op = compare_op_of(peek().kind);
        if (!op) fail("expected a comparison operator, found " + describe(peek()), peek());
        const Token& op_token = take();
        node.kind = FilterNode::Kind::Compare;
        node.op = *op;
        if (peek().kind == TokenKind::End) {
            fail("expected a value after " + quoted_input(op_token.text), peek());
        }
        node.rhs = operand();
        return add(std::move(node));
    }

    FilterOperand operand() {
        const Token& token = take();
        FilterOperand result;
        result.position = token.position;
        switch (token.kind) {
            case TokenKind::Identifier:
                result.kind = FilterOperand::Kind::Field;
                result.text = token.text;
                return result;
            case TokenKind::String:
                result.kind = FilterOperand::Kind::Text;
                result.text = token.text;
                return result;
            case TokenKind::Number:
                return number(token, false);
            case TokenKind::Minus: {
                if (peek().kind != TokenKind::Number) fail("expected a number after '-'", peek());
                FilterOperand negative = number(take(), true);
                negative.position = token.position;
                return negative;
            }
            case TokenKind::True:
            case TokenKind::False:
                result.kind = FilterOperand::Kind::Boolean;
                result.boolean = token.kind == TokenKind::True;
                result.text = token.text;
                return result;
            case TokenKind::Null:
                result.kind = FilterOperand::Kind::Null;
                result.text = token.text;
                return result;
            default:
                fail("expected a field name or a value, found " + describe(token), token);
        }
    }

    FilterOperand number(const Token& token, bool negative) {
        FilterOperand result;
        result.kind = FilterOperand::Kind::Number;
        result.position = token.position;
        result.text = negative ? "-" + token.text : token.text;
        const char* first = token.text.data();
        const char* last = first + token.text.size();
        const auto [end, error] = std::from_chars(first, last, result.number);
        if (error != std::errc() || end != last)
            fail("malformed number " + quoted_input(token.text), token);
        if (negative) result.number = -result.number;
        return result;
    }

    std::string_view text_;
    std::vector<Token> tokens_;
    size_t at_ = 0;
    std::vector<FilterNode> nodes_;
};

}  // namespace

FilterExpression::FilterExpression(std::string text, std::vector<FilterNode> nodes, int root)
    : text_(std::move(text)), nodes_(std::move(nodes)), root_(root) {}

FilterExpression FilterExpression::parse(std::string_view text) {
    auto [nodes, root] = Parser(text).run();
    return FilterExpression(std::string(text), std::move(nodes), root);
}

}  // namespace tov::dataset
