// Binding a parsed filter to a dataset's fields: names become field numbers, literals become
// values of the field's kind.
#include <charconv>
#include <functional>
#include <utility>

#include "platform/dataset/date_text.hpp"
#include "platform/dataset/filter_expression.hpp"
#include "platform/dataset/filter_lexer.hpp"
#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"
#include "platform/text/ansi_case.hpp"

namespace tov::dataset {

namespace {

using Fail = std::function<void(const std::string& what, size_t position)>;

// A number written with '.' or the regional decimal separator, blanks around it allowed.
std::optional<double> number_in_text(std::string_view text, char decimal_separator) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::string plain(text);
    for (char& c : plain) {
        if (c == decimal_separator) c = '.';
    }
    if (!plain.empty() && plain.front() == '+') plain.erase(0, 1);
    if (plain.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    return value;
}

CompareOp mirrored(CompareOp op) {
    switch (op) {
        case CompareOp::Less:
            return CompareOp::Greater;
        case CompareOp::Greater:
            return CompareOp::Less;
        case CompareOp::LessEqual:
            return CompareOp::GreaterEqual;
        case CompareOp::GreaterEqual:
            return CompareOp::LessEqual;
        default:
            return op;
    }
}

bool comparable_classes(ValueClass a, ValueClass b) {
    const auto numeric = [](ValueClass c) {
        return c == ValueClass::Number || c == ValueClass::DateTime;
    };
    return a == b || (numeric(a) && numeric(b));
}

class Binder {
public:
    Binder(const std::vector<Field>& fields, const FilterOptions& options,
           const format::FormatSettings& settings, Fail fail)
        : fields_(fields), options_(options), settings_(settings), fail_(std::move(fail)) {}

    int field_index(const FilterOperand& operand) const {
        for (size_t i = 0; i < fields_.size(); ++i) {
            if (text::ansi_same_text(fields_[i].name, operand.text)) return static_cast<int>(i);
        }
        throw FieldNotFound(operand.text);
    }

    ValueClass class_of(int field, size_t position) const {
        const Field& f = fields_[static_cast<size_t>(field)];
        const ValueClass value_class = value_class_of(f);
        if (value_class == ValueClass::Unsupported) {
            fail(field_label(f.name) + " cannot be compared", position);
        }
        return value_class;
    }

    CompiledFilter::Node is_null(const FilterOperand& operand, bool negated) const {
        if (operand.kind != FilterOperand::Kind::Field)
            fail("IS NULL needs a field", operand.position);
        CompiledFilter::Node node;
        node.kind = FilterNode::Kind::IsNull;
        node.field = field_index(operand);
        node.negated = negated;
        return node;
    }

    CompiledFilter::Node comparison(const FilterNode& source) const {
        FilterOperand lhs = source.lhs;
        FilterOperand rhs = source.rhs;
        CompareOp op = source.op;
        if (lhs.kind != FilterOperand::Kind::Field) {
            std::swap(lhs, rhs);
            op = mirrored(op);
        }
        if (lhs.kind != FilterOperand::Kind::Field) {
            fail("a comparison needs a field", source.lhs.position);
        }
        if (rhs.kind == FilterOperand::Kind::Null) {
            if (op != CompareOp::Equal && op != CompareOp::NotEqual) {
                fail("NULL can only be compared with = or <>", rhs.position);
            }
            return is_null(lhs, op == CompareOp::NotEqual);
        }
        CompiledFilter::Node node;
        node.kind = FilterNode::Kind::Compare;
        node.op = op;
        node.field = field_index(lhs);
        node.value_class = class_of(node.field, lhs.position);
        if (rhs.kind == FilterOperand::Kind::Field) {
            node.other_field = field_index(rhs);
            const ValueClass other = class_of(node.other_field, rhs.position);
            if (!comparable_classes(node.value_class, other)) {
                fail("fields " + quoted_input(lhs.text) + " and " + quoted_input(rhs.text) +
                         " hold values of different kinds",
                     lhs.position);
            }
            if (node.value_class != other) node.value_class = ValueClass::Number;
            return node;
        }
        node.literal = literal_for(node, rhs);
        return node;
    }

    CompiledFilter::Literal literal_for(const CompiledFilter::Node& node,
                                        const FilterOperand& value) const {
        const std::string& field_name = fields_[static_cast<size_t>(node.field)].name;
        switch (node.value_class) {
            case ValueClass::Text:
                return text_literal(node, value, field_name);
            case ValueClass::Number:
                return number_literal(value, field_name);
            case ValueClass::DateTime:
                return date_time_literal(value, field_name);
            case ValueClass::Boolean:
                return boolean_literal(value, field_name);
            case ValueClass::Unsupported:
                break;
        }
        fail(field_label(field_name) + " cannot be compared", value.position);
        return {};
    }

    CompiledFilter::Literal text_literal(const CompiledFilter::Node& node,
                                         const FilterOperand& value,
                                         const std::string& field_name) const {
        if (value.kind == FilterOperand::Kind::Boolean) {
            fail(shortened(value.text) + " cannot be compared with the text " +
                     field_label(field_name),
                 value.position);
        }
        CompiledFilter::Literal literal;
        literal.text = value.text;
        const bool equality = node.op == CompareOp::Equal || node.op == CompareOp::NotEqual;
        if (value.kind == FilterOperand::Kind::Text && equality && !options_.no_partial_compare &&
            !literal.text.empty() && literal.text.back() == '*') {
            literal.text.pop_back();
            literal.prefix = true;
        }
        return literal;
    }

