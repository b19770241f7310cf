#pragma once
// A text that the package hands to the host or back-end by reference: a zeroed buffer of fixed
// capacity holding the current value, read back up to the first NUL after the call. The last
// byte is forced to NUL, so an answer that fills the whole buffer can never be read past.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tov::services {

class TextOutBuffer {
public:
    static constexpr std::size_t default_capacity = 4096;

    explicit TextOutBuffer(std::string_view initial = {})
        : bytes_(std::max(default_capacity, initial.size() + 1), '\0') {
        std::copy(initial.begin(), initial.end(), bytes_.begin());
    }

    char* data() { return bytes_.data(); }
    std::size_t capacity() const { return bytes_.size(); }

    // The answer: everything before the first NUL.
    std::string text() {
        bytes_.back() = '\0';
        return std::string(bytes_.data());
    }

private:
    std::vector<char> bytes_;
};

}  // namespace tov::services
