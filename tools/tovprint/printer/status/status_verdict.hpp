#pragma once
// Whether the printer can print, from what its status answers say: it cannot when a known fact
// stops it; it can only when all four reads were answered and none does; otherwise its status is
// unknown. A fact worth telling that does not stop it (paper near its end) is a warning.

#include <string>
#include <string_view>
#include <vector>

#include "printer/status/status_facts.hpp"

namespace tovprint::status {

enum class Verdict { CanPrint, CannotPrint, Unknown };

std::string_view verdict_name(Verdict verdict);

struct StatusVerdict {
    Verdict verdict = Verdict::Unknown;
    std::vector<std::string> reasons;   // why it cannot print, or why its status is unknown
    std::vector<std::string> warnings;  // what does not stop it
};

StatusVerdict judge(const PrinterStatus& status);

}  // namespace tovprint::status
