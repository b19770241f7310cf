#pragma once
// Values of a variant array as they cross the C ABI, converted to what a print function takes.
// Every conversion names the element it reads (as "arParams[6] (IdTipoImpFis)"), so that a host
// can tell which of its values was wrong.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "tov00000/tov00000.h"

namespace tov::package {

// The array of `high + 1` elements (high is the index of the last one; -1 for an empty array).
// NULL with elements, or a high below -1, is an ArgumentError naming the parameter.
std::span<const tov_variant> variant_array(const tov_variant* values, int32_t high,
                                           std::string_view name);

// A text: TEXT as its bytes, INT as its decimal digits, EMPTY as "". Any other type is a
// ConversionError.
std::string variant_text(const tov_variant& value, std::string_view name);

// An integer: INT, a DOUBLE without a fraction, a TEXT of decimal digits with an optional sign,
// all within int32_t; EMPTY as 0. Anything else is a ConversionError.
int32_t variant_integer(const tov_variant& value, std::string_view name);

// A data packet's bytes: BYTES or TEXT. Any other type is a PacketError; the bytes are read as a
// packet by whoever loads them.
std::string_view variant_packet(const tov_variant& value, std::string_view name);

}  // namespace tov::package
