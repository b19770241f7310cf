#include "package/data_module.hpp"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tov::package {
namespace {

AdoQuery query(std::string name, std::vector<std::string> parameter_names) {
    return AdoQuery{std::move(name), std::move(parameter_names)};
}

}  // namespace

TdtmGeral::TdtmGeral(const format::FormatSettings& settings)
    : msgPadrao(services::make_standard_messages()),
      cdsParcProdutos(settings),
      cdsProdCupTroca(settings),
      cdsTipoReceHomolog(settings),
      cdsDadosPaf(settings),
      cdsBuscaNrSerieEcf(settings),
      cdsArquivosPldMd5(settings),
      adcParcial{"adcParcial"},
      dspSaldocons{"dspSaldocons", "adqSaldoCons"},
      cdsSaldocons(settings),
      adqSaldoCons(query("adqSaldoCons", {"P_CDFILIAL", "P_NRCOMANDA"})),
      adqCaixa(query("adqCaixa", {"P_CDCAIXA", "P_DATA"})),
      dspCaixa{"dspCaixa", "adqCaixa"},
      cdsCaixa(settings),
      cdsVendasVendedor(settings),
      adqTextParcCont(query("adqTextParcCont", {"P_CDFILIAL", "P_CDCAIXA"})),
      assCaixa{"assCaixa", "adqCaixa"},
      adqComandaFid(query("adqComandaFid", {"P_CDFILIAL", "P_NRCOMANDA"})),
      cdsParametrosPld(settings),
      adqNMCONSUMIDOR(query("adqNMCONSUMIDOR", {"P_NRVENDAREST", "P_NRCOMANDA"})),
      adqNMCONSUMIDORposicao(
          query("adqNMCONSUMIDORposicao", {"P_NRVENDAREST", "P_NRCOMANDA", "P_NRLUGARMESA"})),
      adqDescCash4All(query("adqDescCash4All", {"P_CDFILIAL", "P_NRCOMANDA"})),
      adqDescCashUds(query("adqDescCashUds", {"P_CDFILIAL", "P_NRCOMANDA"})),
      adqMovCaixaMob(
          query("adqMovCaixaMob", {"P_CDFILIAL", "P_NRVENDAREST", "P_NRLUGARMESA"})),
      dspMovCaixaMob{"dspMovCaixaMob", "adqMovCaixaMob"},
      cdsMovCaixaMob(settings),
      adqDescCoreBanc(query("adqDescCoreBanc", {"P_CDFILIAL", "P_NRCOMANDA"})) {}

void TdtmGeral::SetFormatSettings(const format::FormatSettings& settings) {
    for (dataset::ClientDataSet* client :
         {&cdsParcProdutos, &cdsProdCupTroca, &cdsTipoReceHomolog, &cdsDadosPaf,
          &cdsBuscaNrSerieEcf, &cdsArquivosPldMd5, &cdsSaldocons, &cdsCaixa, &cdsVendasVendedor,
          &cdsParametrosPld, &cdsMovCaixaMob}) {
        client->SetFormatSettings(settings);
    }
}

const std::array<std::string_view, TdtmGeral::component_count>& TdtmGeral::components() {
    static constexpr std::array<std::string_view, component_count> names = {
        "msgPadrao",       "cdsParcProdutos",        "cdsProdCupTroca",   "cdsTipoReceHomolog",
        "cdsDadosPaf",     "cdsBuscaNrSerieEcf",     "cdsArquivosPldMd5", "adcParcial",
        "dspSaldocons",    "cdsSaldocons",           "adqSaldoCons",      "adqCaixa",
        "dspCaixa",        "cdsCaixa",               "cdsVendasVendedor", "adqTextParcCont",
        "assCaixa",        "adqComandaFid",          "cdsParametrosPld",  "adqNMCONSUMIDOR",
        "adqNMCONSUMIDORposicao", "adqDescCash4All", "adqDescCashUds",    "adqMovCaixaMob",
        "dspMovCaixaMob",  "cdsMovCaixaMob",         "adqDescCoreBanc",
    };
    return names;
}

}  // namespace tov::package
