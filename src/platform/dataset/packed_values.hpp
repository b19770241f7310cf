#pragma once
// The values of one column, packed by their type: integers, numbers, dates and the like in one
// array of their own type, texts one after another in a single buffer. A column keeps the type of
// the first value it receives; a value of another type turns it into a plain list of values, which
// is slower and larger but holds anything (packets built in code may mix types; packets read from
// bytes never do).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/dataset/packet_row.hpp"

namespace tov::dataset {

class PackedValues {
public:
    std::size_t size() const;
    Value at(std::size_t index) const;
    // The 8-bit text at index without a copy; nothing when the column holds another type.
    std::optional<std::string_view> text_at(std::size_t index) const;

    void push_back(const Value& value);  // a value, never Null or Unchanged
    void push_text(std::string_view bytes);
    void push_copy(const PackedValues& source, std::size_t index);
    // Gives back what the arrays hold beyond their values once a column is complete.
    void shrink_to_fit();

    std::size_t memory_bytes() const;

private:
    // Texts as one buffer and the end of each text in it.
    template <typename Char>
    struct Texts {
        std::basic_string<Char> chars;
        std::vector<uint64_t> ends;
        std::basic_string_view<Char> at(std::size_t index) const {
            const uint64_t begin = index == 0 ? 0 : ends[index - 1];
            return std::basic_string_view<Char>(chars).substr(begin, ends[index] - begin);
        }
        void push(std::basic_string_view<Char> text) {
            chars.append(text);
            ends.push_back(chars.size());
        }
    };
    // Booleans as bytes, so that the storage stays a plain array.
    struct Flags {
        std::vector<uint8_t> items;
    };

    using Storage =
        std::variant<std::monostate, std::vector<int32_t>, std::vector<int64_t>,
                     std::vector<uint64_t>, Flags, std::vector<double>, std::vector<Bcd>,
                     std::vector<Date>, std::vector<Time>, std::vector<Timestamp>,
                     std::vector<SqlTimestamp>, Texts<char>, Texts<char16_t>, std::vector<Value>>;

    bool try_push(const Value& value);
    void start_storage_for(const Value& value);
    void widen_to_int64();
    void make_mixed();

    Storage storage_;
};

}  // namespace tov::dataset
