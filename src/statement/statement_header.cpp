#include "statement/statement_header.hpp"

#include "statement/statement_lines.hpp"

namespace tov::statement {
namespace {

void write_plain_printer_header(StatementRun& run) {
    const auto& request = run.request;
    run.text.line("");
    run.text.line(separator(run.width));
    run.text.line(store_line(request.stFilial, run.width));
    run.text.line("");
    run.text.line(separator(run.width));
    run.text.line(till_line(request.stCaixa, run.context.host.Now(), run.settings()));
    run.text.line(separator(run.width));
    run.text.line("");
}

}  // namespace

void write_header(StatementRun& run) {
    const auto& request = run.request;
    if (request.boUtilizaImpFis) {
        run.context.backend.Cabecalho(request.stCdFilial, request.stEsquemaCor, request.stFilial,
                                      request.stCaixa);
    } else {
        write_plain_printer_header(run);
    }
    run.text.line(customer_line(request.cdsExtrato.FieldByName("CDCLIENTE").AsString()));
    run.text.line(consumer_line(request.stConsumidor, request.stNmConsumidor));
}

}  // namespace tov::statement
