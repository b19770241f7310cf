#pragma once
// The consumer statement over the package state. Unlike the other print functions it neither
// creates nor uses the data module: everything it prints comes from the host's datasets.

#include "package/package_state.hpp"
#include "statement/consumer_statement.hpp"

namespace tov::package {

statement::StatementOutcome print_consumer_statement(
    const PackageState& state, const statement::ConsumerStatementRequest& request);

}  // namespace tov::package
