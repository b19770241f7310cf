#pragma once
// An index of a dataset's rows by the values of a set of fields, for filters of equalities
// joined by AND ("NRSEQVENDA = '12' AND CDFAMILISALD = '01'"): built once per field set, it
// answers such a filter with the rows it selects, in stored order, at a cost of about those rows.
//
// Keys follow the filter's comparison rules exactly (compiled_filter.cpp): text compares byte by
// byte, or by its upper-case form with the case-insensitive option (ansi_compare_text is zero
// exactly then); number and date-time fields by their value as a double, so -0 equals 0; Booleans
// by value. A NULL, a NaN or a value of another kind than its field's compares with nothing and
// is left out of the index.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/dataset/filter_expression.hpp"
#include "platform/dataset/row_table.hpp"

namespace tov::dataset {

class EqualityIndex {
public:
    struct KeyField {
        int field = -1;
        ValueClass value_class = ValueClass::Text;
        bool operator==(const KeyField&) const = default;
    };

    // Nothing when a stored value cannot be read (a damaged decimal): the general filter then
    // answers and reports it as it always did.
    static std::optional<EqualityIndex> build(const RowTable& rows, std::vector<KeyField> fields,
                                              bool case_insensitive);

    // The stored rows whose fields equal the literals, ascending; the literals come in the order
    // of the key fields. Empty when a literal can match nothing (a NaN).
    std::span<const uint32_t> rows_matching(
        const std::vector<const CompiledFilter::Literal*>& literals) const;

    const std::vector<KeyField>& fields() const { return fields_; }
    bool case_insensitive() const { return case_insensitive_; }

private:
    struct Range {
        uint32_t begin = 0;
        uint32_t end = 0;
    };

    EqualityIndex(std::vector<KeyField> fields, bool case_insensitive);
    bool append_value_key(std::string& key, const KeyField& field, const Value& value) const;
    bool append_literal_key(std::string& key, const KeyField& field,
                            const CompiledFilter::Literal& literal) const;
    void append_text_key(std::string& key, std::string_view text) const;

    std::vector<KeyField> fields_;
    bool case_insensitive_ = false;
    std::unordered_map<std::string, Range> ranges_;  // key -> its rows in rows_
    std::vector<uint32_t> rows_;                     // rows grouped by key, ascending in a group
};

}  // namespace tov::dataset
