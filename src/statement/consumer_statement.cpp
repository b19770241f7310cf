#include "statement/consumer_statement.hpp"

#include <exception>
#include <new>

#include "services/line_layout.hpp"
#include "services/text_helpers.hpp"
#include "statement/detailed_statement.hpp"
#include "statement/simple_statement.hpp"
#include "statement/statement_lines.hpp"
#include "statement/statement_run.hpp"

namespace tov::statement {
namespace {

constexpr int plain_printer_width = 44;

using services::LineLayout;

bool simple_layout_chosen(const ConsumerStatementRequest& request) {
    return request.cdsTipoExtCons.FieldByName("IDEMISEXTRSIMPL").AsString() == "S";
}

void require_entry_points(const ConsumerStatementRequest& request, bool simple,
                          const services::Backend& backend) {
    if (!request.boUtilizaImpFis) {
        backend.require({services::EntryPoint::ImprimePadrao});
    } else if (simple) {
        backend.require({services::EntryPoint::Cabecalho, services::EntryPoint::Usa_CompNFis,
                         services::EntryPoint::Extrato});
    } else {
        backend.require({services::EntryPoint::Cabecalho, services::EntryPoint::Extrato});
    }
}

// The current balances of the families from cdsSaldFam's current row to its end.
double total_balance(dataset::ClientDataSet& family_balances) {
    double total = 0;
    while (!family_balances.Eof()) {
        total += family_balances.FieldByName("SALDOFAM").AsFloat();
        family_balances.Next();
    }
    return total;
}

void write_total_and_closing_feed(StatementRun& run) {
    const double total = total_balance(run.request.cdsSaldFam);
    run.text.line(separator(run.width));
    run.text.line(total_line(total, run.width, run.settings()));
    run.text.append(closing_feed(run.request.stIdTipoImpNF, run.width, run.text.line_break()));
}

StatementOutcome hand_over(StatementRun& run) {
    const auto& request = run.request;
    const auto& backend = run.context.backend;
    if (request.boUtilizaImpFis) {
        if (backend.Extrato(run.text.text(), request.stEsquemaCor)) return {true, ""};
        return {false, "Extrato answered false"};
    }
    const std::string text = services::RemoveAcentos(run.text.text());
    if (backend.ImprimePadrao(request.stCdPortImpNF, request.stIdTipoImpNF, text)) {
        return {true, ""};
    }
    return {false, "ImprimePadrao answered false"};
}

StatementOutcome print(const ConsumerStatementRequest& request,
                       const services::DocumentContext& context) {
    const LineLayout layout =
        request.boUtilizaImpFis ? context.configured_line_layout(request.IdTipoImpFis, false, true)
                                : services::plain_printer_layout(plain_printer_width);
    const bool simple = simple_layout_chosen(request);
    require_entry_points(request, simple, context.backend);

    StatementRun run(request, context, layout.width, layout.line_break);
    run.item_lines_go_to_register = simple && request.boUtilizaImpFis;
    if (simple) {
        write_simple_statement(run);
    } else {
        write_detailed_statement(run);
    }
    if (!run.has_movements) return {false, "the statement has no movement to print"};
    write_total_and_closing_feed(run);
    return hand_over(run);
}

// A false result with the reason, or without it when there is no memory left to hold it.
StatementOutcome failed(const char* reason) noexcept {
    StatementOutcome outcome;
    try {
        outcome.reason = reason;
    } catch (...) {
        outcome.reason.clear();
    }
    return outcome;
}

}  // namespace

StatementOutcome Extrato(const ConsumerStatementRequest& request,
                         const services::DocumentContext& context) noexcept {
    try {
        return print(request, context);
    } catch (const std::bad_alloc&) {
        return failed("out of memory");
    } catch (const std::exception& failure) {
        return failed(failure.what());
    } catch (...) {
        return failed("unknown failure inside the statement");
    }
}

}  // namespace tov::statement
