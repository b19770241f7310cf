#pragma once
// The printer table the package falls back on, compiled into the library from data/printers.conf
// (the definition is written at build time by cmake/EmbedText.cmake): the file's exact text.

#include <string_view>

namespace tov::services {

std::string_view built_in_printer_table();

}  // namespace tov::services
