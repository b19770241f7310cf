#include "bill/item_lines.hpp"

#include <string>

#include "bill/amount_limits.hpp"
#include "bill/item_filters.hpp"
#include "bill/item_states.hpp"
#include "platform/format/float_format.hpp"
#include "services/text_helpers.hpp"
#include "services/trunc2.hpp"

namespace tov::bill {
namespace {

using dataset::ClientDataSet;
using services::EmptyString;
using services::TamFixo;
using services::Trunc2;

constexpr int code_column_width = 20;
constexpr int adjustment_label_width = 20;
constexpr int quantity_decimals = 3;
constexpr int price_decimals = 2;
constexpr int fixed_precision = 15;

// One row of the items, read once.
struct Item {
    std::string NMPRODUTO;
    std::string code;  // the register's product code, else the product tree code
    double QTPRODCOMVEN = 0;
    double VRPRECCOMVEN = 0;
    double VRDESCCOMVEN = 0;
    double VRACRCOMVEN = 0;
    std::string NRMESADSCOMORIT;
    bool cancelled = false;
    bool charged_service = false;
};

std::string text_of(const ClientDataSet& items, std::string_view field) {
    return items.FieldByName(field).AsString();
}

double number_of(const ClientDataSet& items, std::string_view field) {
    return items.FieldByName(field).AsFloat();
}

std::string product_code(const ClientDataSet& items, bool fiscal) {
    if (!fiscal) return {};
    const std::string registered = text_of(items, "CDPRODIMPFIS");
    return EmptyString(registered) ? text_of(items, "CDARVPROD") : registered;
}

Item current_item(const ClientDataSet& items, bool fiscal) {
    Item item;
    item.NMPRODUTO = text_of(items, "NMPRODUTO");
    item.code = product_code(items, fiscal);
    item.QTPRODCOMVEN = number_of(items, "QTPRODCOMVEN");
    item.VRPRECCOMVEN = number_of(items, "VRPRECCOMVEN");
    item.VRDESCCOMVEN = number_of(items, "VRDESCCOMVEN");
    item.VRACRCOMVEN = number_of(items, "VRACRCOMVEN");
    item.NRMESADSCOMORIT = text_of(items, "NRMESADSCOMORIT");
    item.cancelled = is_cancelled_state(text_of(items, "IDSTPRCOMVEN"));
    item.charged_service = text_of(items, "IDCOBTXSERV") == "S";
    return item;
}

void sort_by_seat(ClientDataSet& items) {
    items.SetIndexName("");
    items.ClearIndexDefs();
    items.AddIndex("Indice", "NRLUGARMESA;NRPRODCOMVEN", {.case_insensitive = true});
    items.SetIndexName("Indice");
    items.First();
}

void filter_listed_items(BillRun& run) {
    ClientDataSet& items = run.items();
    items.SetFiltered(false);
    items.SetFilter(run.boImprimeFiscal ? fiscal_item_filter(run.request)
                                        : non_fiscal_item_filter(run.request));
    items.SetFiltered(true);
}

bool headed_by_seat(const TableBillRequest& request) {
    return groups_items_by_seat(request);
}

// The first heading of the call comes without a blank line; every later one, in this seat bill
// or a later one, with a separator and a line holding one blank.
void write_seat_heading(BillRun& run) {
    const std::string seat = services::Ajusta(text_of(run.items(), "NRLUGARMESA"), 2);
    if (run.stAtual.empty()) {
        run.stAtual = seat;
        run.separator();
        run.line("Posicao " + run.stAtual);
    }
    if (run.stAtual != seat) {
        run.stAtual = seat;
        run.separator();
        run.line(" ");
        run.line("Posicao " + run.stAtual);
    }
}

void write_quantity(BillRun& run, const Item& item, double doPrecoProduto) {
    require_printable_amount(item.QTPRODCOMVEN, "the quantity QTPRODCOMVEN of an item in DADOS");
    require_printable_amount(item.VRPRECCOMVEN, "the price VRPRECCOMVEN of an item in DADOS");
    const std::string stTexto =
        format::FloatToStrF(item.QTPRODCOMVEN, format::FloatFormat::Fixed, fixed_precision,
                            quantity_decimals, run.settings()) +
        "   X " +
        format::FloatToStrF(item.VRPRECCOMVEN, format::FloatFormat::Fixed, fixed_precision,
                            price_decimals, run.settings());
    run.amount_line(stTexto, doPrecoProduto);
}

// The discount line, then the surcharge line, each with the item's amount so far.
void write_adjustments(BillRun& run, const Item& item) {
    double doValorParcial = item.QTPRODCOMVEN * item.VRPRECCOMVEN;
    if (item.VRDESCCOMVEN > 0) {
        doValorParcial -= item.VRDESCCOMVEN;
        run.amount_line(
            TamFixo("desconto", adjustment_label_width) + "-" + run.amount(item.VRDESCCOMVEN),
            doValorParcial);
    }
    if (item.VRACRCOMVEN > 0) {
        doValorParcial += item.VRACRCOMVEN;
        run.amount_line(
            TamFixo("acr\xe9scimo", adjustment_label_width) + "+" + run.amount(item.VRACRCOMVEN),
            doValorParcial);
    }
}

void write_item(BillRun& run, const Item& item) {
    const double doPrecoProduto = Trunc2(item.VRPRECCOMVEN * item.QTPRODCOMVEN);
    const std::string stProduto =
        run.boImprimeFiscal ? TamFixo(item.code, code_column_width) + " " : std::string();
    run.line(stProduto + item.NMPRODUTO);
    write_quantity(run, item, doPrecoProduto);
    write_adjustments(run, item);
    if (!EmptyString(item.NRMESADSCOMORIT)) {
        run.line(run.Msg("Transf_Mesa") + " " + item.NRMESADSCOMORIT);
    }
    if (item.cancelled) {
        run.line(run.Msg("Cancelado"));
        return;
    }
    run.doTotalProduto += doPrecoProduto;
    if (item.charged_service) {
        run.doVrBaseTaxa +=
            Trunc2(item.QTPRODCOMVEN * item.VRPRECCOMVEN) - item.VRDESCCOMVEN + item.VRACRCOMVEN;
    }
}

}  // namespace

void write_item_lines(BillRun& run) {
    ClientDataSet& items = run.items();
    sort_by_seat(items);
    run.doTotalProduto = 0;
    run.doVrBaseTaxa = 0;
    filter_listed_items(run);
    if (run.request.IdLugarMesa != "S") run.separator();
    for (; !items.Eof(); items.Next()) {
        if (headed_by_seat(run.request)) write_seat_heading(run);
        write_item(run, current_item(items, run.boImprimeFiscal));
    }
}

}  // namespace tov::bill
