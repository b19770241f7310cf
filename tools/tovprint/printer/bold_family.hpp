#pragma once
// How a printer reads the package's bold codes, which it passes on untouched:
//   esc-e-n  ESC E n turns bold on when n is odd and off when it is even (ESC/POS); the byte
//            after ESC E is its parameter, whatever it is; ESC F is no command;
//   esc-e-f  ESC E turns bold on and ESC F turns it off; neither takes a parameter.

#include <optional>
#include <string_view>

namespace tovprint {

enum class BoldFamily { EscEN, EscEF };

inline std::string_view bold_family_name(BoldFamily family) {
    return family == BoldFamily::EscEN ? "esc-e-n" : "esc-e-f";
}

inline std::optional<BoldFamily> bold_family_named(std::string_view name) {
    if (name == "esc-e-n") return BoldFamily::EscEN;
    if (name == "esc-e-f") return BoldFamily::EscEF;
    return std::nullopt;
}

}  // namespace tovprint
