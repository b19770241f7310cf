#include "platform/dataset/index_order.hpp"

#include <algorithm>
#include <cmath>

#include "platform/dataset/value_reading.hpp"
#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"
#include "platform/text/ansi_case.hpp"

namespace tov::dataset {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

int sign_of(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) ? (std::isnan(b) ? 0 : -1) : 1;
    return a < b ? -1 : a > b ? 1 : 0;
}

struct KeyField {
    int field = 0;
    ValueClass value_class = ValueClass::Text;
};

// The key values of the rows to sort, read out of the table once: keys[k][row] is key field k
// of stored row `row`.
using KeyValues = std::vector<std::vector<Value>>;

KeyValues key_values(const std::vector<uint32_t>& rows, const RowTable& storage,
                     const std::vector<KeyField>& keys) {
    KeyValues values(keys.size(), std::vector<Value>(storage.size()));
    for (size_t k = 0; k < keys.size(); ++k) {
        for (const uint32_t row : rows)
            values[k][row] = storage.cell(row, static_cast<size_t>(keys[k].field));
    }
    return values;
}

class KeyComparer {
public:
    KeyComparer(const KeyValues& values, std::vector<KeyField> keys, const IndexOptions& options)
        : values_(values), keys_(std::move(keys)), options_(options) {}

    bool operator()(uint32_t a, uint32_t b) const {
        const int order = compare_rows(a, b);
        return options_.descending ? order > 0 : order < 0;
    }

private:
    int compare_rows(uint32_t a, uint32_t b) const {
        for (size_t k = 0; k < keys_.size(); ++k) {
            const int order = compare_values(keys_[k], values_[k][a], values_[k][b]);
            if (order != 0) return order;
        }
        return 0;
    }

    int compare_values(const KeyField& key, const Value& a, const Value& b) const {
        const bool a_null = is_null_value(a);
        const bool b_null = is_null_value(b);
        if (a_null || b_null) return static_cast<int>(b_null) - static_cast<int>(a_null);
        switch (key.value_class) {
            case ValueClass::Text:
                return compare_text_values(a, b);
            case ValueClass::Number:
                return sign_of(stored_number(a).value_or(0), stored_number(b).value_or(0));
            case ValueClass::DateTime:
                return sign_of(stored_date_time(a).value_or(0), stored_date_time(b).value_or(0));
            case ValueClass::Boolean:
                return static_cast<int>(stored_boolean(a).value_or(false)) -
                       static_cast<int>(stored_boolean(b).value_or(false));
            case ValueClass::Unsupported:
                break;
        }
        return 0;
    }

    int compare_text_values(const Value& a, const Value& b) const {
        const auto* a_text = std::get_if<std::string>(&a);
        const auto* b_text = std::get_if<std::string>(&b);
        if (a_text && b_text) return compare_text(*a_text, *b_text);
        return compare_text(stored_text(a).value_or(""), stored_text(b).value_or(""));
    }

    int compare_text(std::string_view a, std::string_view b) const {
        if (options_.case_insensitive) return text::ansi_compare_text(a, b);
        const int order = a.compare(b);
        return order < 0 ? -1 : order > 0 ? 1 : 0;
    }

    const KeyValues& values_;
    std::vector<KeyField> keys_;
    IndexOptions options_;
};

}  // namespace

std::vector<int> index_field_numbers(const std::vector<Field>& fields,
                                     std::string_view field_list) {
    std::vector<int> numbers;
    if (trimmed(field_list).empty()) throw DatasetError("index has no fields");
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(field_list.find(';', start), field_list.size());
        const auto name = trimmed(field_list.substr(start, end - start));
        if (name.empty()) {
            throw DatasetError("index fields " + quoted_input(field_list) + " hold an empty name");
        }
        const auto found = std::find_if(fields.begin(), fields.end(), [name](const Field& field) {
            return text::ansi_same_text(field.name, name);
        });
        if (found == fields.end()) throw FieldNotFound(std::string(name));
        numbers.push_back(static_cast<int>(found - fields.begin()));
        if (end == field_list.size()) break;
        start = end + 1;
    }
    return numbers;
}

void sort_rows(std::vector<uint32_t>& rows, const RowTable& storage,
               const std::vector<Field>& fields, const IndexDef& index) {
    std::vector<KeyField> keys;
    for (const int number : index_field_numbers(fields, index.fields)) {
        const ValueClass value_class = value_class_of(fields[static_cast<size_t>(number)]);
        if (value_class == ValueClass::Unsupported) {
            throw DatasetError("index " + quoted_input(index.name) + ": " +
                               field_label(fields[static_cast<size_t>(number)].name) +
                               " cannot be sorted");
        }
        keys.push_back(KeyField{number, value_class});
    }
    const KeyValues values = key_values(rows, storage, keys);
    std::stable_sort(rows.begin(), rows.end(), KeyComparer(values, std::move(keys), index.options));
}

}  // namespace tov::dataset
