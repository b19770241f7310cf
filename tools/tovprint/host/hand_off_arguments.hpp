#pragma once
// The arguments of a back-end call shown as text for a hand-off header.

#include <cstddef>
#include <cstdint>
#include <string>

#include "handoff/hand_off.hpp"
#include "tov00000/tov00000.h"

namespace tovprint {

HandOffArgument text_argument(const char* name, const char* text);  // quoted; NULL as ""
HandOffArgument integer_argument(const char* name, int64_t value);
HandOffArgument number_argument(const char* name, double value);
HandOffArgument boolean_argument(const char* name, int32_t value);
HandOffArgument size_argument(const char* name, std::size_t bytes);  // "N bytes"
HandOffArgument variants_argument(const char* name, const tov_variant* values, int32_t high);

// A text buffer (data, size) as the bytes it holds; NULL as empty.
std::string buffer_bytes(const char* data, std::size_t size);

}  // namespace tovprint
