#include "package/print_statement.hpp"

namespace tov::package {

statement::StatementOutcome print_consumer_statement(
    const PackageState& state, const statement::ConsumerStatementRequest& request) {
    const statement::StatementContext context{state.backend(), state.host(), state.settings()};
    return statement::Extrato(request, context);
}

}  // namespace tov::package
