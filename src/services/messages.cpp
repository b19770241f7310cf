#include "services/messages.hpp"

#include <utility>

#include "platform/errors/errors.hpp"

namespace tov::services {
namespace {

constexpr char kKeySeparator = '|';

// The key with its ASCII letters in lower case; other bytes are kept.
std::string fold_case(std::string_view key) {
    std::string folded(key);
    for (char& byte : folded) {
        if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte - 'A' + 'a');
    }
    return folded;
}

}  // namespace

void TMessages::add_stored_line(std::string_view stored_line) {
    const std::size_t bar = stored_line.find(kKeySeparator);
    if (bar == std::string_view::npos) {
        throw ArgumentError("message line " + std::to_string(lines_.size() + 1) +
                            " has no '|' between key and text: '" + std::string(stored_line) + "'");
    }
    add(std::string(stored_line.substr(0, bar)), std::string(stored_line.substr(bar + 1)));
}

void TMessages::add(std::string key, std::string text) {
    first_line_by_folded_key_.try_emplace(fold_case(key), lines_.size());
    lines_.push_back({std::move(key), std::move(text)});
}

std::string TMessages::Msg(std::string_view key) const {
    const auto found = first_line_by_folded_key_.find(fold_case(key));
    if (found == first_line_by_folded_key_.end()) return {};
    return lines_[found->second].text;
}

}  // namespace tov::services
