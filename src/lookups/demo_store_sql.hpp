#pragma once
// The SQL the demo store is built from, compiled into the library from data/store/schema.sql and
// data/store/demo_rows.sql (the definitions are written at build time by cmake/EmbedText.cmake),
// so the library builds its demo store wherever it is installed and reads no file of the
// sources. The texts are the files' exact bytes (the rows are Windows-1252).

#include <string_view>

namespace tov::lookups {

std::string_view demo_store_schema_sql();
std::string_view demo_store_rows_sql();

}  // namespace tov::lookups
