#include "platform/dataset/equality_index.hpp"

#include <cmath>
#include <cstring>

#include "platform/errors/errors.hpp"
#include "platform/text/ansi_case.hpp"
#include "platform/text/cp1252.hpp"

namespace tov::dataset {

namespace {

void append_bytes(std::string& key, const void* bytes, std::size_t size) {
    key.append(static_cast<const char*>(bytes), size);
}

bool append_number_key(std::string& key, double number) {
    if (std::isnan(number)) return false;
    if (number == 0) number = 0;  // -0 equals 0
    append_bytes(key, &number, sizeof number);
    return true;
}

std::optional<std::string> text_of(const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* wide = std::get_if<WideText>(&value)) return text::utf16_to_cp1252(wide->text);
    return std::nullopt;
}

}  // namespace

EqualityIndex::EqualityIndex(std::vector<KeyField> fields, bool case_insensitive)
    : fields_(std::move(fields)), case_insensitive_(case_insensitive) {}

void EqualityIndex::append_text_key(std::string& key, std::string_view text) const {
    const uint64_t size = text.size();
    append_bytes(key, &size, sizeof size);
    if (case_insensitive_) {
        for (const char c : text) key.push_back(text::ansi_upper(c));
    } else {
        key.append(text);
    }
}

bool EqualityIndex::append_value_key(std::string& key, const KeyField& field,
                                     const Value& value) const {
    switch (field.value_class) {
        case ValueClass::Text: {
            const auto text = text_of(value);
            if (text) append_text_key(key, *text);
            return text.has_value();
        }
        case ValueClass::Number:
        case ValueClass::DateTime: {
            const auto number = stored_numeric(value);
            return number && append_number_key(key, *number);
        }
        case ValueClass::Boolean: {
            const auto flag = stored_boolean(value);
            if (flag) key.push_back(*flag ? '1' : '0');
            return flag.has_value();
        }
        case ValueClass::Unsupported:
            break;
    }
    return false;
}

bool EqualityIndex::append_literal_key(std::string& key, const KeyField& field,
                                       const CompiledFilter::Literal& literal) const {
    switch (field.value_class) {
        case ValueClass::Text:
            append_text_key(key, literal.text);
            return true;
        case ValueClass::Number:
        case ValueClass::DateTime:
            return append_number_key(key, literal.number);
        case ValueClass::Boolean:
            key.push_back(literal.boolean ? '1' : '0');
            return true;
        case ValueClass::Unsupported:
            break;
    }
    return false;
}

std::optional<EqualityIndex> EqualityIndex::build(const RowTable& rows,
                                                  std::vector<KeyField> fields,
                                                  bool case_insensitive) {
    EqualityIndex index(std::move(fields), case_insensitive);
    constexpr uint32_t no_group = UINT32_MAX;
    std::vector<uint32_t> group_of(rows.size(), no_group);
    std::vector<uint32_t> group_sizes;
    std::unordered_map<std::string, uint32_t> groups;
    std::string key;
    try {
        for (std::size_t row = 0; row < rows.size(); ++row) {
            key.clear();
            bool keyed = true;
            for (const KeyField& field : index.fields_) {
                keyed =
                    keyed && index.append_value_key(
                                 key, field, rows.cell(row, static_cast<std::size_t>(field.field)));
            }
            if (!keyed) continue;
            const auto [found, added] =
                groups.try_emplace(key, static_cast<uint32_t>(group_sizes.size()));
            if (added) group_sizes.push_back(0);
            group_of[row] = found->second;
            ++group_sizes[found->second];
        }
    } catch (const Error&) {
        return std::nullopt;
    }
    std::vector<uint32_t> starts(group_sizes.size() + 1, 0);
    for (std::size_t group = 0; group < group_sizes.size(); ++group)
        starts[group + 1] = starts[group] + group_sizes[group];
    index.rows_.resize(starts.back());
    std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (group_of[row] != no_group)
            index.rows_[next[group_of[row]]++] = static_cast<uint32_t>(row);
    }
    index.ranges_.reserve(groups.size());
    for (auto& [group_key, group] : groups)
        index.ranges_.emplace(group_key, Range{starts[group], starts[group + 1]});
    return index;
}

std::span<const uint32_t> EqualityIndex::rows_matching(
    const std::vector<const CompiledFilter::Literal*>& literals) const {
    std::string key;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (!append_literal_key(key, fields_[i], *literals[i])) return {};
    }
    const auto found = ranges_.find(key);
    if (found == ranges_.end()) return {};
    return std::span<const uint32_t>(rows_).subspan(found->second.begin,
                                                    found->second.end - found->second.begin);
}

}  // namespace tov::dataset
