#pragma once
// The line layout of the PAF-ECF identification report, by printer kind: this report keeps its
// own table and does not ask the printer configuration.

#include "services/line_layout.hpp"

namespace tov::reports {

// 48 columns with a line feed for the wide register models, 57 with line feed then carriage
// return for the widest, 46 with a line feed for kind 28, and 38 with a line feed for every other
// kind (negative and unknown kinds included).
services::LineLayout paf_line_layout(int printer_kind);

}  // namespace tov::reports
