#pragma once
// A printer that cannot be reached, does not take the bytes in time, or drops the connection.
// The message names the printer as the user gave it.

#include <chrono>
#include <stdexcept>
#include <string>

namespace tovprint {

class PrinterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "10 s", "0.5 s": a time limit in messages.
inline std::string seconds_text(std::chrono::milliseconds time) {
    std::string text = std::to_string(time.count() / 1000);
    if (const auto fraction = time.count() % 1000; fraction != 0) {
        std::string digits = std::to_string(1000 + fraction).substr(1);
        while (digits.back() == '0') digits.pop_back();
        text += "." + digits;
    }
    return text + " s";
}

}  // namespace tovprint
