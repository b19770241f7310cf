#pragma once
// The database components of the data module that the database layer has no class for: the
// providers, which turn their query's open result into a data packet, and the dialect storage,
// which keeps a query's statement in its variants by database.

#include <string>

#include "platform/db/provider.hpp"
#include "platform/db/query.hpp"
#include "platform/db/sql_storage.hpp"

namespace tov::package {

class DataSetProvider {
public:
    explicit DataSetProvider(const db::Query& dataset) : dataset_(dataset) {}

    const db::Query& DataSet() const { return dataset_; }
    // The binary packet of the query's open result. Throws tov::DatabaseError when it is closed.
    std::string Data() const { return db::provide_packet(dataset_); }

private:
    const db::Query& dataset_;
};

class AdoSqlStorage {
public:
    AdoSqlStorage(const db::Query& query, db::SqlStorage variants)
        : query_(query), variants_(std::move(variants)) {}

    const db::Query& ADOQuery() const { return query_; }
    const db::SqlStorage& variants() const { return variants_; }

private:
    const db::Query& query_;
    db::SqlStorage variants_;
};

}  // namespace tov::package