    CompiledFilter::Literal number_literal(const FilterOperand& value,
                                           const std::string& field_name) const {
        CompiledFilter::Literal literal;
        if (value.kind == FilterOperand::Kind::Number) {
            literal.number = value.number;
        } else if (value.kind == FilterOperand::Kind::Text) {
            const auto number = number_in_text(value.text, settings_.decimal_separator);
            if (!number) {
                fail(quoted_input(value.text) + " is no number for the " + field_label(field_name),
                     value.position);
            }
            literal.number = *number;
        } else {
            fail(shortened(value.text) + " cannot be compared with the number " +
                     field_label(field_name),
                 value.position);
        }
        return literal;
    }

    CompiledFilter::Literal date_time_literal(const FilterOperand& value,
                                              const std::string& field_name) const {
        CompiledFilter::Literal literal;
        if (value.kind == FilterOperand::Kind::Number) {
            literal.number = value.number;
        } else if (value.kind == FilterOperand::Kind::Text) {
            const auto date_time = parse_date_time_text(value.text, settings_);
            if (!date_time) {
                fail(quoted_input(value.text) + " is no date for the " + field_label(field_name),
                     value.position);
            }
            literal.number = *date_time;
        } else {
            fail(shortened(value.text) + " cannot be compared with the date " +
                     field_label(field_name),
                 value.position);
        }
        return literal;
    }

    CompiledFilter::Literal boolean_literal(const FilterOperand& value,
                                            const std::string& field_name) const {
        CompiledFilter::Literal literal;
        if (value.kind == FilterOperand::Kind::Boolean) {
            literal.boolean = value.boolean;
        } else if (value.kind == FilterOperand::Kind::Number) {
            literal.boolean = value.number != 0;
        } else if (text::ansi_same_text(value.text, "True") ||
                   text::ansi_same_text(value.text, "False")) {
            literal.boolean = text::ansi_same_text(value.text, "True");
        } else {
            fail(quoted_input(value.text) + " is no Boolean for the " + field_label(field_name),
                 value.position);
        }
        return literal;
    }

    [[noreturn]] void fail(const std::string& what, size_t position) const {
        fail_(what, position);
        throw DatasetError(what);  // fail_ always throws; this keeps the compiler informed
    }

private:
    const std::vector<Field>& fields_;
    FilterOptions options_;
    const format::FormatSettings& settings_;
    Fail fail_;
};

class TreeBinder {
public:
    TreeBinder(const FilterExpression& expression, const Binder& binder)
        : expression_(expression), binder_(binder) {}

    int bind(int source_index) {
        const FilterNode& source = expression_.nodes()[static_cast<size_t>(source_index)];
        CompiledFilter::Node node;
        switch (source.kind) {
            case FilterNode::Kind::And:
            case FilterNode::Kind::Or:
            case FilterNode::Kind::Not:
                node.kind = source.kind;
                for (const int child : source.children) node.children.push_back(bind(child));
                break;
            case FilterNode::Kind::IsNull:
                node = binder_.is_null(source.lhs, source.negated);
                break;
            case FilterNode::Kind::Compare:
                node = binder_.comparison(source);
                break;
        }
        nodes_.push_back(std::move(node));
        return static_cast<int>(nodes_.size() - 1);
    }

    std::vector<CompiledFilter::Node> take_nodes() { return std::move(nodes_); }

private:
    const FilterExpression& expression_;
    const Binder& binder_;
    std::vector<CompiledFilter::Node> nodes_;
};

}  // namespace

CompiledFilter FilterExpression::bind(const std::vector<Field>& fields,
                                      const FilterOptions& options,
                                      const format::FormatSettings& settings) const {
    const std::string& text = text_;
    const Binder binder(fields, options, settings,
                        [&text](const std::string& what, size_t position) {
                            throw DatasetError(filter_error_prefix(text) + what + " at position " +
                                               std::to_string(position));
                        });
    TreeBinder tree(*this, binder);
    const int root = tree.bind(root_);
    return CompiledFilter(tree.take_nodes(), root, options.case_insensitive);
}

CompiledFilter compile_equality(const std::vector<Field>& fields, int field_index,
                                const FilterOperand& value, bool case_insensitive, bool partial_key,
                                const format::FormatSettings& settings) {
    if (field_index < 0 || static_cast<size_t>(field_index) >= fields.size()) {
        throw DatasetError("locate: no field number " + std::to_string(field_index));
    }
    const std::string& name = fields[static_cast<size_t>(field_index)].name;
    const FilterOptions options{case_insensitive, true};
    const Binder binder(fields, options, settings, [&name](const std::string& what, size_t) {
        throw DatasetError("locate on " + field_label(name) + ": " + what);
    });
    CompiledFilter::Node node;
    if (value.kind == FilterOperand::Kind::Null) {
        node.kind = FilterNode::Kind::IsNull;
        node.field = field_index;
    } else {
        node.kind = FilterNode::Kind::Compare;
        node.field = field_index;
        node.value_class = binder.class_of(field_index, 0);
        node.literal = binder.literal_for(node, value);
        node.literal.prefix = partial_key && node.value_class == ValueClass::Text;
    }
    return CompiledFilter({std::move(node)}, 0, case_insensitive);
}

}  // namespace tov::dataset
