#pragma once
// Arguments as they cross the C ABI: texts that may be NULL, packets as pointer and size, texts
// handed back in the caller's buffer, host datasets behind their opaque handle.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dataset/client_dataset.hpp"
#include "platform/format/format_settings.hpp"
#include "tov00000/tov00000.h"

// The host's client dataset behind the opaque handle of the C header.
struct tov_dataset {
    tov::dataset::ClientDataSet data;
};

namespace tov::package {

// A NUL-terminated text argument; NULL counts as empty.
std::string text_argument(const char* text);

// An amount argument: a NaN or an infinity would print as NAN or INF on a receipt, so it is an
// ArgumentError naming the parameter.
double amount_argument(double value, std::string_view name);

// A packet argument; a NULL pointer with a nonzero size is an ArgumentError naming the parameter.
std::string_view packet_argument(const void* data, std::size_t size, std::string_view name);

// The handle's dataset; a NULL handle is an ArgumentError.
dataset::ClientDataSet& dataset_of(tov_dataset* handle);

// Copies the answer with its NUL into the caller's buffer. Throws BufferError, leaving the buffer
// unchanged, when it does not fit; a NULL buffer is an ArgumentError naming the parameter.
void copy_text_out(std::string_view answer, char* out, std::size_t capacity, std::string_view name);

// Writes a Boolean result as 0 or 1 into an out parameter the host may leave NULL.
inline void store_flag(int32_t* out, bool value) {
    if (out != nullptr) *out = value ? 1 : 0;
}

// The host's regional settings, checked: a struct_size short of version 1.0's or a NULL text
// member is an ArgumentError naming it.
format::FormatSettings settings_from(const tov_format_settings& settings);

}  // namespace tov::package
