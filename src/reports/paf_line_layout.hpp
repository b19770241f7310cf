#pragma once
// The line layout of the PAF-ECF identification report, by printer kind: this report keeps its
// own table and does not ask the printer configuration.

#include <string>

namespace tov::reports {

struct PafLineLayout {
    int width;               // characters per line, rules included
    std::string line_break;  // closes every line
};

// 48 columns with a line feed for the wide register models, 57 with line feed then carriage
// return for the widest, 46 with a line feed for kind 28, and 38 with a line feed for every other
// kind (negative and unknown kinds included).
PafLineLayout paf_line_layout(int printer_kind);

}  // namespace tov::reports
