#pragma once
// Filter expressions of the client dataset: the language the documents build, parsed once and
// bound to a dataset's fields, then evaluated row by row.
//
//   expression := term { OR term }            precedence: NOT, then AND, then OR
//   term       := factor { AND factor }
//   factor     := NOT factor | '(' expression ')' | comparison
//   comparison := operand ( '=' | '<>' | '<' | '>' | '<=' | '>=' ) operand
//               | operand IS [NOT] NULL
//   operand    := field | 'text' | number | -number | TRUE | FALSE | NULL
//
// Keywords and field names ignore case; blanks are needed only between two words ("'7'AND" and
// "IDSTPRCOMVEN  <>" are fine). A field name with blanks is written in brackets: [Unit Price].
//
// Meaning, bound to the fields:
// - Text fields compare as text, byte by byte, or ignoring case with the case-insensitive option.
//   With = and <> a text literal ending in '*' matches any text that starts with what precedes
//   the '*', unless the no-partial-compare option is set.
// - Number fields compare numerically; a quoted literal is read as a number (regional or '.'
//   decimal point), and one that is no number is an error naming it.
// - Date, time and timestamp fields compare as date-times; a quoted literal is read in the
//   regional short date format, optionally followed by a time; a bare number is a date-time.
// - Boolean fields compare with TRUE / FALSE, 'True' / 'False' or a number (nonzero = true).
// - A text field compared with a bare number compares with the number as written.
// - Two fields compare when their values are of the same kind (numbers with date-times too).
// - NULL: every comparison that meets a NULL value is false, whatever the operator, so
//   "A <> 'x'" leaves out the rows where A is NULL and NOT (A = 'x') keeps them. "A = NULL" and
//   "A <> NULL" mean A IS NULL and A IS NOT NULL.
//
// Errors: a text that does not parse, or a literal that does not fit its field, raises
// tov::DatasetError "filter 'TEXT': ... at position N" (1-based); a field the dataset does not
// hold raises tov::FieldNotFound naming it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dataset/packet.hpp"
#include "platform/dataset/row_table.hpp"
#include "platform/dataset/value_reading.hpp"
#include "platform/format/format_settings.hpp"

namespace tov::dataset {

struct FilterOptions {
    bool case_insensitive = false;
    bool no_partial_compare = false;
};

enum class CompareOp { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

// One side of a comparison as written.
struct FilterOperand {
    enum class Kind { Field, Text, Number, Boolean, Null };
    Kind kind = Kind::Null;
    std::string text;  // field name, unquoted text, or the number as written
    double number = 0;
    bool boolean = false;
    size_t position = 0;
};

struct FilterNode {
    enum class Kind { And, Or, Not, Compare, IsNull };
    Kind kind = Kind::Compare;
    std::vector<int> children;  // And, Or: two or more; Not: one
    CompareOp op = CompareOp::Equal;
    FilterOperand lhs;  // Compare: both sides; IsNull: lhs only
    FilterOperand rhs;
    bool negated = false;  // IS NOT NULL
};

// A filter bound to fields: which rows it lets through.
class CompiledFilter {
public:
    struct Literal {
        std::string text;
        double number = 0;
        bool boolean = false;
        bool prefix = false;  // text: match what starts with text
        bool operator==(const Literal&) const = default;
    };
    struct Node {
        FilterNode::Kind kind = FilterNode::Kind::Compare;
        std::vector<int> children;
        CompareOp op = CompareOp::Equal;
        ValueClass value_class = ValueClass::Text;
        int field = -1;
        int other_field = -1;  // a field on the right, or -1 for the literal
        Literal literal;
        bool negated = false;
    };

    CompiledFilter(std::vector<Node> nodes, int root, bool case_insensitive);

    bool matches(const Row& row) const;
    bool matches(const RowTable& rows, size_t row) const;
    bool case_insensitive() const { return case_insensitive_; }

    // One "field = literal" of a filter made of nothing else, joined by AND.
    struct Equality {
        int field = -1;
        ValueClass value_class = ValueClass::Text;
        const Literal* literal = nullptr;
    };
    // The equalities when the filter is only such, the form an index can serve; else nothing.
    std::optional<std::vector<Equality>> equalities() const;

private:
    template <typename Cells>
    bool evaluate(int node, const Cells& cells) const;
    template <typename Cells>
    bool compare(const Node& node, const Cells& cells) const;
    bool collect_equalities(int node, std::vector<Equality>& out) const;
    std::optional<int> compare_with_literal(const Node& node, const Value& value) const;
    bool compare_text_with_literal(const Node& node, std::string_view text) const;
    std::optional<int> compare_fields(const Node& node, const Value& left,
                                      const Value& right) const;
    int compare_text(std::string_view left, std::string_view right) const;
    bool text_starts_with(std::string_view text, std::string_view prefix) const;

    std::vector<Node> nodes_;
    int root_ = -1;
    bool case_insensitive_ = false;
};

class FilterExpression {
public:
    // Throws tov::DatasetError when the text does not parse.
    static FilterExpression parse(std::string_view text);

    const std::string& text() const { return text_; }
    const std::vector<FilterNode>& nodes() const { return nodes_; }
    int root() const { return root_; }

    // Resolves field names and converts literals to the kind of their field.
    CompiledFilter bind(const std::vector<Field>& fields, const FilterOptions& options,
                        const format::FormatSettings& settings) const;

private:
    FilterExpression(std::string text, std::vector<FilterNode> nodes, int root);

    std::string text_;
    std::vector<FilterNode> nodes_;
    int root_ = -1;
};

// One comparison of a field with a value, as Locate needs it: field = value, or with
// partial_key, a text field starting with value. A value that does not fit the field raises
// tov::DatasetError "locate on field 'NAME': ...".
CompiledFilter compile_equality(const std::vector<Field>& fields, int field_index,
                                const FilterOperand& value, bool case_insensitive, bool partial_key,
                                const format::FormatSettings& settings);

}  // namespace tov::dataset
