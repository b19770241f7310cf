// Evaluating a bound filter against one row.
#include <cmath>
#include <utility>

#include "platform/dataset/filter_expression.hpp"
#include "platform/text/ansi_case.hpp"
#include "platform/text/cp1252.hpp"

namespace tov::dataset {

namespace {

// A row's cells, by field number: a Row's own values, or a table row's put together one by one.
class RowCells {
public:
    explicit RowCells(const Row& row) : row_(row) {}
    const Value& operator()(int field) const {
        static const Value null_cell = Null{};
        const auto index = static_cast<size_t>(field);
        return index < row_.values.size() ? row_.values[index] : null_cell;
    }

private:
    const Row& row_;
};

class TableCells {
public:
    TableCells(const RowTable& rows, size_t row) : rows_(rows), row_(row) {}
    Value operator()(int field) const { return rows_.cell(row_, static_cast<size_t>(field)); }
    // The cell's 8-bit text without a copy; nothing when it holds none (NULL, another type).
    std::optional<std::string_view> text(int field) const {
        const auto column = static_cast<size_t>(field);
        if (column >= rows_.width(row_)) return std::nullopt;
        return rows_.column(column).text(row_);
    }

private:
    const RowTable& rows_;
    size_t row_;
};

std::optional<int> order_of(double left, double right) {
    if (std::isnan(left) || std::isnan(right)) return std::nullopt;
    return left < right ? -1 : left > right ? 1 : 0;
}

bool holds(CompareOp op, int order) {
    switch (op) {
        case CompareOp::Equal:
            return order == 0;
        case CompareOp::NotEqual:
            return order != 0;
        case CompareOp::Less:
            return order < 0;
        case CompareOp::Greater:
            return order > 0;
        case CompareOp::LessEqual:
            return order <= 0;
        case CompareOp::GreaterEqual:
            return order >= 0;
    }
    return false;
}

// Calls use(text) with the value as text, without copying 8-bit strings.
template <typename Use>
std::optional<int> with_text(const Value& value, Use use) {
    if (const auto* text = std::get_if<std::string>(&value)) return use(std::string_view(*text));
    if (const auto* wide = std::get_if<WideText>(&value)) {
        const std::string converted = text::utf16_to_cp1252(wide->text);
        return use(std::string_view(converted));
    }
    return std::nullopt;
}

}  // namespace

CompiledFilter::CompiledFilter(std::vector<Node> nodes, int root, bool case_insensitive)
    : nodes_(std::move(nodes)), root_(root), case_insensitive_(case_insensitive) {}

bool CompiledFilter::matches(const Row& row) const {
    return evaluate(root_, RowCells(row));
}

bool CompiledFilter::matches(const RowTable& rows, size_t row) const {
    return evaluate(root_, TableCells(rows, row));
}

template <typename Cells>
bool CompiledFilter::evaluate(int index, const Cells& cells) const {
    const Node& node = nodes_[static_cast<size_t>(index)];
    switch (node.kind) {
        case FilterNode::Kind::And:
            for (const int child : node.children) {
                if (!evaluate(child, cells)) return false;
            }
            return true;
        case FilterNode::Kind::Or:
            for (const int child : node.children) {
                if (evaluate(child, cells)) return true;
            }
            return false;
        case FilterNode::Kind::Not:
            return !evaluate(node.children.front(), cells);
        case FilterNode::Kind::IsNull:
            return is_null_value(cells(node.field)) != node.negated;
        case FilterNode::Kind::Compare:
            return compare(node, cells);
    }
    return false;
}

template <typename Cells>
bool CompiledFilter::compare(const Node& node, const Cells& cells) const {
    // A text cell against a text literal, read in place: the filters every document sets.
    if constexpr (requires { cells.text(node.field); }) {
        if (node.other_field < 0 && (node.literal.prefix || node.value_class == ValueClass::Text)) {
            if (const auto text = cells.text(node.field))
                return compare_text_with_literal(node, *text);
        }
    }
    const auto& value = cells(node.field);
    if (is_null_value(value)) return false;
    if (node.other_field >= 0) {
        const auto& other = cells(node.other_field);
        if (is_null_value(other)) return false;
        const auto order = compare_fields(node, value, other);
        return order && holds(node.op, *order);
    }
    if (node.literal.prefix) {
        const auto starts = with_text(value, [&](std::string_view text) {
            return text_starts_with(text, node.literal.text) ? 0 : 1;
        });
        return starts && holds(node.op, *starts);
    }
    const auto order = compare_with_literal(node, value);
    return order && holds(node.op, *order);
}

bool CompiledFilter::compare_text_with_literal(const Node& node, std::string_view text) const {
    if (node.literal.prefix) {
        return holds(node.op, text_starts_with(text, node.literal.text) ? 0 : 1);
    }
    return holds(node.op, compare_text(text, node.literal.text));
}

std::optional<std::vector<CompiledFilter::Equality>> CompiledFilter::equalities() const {
    std::vector<Equality> found;
    if (root_ < 0 || !collect_equalities(root_, found)) return std::nullopt;
    return found;
}

bool CompiledFilter::collect_equalities(int index, std::vector<Equality>& out) const {
    const Node& node = nodes_[static_cast<size_t>(index)];
    if (node.kind == FilterNode::Kind::And) {
        for (const int child : node.children) {
            if (!collect_equalities(child, out)) return false;
        }
        return true;
    }
    const bool plain_equality = node.kind == FilterNode::Kind::Compare &&
                                node.op == CompareOp::Equal && node.other_field < 0 &&
                                !node.literal.prefix && node.value_class != ValueClass::Unsupported;
    if (plain_equality) out.push_back(Equality{node.field, node.value_class, &node.literal});
    return plain_equality;
}

std::optional<int> CompiledFilter::compare_with_literal(const Node& node,
                                                        const Value& value) const {
    switch (node.value_class) {
        case ValueClass::Text:
            return with_text(value, [&](std::string_view text) {
                return compare_text(text, node.literal.text);
            });
        case ValueClass::Number:
        case ValueClass::DateTime: {
            const auto number = stored_numeric(value);
            if (!number) return std::nullopt;
            return order_of(*number, node.literal.number);
        }
        case ValueClass::Boolean: {
            const auto flag = stored_boolean(value);
            if (!flag) return std::nullopt;
            return static_cast<int>(*flag) - static_cast<int>(node.literal.boolean);
        }
        case ValueClass::Unsupported:
            break;
    }
    return std::nullopt;
}

std::optional<int> CompiledFilter::compare_fields(const Node& node, const Value& left,
                                                  const Value& right) const {
    switch (node.value_class) {
        case ValueClass::Text: {
            const auto right_text = stored_text(right);
            if (!right_text) return std::nullopt;
            return with_text(
                left, [&](std::string_view text) { return compare_text(text, *right_text); });
        }
        case ValueClass::Number:
        case ValueClass::DateTime: {
            const auto a = stored_numeric(left);
            const auto b = stored_numeric(right);
            if (!a || !b) return std::nullopt;
            return order_of(*a, *b);
        }
        case ValueClass::Boolean: {
            const auto a = stored_boolean(left);
            const auto b = stored_boolean(right);
            if (!a || !b) return std::nullopt;
            return static_cast<int>(*a) - static_cast<int>(*b);
        }
        case ValueClass::Unsupported:
            break;
    }
    return std::nullopt;
}

int CompiledFilter::compare_text(std::string_view left, std::string_view right) const {
    if (case_insensitive_) return text::ansi_compare_text(left, right);
    const int order = left.compare(right);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

bool CompiledFilter::text_starts_with(std::string_view text, std::string_view prefix) const {
    if (text.size() < prefix.size()) return false;
    const auto head = text.substr(0, prefix.size());
    return case_insensitive_ ? text::ansi_same_text(head, prefix) : head == prefix;
}

}  // namespace tov::dataset
