#include "platform/db/sql_storage.hpp"

#include <algorithm>

namespace tov::db {

SqlStorage& SqlStorage::with(Dialect dialect, std::string sql,
                             std::vector<Column> declared_columns) {
    SqlVariant variant{std::move(sql), std::move(declared_columns)};
    auto found = std::find_if(variants_.begin(), variants_.end(),
                              [&](const auto& entry) { return entry.first == dialect; });
    if (found != variants_.end())
        found->second = std::move(variant);
    else
        variants_.emplace_back(dialect, std::move(variant));
    return *this;
}

const SqlVariant& SqlStorage::for_dialect(Dialect dialect) const {
    auto found = std::find_if(variants_.begin(), variants_.end(),
                              [&](const auto& entry) { return entry.first == dialect; });
    return found != variants_.end() ? found->second : default_;
}

}  // namespace tov::db
