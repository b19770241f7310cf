#pragma once
// The status answers and the verdict as JSON, for `tovprint status --json`: every fact by name,
// null for a read the printer did not answer, and the bytes it answered.

#include <nlohmann/json.hpp>

#include "printer/status/status_facts.hpp"
#include "printer/status/status_verdict.hpp"

namespace tovprint::status {

nlohmann::json status_json(const PrinterStatus& status, const StatusVerdict& verdict);
nlohmann::json paper_json(const std::optional<PaperFacts>& paper);

}  // namespace tovprint::status
