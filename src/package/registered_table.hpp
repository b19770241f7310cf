#pragma once
// A table the host registers (tov_backend, tov_host, tov_format_settings) read by its struct_size:
// the members the size covers are copied, those beyond it (a host compiled with an older header)
// stay zero, and a bigger size (a newer host) is read up to the members this package knows. A size
// that does not reach the table's last 1.0 member is refused.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/errors/errors.hpp"

namespace tov::package {

template <class Table>
Table registered_table(const Table& host_table, std::size_t size_1_0, std::string_view name) {
    const std::size_t size = host_table.struct_size;
    if (size < size_1_0) {
        throw ArgumentError(std::string(name) + ": struct_size is " + std::to_string(size) +
                            " but the structure of version 1.0 takes " + std::to_string(size_1_0) +
                            " bytes (set struct_size to sizeof(" + std::string(name) + "))");
    }
    Table table{};
    std::memcpy(&table, &host_table, std::min(size, sizeof(Table)));
    table.struct_size = sizeof(Table);
    return table;
}

}  // namespace tov::package
