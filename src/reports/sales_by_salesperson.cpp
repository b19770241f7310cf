#include "reports/sales_by_salesperson.hpp"

#include <utility>

#include "platform/format/date_format.hpp"
#include "platform/format/float_format.hpp"
#include "services/document_text.hpp"
#include "services/line_layout.hpp"
#include "services/text_helpers.hpp"
#include "services/text_pieces.hpp"

namespace tov::reports {
namespace {

using services::Centraliza;
using services::PadL;
using services::Replicate;

constexpr int plain_printer_width = 42;
constexpr std::string_view amount_pattern = "#,000.00";

using services::LineLayout;

std::string amount(double value, const format::FormatSettings& settings) {
    return format::FormatFloat(amount_pattern, value, settings);
}

void write_header(services::DocumentText& report, const SalesBySalespersonRequest& request,
                  int width, const services::DocumentContext& context) {
    const std::string today = format::DateToStr(context.host.Now(), context.settings);
    report.line(Replicate("-", width - 1));
    report.line(Centraliza("Total de Vendas por Vendedor", width));
    report.line(Replicate("-", width));
    report.line(Centraliza("Filial " + request.stCdFilial + " - " + request.stNmFilial, width));
    report.line(Centraliza("Caixa " + request.stCdCaixa + " - " + request.stNmCaixa, width));
    report.line(Centraliza("Data: " + today, width));
    report.line(Replicate("-", width));
    report.line("Vlr.Total Vendas com Vendedor: " + amount(request.doVrTotGeral, context.settings));
}

void write_salespeople(services::DocumentText& report, dataset::ClientDataSet& sales, int width,
                       const format::FormatSettings& settings) {
    sales.First();
    while (!sales.Eof()) {
        report.line(Replicate("-", width));
        report.line("Vendedor: " + sales.FieldByName("CDVENDEDOR").AsString() + " - " +
                    sales.FieldByName("NMRAZSOCVEN").AsString());
        report.line("Vlr.Total do Vendedor: " +
                    PadL(amount(sales.FieldByName("VRTOTVENDEDOR").AsFloat(), settings), 8));
        report.line("Vlr.Total de Repique : " +
                    PadL(amount(sales.FieldByName("VRREPIQUEVENDA").AsFloat(), settings), 8));
        sales.Next();
    }
}

std::string compose(const SalesBySalespersonRequest& request, dataset::ClientDataSet& sales,
                    const LineLayout& layout, const services::DocumentContext& context) {
    services::DocumentText report(layout.line_break);
    write_header(report, request, layout.width, context);
    sales.SetData(request.P_VENDASVENDEDOR);
    write_salespeople(report, sales, layout.width, context.settings);
    report.line(Replicate("-", layout.width));
    report.line("");
    report.line("");
    return report.text();
}

void print_on_fiscal_register(const SalesBySalespersonRequest& request,
                              dataset::ClientDataSet& sales,
                              const services::DocumentContext& context) {
    const auto& backend = context.backend;
    backend.require({services::EntryPoint::Relatorio_Gerencial_Imp,
                     services::EntryPoint::Usa_CompNFis, services::EntryPoint::FechRelatGerenc});
    const LineLayout layout = context.configured_line_layout(request.IdTipoImpFis, false, true);
    backend.Relatorio_Gerencial_Imp(request.stEsquemaCor, request.stCdFilial, request.stCdCaixa);
    const std::string text = compose(request, sales, layout, context);
    for (const auto& piece :
         services::pieces_of_whole_lines_at_least(text, services::management_report_piece_min)) {
        backend.Usa_CompNFis(request.stEsquemaCor, piece);
    }
    backend.FechRelatGerenc(request.stEsquemaCor, true);
}

void print_on_plain_printer(const SalesBySalespersonRequest& request, dataset::ClientDataSet& sales,
                            const services::DocumentContext& context) {
    context.backend.require({services::EntryPoint::ImprimePadrao});
    const std::string text =
        compose(request, sales, services::plain_printer_layout(plain_printer_width), context);
    context.backend.ImprimePadrao(request.stCdPortImpNF, request.stIdTipoImpNF, text);
}

}  // namespace

bool RelatorioVendedor(const SalesBySalespersonRequest& request,
                       dataset::ClientDataSet& cdsVendasVendedor,
                       const services::DocumentContext& context) {
    if (request.boUtilizaImpFis) {
        print_on_fiscal_register(request, cdsVendasVendedor, context);
    } else {
        print_on_plain_printer(request, cdsVendasVendedor, context);
    }
    return true;
}

}  // namespace tov::reports
