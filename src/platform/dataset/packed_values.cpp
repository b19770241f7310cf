#include "platform/dataset/packed_values.hpp"

#include <limits>
#include <type_traits>

namespace tov::dataset {

namespace {

template <typename... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

bool fits_int32(int64_t value) {
    return value >= std::numeric_limits<int32_t>::min() &&
           value <= std::numeric_limits<int32_t>::max();
}

template <typename T>
std::size_t bytes_of(const std::vector<T>& items) {
    return items.capacity() * sizeof(T);
}

}  // namespace

std::size_t PackedValues::size() const {
    return std::visit(Overloaded{
                          [](const std::monostate&) -> std::size_t { return 0; },
                          [](const Flags& flags) { return flags.items.size(); },
                          [](const Texts<char>& texts) { return texts.ends.size(); },
                          [](const Texts<char16_t>& texts) { return texts.ends.size(); },
                          [](const auto& items) { return items.size(); },
                      },
                      storage_);
}

Value PackedValues::at(std::size_t index) const {
    return std::visit(
        Overloaded{
            [](const std::monostate&) -> Value { return Null{}; },
            [&](const std::vector<int32_t>& items) -> Value { return int64_t{items[index]}; },
            [&](const Flags& flags) -> Value { return flags.items[index] != 0; },
            [&](const Texts<char>& texts) -> Value { return std::string(texts.at(index)); },
            [&](const Texts<char16_t>& texts) -> Value {
                return WideText{std::u16string(texts.at(index))};
            },
            [&](const auto& items) -> Value { return items[index]; },
        },
        storage_);
}

std::optional<std::string_view> PackedValues::text_at(std::size_t index) const {
    if (const auto* texts = std::get_if<Texts<char>>(&storage_)) return texts->at(index);
    if (const auto* values = std::get_if<std::vector<Value>>(&storage_)) {
        if (const auto* text = std::get_if<std::string>(&(*values)[index]))
            return std::string_view(*text);
    }
    return std::nullopt;
}

void PackedValues::push_back(const Value& value) {
    if (std::holds_alternative<std::monostate>(storage_)) start_storage_for(value);
    if (try_push(value)) return;
    make_mixed();
    std::get<std::vector<Value>>(storage_).push_back(value);
}

void PackedValues::push_text(std::string_view bytes) {
    if (std::holds_alternative<std::monostate>(storage_)) storage_ = Texts<char>{};
    if (auto* texts = std::get_if<Texts<char>>(&storage_)) {
        texts->push(bytes);
        return;
    }
    push_back(std::string(bytes));
}

void PackedValues::push_copy(const PackedValues& source, std::size_t index) {
    if (storage_.index() != source.storage_.index()) {
        push_back(source.at(index));
        return;
    }
    std::visit(Overloaded{
                   [](std::monostate&) {},
                   [&](Flags& flags) {
                       flags.items.push_back(std::get<Flags>(source.storage_).items[index]);
                   },
                   [&](Texts<char>& texts) {
                       texts.push(std::get<Texts<char>>(source.storage_).at(index));
                   },
                   [&](Texts<char16_t>& texts) {
                       texts.push(std::get<Texts<char16_t>>(source.storage_).at(index));
                   },
                   [&](auto& items) {
                       using Items = std::decay_t<decltype(items)>;
                       items.push_back(std::get<Items>(source.storage_)[index]);
                   },
               },
               storage_);
}

void PackedValues::shrink_to_fit() {
    std::visit(Overloaded{
                   [](std::monostate&) {},
                   [](Flags& flags) { flags.items.shrink_to_fit(); },
                   [](Texts<char>& texts) {
                       texts.chars.shrink_to_fit();
                       texts.ends.shrink_to_fit();
                   },
                   [](Texts<char16_t>& texts) {
                       texts.chars.shrink_to_fit();
                       texts.ends.shrink_to_fit();
                   },
                   [](auto& items) { items.shrink_to_fit(); },
               },
               storage_);
}

std::size_t PackedValues::memory_bytes() const {
    return std::visit(
        Overloaded{
            [](const std::monostate&) -> std::size_t { return 0; },
            [](const Flags& flags) { return bytes_of(flags.items); },
            [](const Texts<char>& texts) { return texts.chars.capacity() + bytes_of(texts.ends); },
            [](const Texts<char16_t>& texts) {
                return texts.chars.capacity() * 2 + bytes_of(texts.ends);
            },
            [](const std::vector<Value>& values) {
                std::size_t bytes = bytes_of(values);
                for (const Value& value : values) {
                    if (const auto* text = std::get_if<std::string>(&value))
                        bytes += text->capacity();
                }
                return bytes;
            },
            [](const auto& items) { return bytes_of(items); },
        },
        storage_);
}

void PackedValues::start_storage_for(const Value& value) {
    std::visit(Overloaded{
                   [&](int64_t) { storage_ = std::vector<int32_t>{}; },
                   [&](uint64_t) { storage_ = std::vector<uint64_t>{}; },
                   [&](bool) { storage_ = Flags{}; },
                   [&](double) { storage_ = std::vector<double>{}; },
                   [&](const Bcd&) { storage_ = std::vector<Bcd>{}; },
                   [&](Date) { storage_ = std::vector<Date>{}; },
                   [&](Time) { storage_ = std::vector<Time>{}; },
                   [&](const Timestamp&) { storage_ = std::vector<Timestamp>{}; },
                   [&](const SqlTimestamp&) { storage_ = std::vector<SqlTimestamp>{}; },
                   [&](const std::string&) { storage_ = Texts<char>{}; },
                   [&](const WideText&) { storage_ = Texts<char16_t>{}; },
                   [&](const auto&) { storage_ = std::vector<Value>{}; },
               },
               value);
}

bool PackedValues::try_push(const Value& value) {
    if (auto* narrow = std::get_if<std::vector<int32_t>>(&storage_)) {
        const auto* integer = std::get_if<int64_t>(&value);
        if (integer == nullptr) return false;
        if (fits_int32(*integer)) {
            narrow->push_back(static_cast<int32_t>(*integer));
            return true;
        }
        widen_to_int64();
    }
    return std::visit(Overloaded{
                          [](std::monostate&) { return false; },
                          [](std::vector<int32_t>&) { return false; },
                          [&](Flags& flags) {
                              const auto* flag = std::get_if<bool>(&value);
                              if (flag != nullptr) flags.items.push_back(*flag ? 1 : 0);
                              return flag != nullptr;
                          },
                          [&](Texts<char>& texts) {
                              const auto* text = std::get_if<std::string>(&value);
                              if (text != nullptr) texts.push(*text);
                              return text != nullptr;
                          },
                          [&](Texts<char16_t>& texts) {
                              const auto* wide = std::get_if<WideText>(&value);
                              if (wide != nullptr) texts.push(wide->text);
                              return wide != nullptr;
                          },
                          [&](std::vector<Value>& values) {
                              values.push_back(value);
                              return true;
                          },
                          [&](auto& items) {
                              using Item = typename std::decay_t<decltype(items)>::value_type;
                              const auto* item = std::get_if<Item>(&value);
                              if (item != nullptr) items.push_back(*item);
                              return item != nullptr;
                          },
                      },
                      storage_);
}

void PackedValues::widen_to_int64() {
    const auto& narrow = std::get<std::vector<int32_t>>(storage_);
    std::vector<int64_t> wide(narrow.begin(), narrow.end());
    storage_ = std::move(wide);
}

void PackedValues::make_mixed() {
    if (std::holds_alternative<std::vector<Value>>(storage_)) return;
    std::vector<Value> values;
    const std::size_t count = size();
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i) values.push_back(at(i));
    storage_ = std::move(values);
}

}  // namespace tov::dataset
