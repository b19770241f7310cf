#include "coupon/exchange_coupon.hpp"

#include <utility>

#include "platform/format/float_format.hpp"
#include "services/document_text.hpp"
#include "services/text_helpers.hpp"

namespace tov::coupon {
namespace {

using services::Ajusta;
using services::Centraliza;
using services::EmptyString;
using services::Replicate;
using services::TamFixo;
using services::TamFixoR;

// The product columns: code, name, quantity with unit; 48 columns whatever the line width.
constexpr int code_columns = 12;
constexpr int name_columns = 28;
constexpr int quantity_columns = 8;
constexpr int coupon_number_digits = 6;

// What the printer configuration delivers for the coupon: its layout and the coupon number.
struct CouponLayout {
    int width = 0;
    std::string line_break;
    std::string stNrCupom;
};

// The sale type "B", written exactly so, asks the configuration with its first flag false.
bool first_configuration_flag(const std::string& stTipVen) {
    return stTipVen != "B";
}

// Nr_Cupom first, then the configuration, which receives the number and may change it: the
// coupon prints whatever number the configuration leaves.
CouponLayout coupon_layout(const ExchangeCouponRequest& request,
                           const services::DocumentContext& context) {
    std::string stNrCupom;
    context.backend.Nr_Cupom(stNrCupom);
    auto configuration =
        services::configure_printer(context.host, request.IdTipoImpFis,
                                    first_configuration_flag(request.stTipVen), true, stNrCupom);
    services::checked_line_width(
        configuration.layout.width,
        services::service_of_kind("ConfiguraImpressora", request.IdTipoImpFis));
    return CouponLayout{configuration.layout.width, std::move(configuration.layout.line_break),
                        std::move(configuration.stNrCupom)};
}

void write_heading(services::DocumentText& coupon, int width, const services::TMessages& messages) {
    coupon.line(Replicate("-", width - 1));
    coupon.line(Centraliza(messages.Msg("CUP_TROC"), width));
    coupon.line(Replicate(" ", width - 1));
    coupon.line(TamFixo(messages.Msg("Codigo"), code_columns) +
                TamFixo(messages.Msg("Nome"), name_columns) +
                TamFixoR(messages.Msg("Qtde_"), quantity_columns));
}

// The code the register knows the product by, else its second code.
std::string product_code(const dataset::ClientDataSet& products) {
    const std::string fiscal_code = products.FieldByName("CDPRODIMPFIS").AsString();
    if (EmptyString(fiscal_code)) return products.FieldByName("CDARVPROD").AsString();
    return fiscal_code;
}

void write_products(services::DocumentText& coupon, dataset::ClientDataSet& products) {
    products.First();
    while (!products.Eof()) {
        const std::string quantity = products.FieldByName("QTPRODCOMVEN").AsString() +
                                     products.FieldByName("SGUNIDADE").AsString();
        coupon.line(TamFixo(product_code(products), code_columns) +
                    TamFixo(products.FieldByName("NMPRODUTO").AsString(), name_columns) +
                    TamFixoR(quantity, quantity_columns));
        products.Next();
    }
}

void write_sale(services::DocumentText& coupon, const ExchangeCouponRequest& request,
                const CouponLayout& layout, const services::TMessages& messages) {
    coupon.line(Replicate("-", layout.width - 1));
    coupon.line(messages.Msg("NR_CUP") + Ajusta(layout.stNrCupom, coupon_number_digits));
    if (!EmptyString(request.stNmConsumidor)) coupon.line(request.stNmConsumidor);
    if (!EmptyString(request.stCpfCnpjCon)) coupon.line(request.stCpfCnpjCon);
}

void write_period(services::DocumentText& coupon, double days, int width,
                  const services::DocumentContext& context) {
    const services::TMessages& messages = context.messages;
    coupon.line(Replicate(" ", width - 1));
    coupon.line(Centraliza(messages.Msg("CUP_PRAZO") + " " +
                               format::FloatToStr(days, context.settings) + " " +
                               messages.Msg("DIAS"),
                           width));
    coupon.line(Replicate(" ", width - 1));
}

std::string compose(const ExchangeCouponRequest& request, dataset::ClientDataSet& products,
                    const CouponLayout& layout, const services::DocumentContext& context) {
    products.SetData(request.oleProdutos);
    services::DocumentText coupon(layout.line_break);
    write_heading(coupon, layout.width, context.messages);
    write_products(coupon, products);
    write_sale(coupon, request, layout, context.messages);
    write_period(coupon, request.doNrDias, layout.width, context);
    return coupon.text();
}

}  // namespace

bool CupomTroca(const ExchangeCouponRequest& request, dataset::ClientDataSet& cdsProdCupTroca,
                const services::DocumentContext& context) {
    context.backend.require({services::EntryPoint::Nr_Cupom, services::EntryPoint::Cupom_Troca});
    const CouponLayout layout = coupon_layout(request, context);
    const std::string text = compose(request, cdsProdCupTroca, layout, context);
    return context.backend.Cupom_Troca(request.stEsquemaCor, request.stCdFilial, request.stCdCaixa,
                                       text);
}

}  // namespace tov::coupon
