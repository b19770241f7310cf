#include "package/data_module.hpp"

#include <initializer_list>
#include <string>

#include "lookups/demo_store.hpp"
#include "lookups/statements.hpp"

namespace tov::package {

TdtmGeral::TdtmGeral(const format::FormatSettings& settings, const services::HostServices& host)
    : msgPadrao(services::make_standard_messages()),
      cdsParcProdutos(settings),
      cdsProdCupTroca(settings),
      cdsTipoReceHomolog(settings),
      cdsDadosPaf(settings),
      cdsBuscaNrSerieEcf(settings),
      cdsArquivosPldMd5(settings),
      adcParcial(),
      dspSaldocons(adqSaldoCons),
      cdsSaldocons(settings),
      adqSaldoCons(lookups::make_saldo_cons_query(adcParcial)),
      adqCaixa(lookups::make_caixa_query(adcParcial)),
      dspCaixa(adqCaixa),
      cdsCaixa(settings),
      cdsVendasVendedor(settings),
      adqTextParcCont(lookups::make_text_parc_cont_query(adcParcial)),
      assCaixa(adqCaixa, lookups::caixa_statement()),
      adqComandaFid(lookups::make_comanda_fid_query(adcParcial)),
      cdsParametrosPld(settings),
      adqNMCONSUMIDOR(lookups::make_nm_consumidor_query(adcParcial)),
      adqNMCONSUMIDORposicao(lookups::make_nm_consumidor_posicao_query(adcParcial)),
      adqDescCash4All(lookups::make_desc_cash4all_query(adcParcial)),
      adqDescCashUds(lookups::make_desc_cash_uds_query(adcParcial)),
      adqMovCaixaMob(lookups::make_mov_caixa_mob_query(adcParcial)),
      dspMovCaixaMob(adqMovCaixaMob),
      cdsMovCaixaMob(settings),
      adqDescCoreBanc(lookups::make_desc_core_banc_query(adcParcial)),
      host_(host),
      lookups_(adcParcial,
               lookups::LookupQueries{adqSaldoCons, adqCaixa, adqTextParcCont, adqComandaFid,
                                      adqNMCONSUMIDOR, adqNMCONSUMIDORposicao, adqDescCash4All,
                                      adqDescCashUds, adqMovCaixaMob, adqDescCoreBanc},
               [this](const std::exception& error, db::Connection& connection) {
                   return host_.ADOExceptionMessage(error.what(), &connection, "");
               }) {
    // At rest the connection names the Oracle provider; before-connect replaces the whole string.
    adcParcial.set_connection_string(std::string(provider_at_rest));
    adcParcial.set_before_connect(
        [this](db::Connection& sender) { adcParcialBeforeConnect(sender); });
    adcParcial.set_after_connect(
        [this](db::Connection& sender) { adcParcialAfterConnect(sender); });
}

void TdtmGeral::adcParcialBeforeConnect(db::Connection& sender) {
    sender.set_connection_string(lookups::connection_string_or_demo_store(
        host_.GetStringConexPld(""), lookups::DemoStore{}));
}

void TdtmGeral::adcParcialAfterConnect(db::Connection& sender) {
    host_.SetADODBSession(&sender);
}

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
        "msgPadrao",          "cdsParcProdutos", "cdsProdCupTroca",
        "cdsTipoReceHomolog", "cdsDadosPaf",     "cdsBuscaNrSerieEcf",
        "cdsArquivosPldMd5",  "adcParcial",      "dspSaldocons",
        "cdsSaldocons",       "adqSaldoCons",    "adqCaixa",
        "dspCaixa",           "cdsCaixa",        "cdsVendasVendedor",
        "adqTextParcCont",    "assCaixa",        "adqComandaFid",
        "cdsParametrosPld",   "adqNMCONSUMIDOR", "adqNMCONSUMIDORposicao",
        "adqDescCash4All",    "adqDescCashUds",  "adqMovCaixaMob",
        "dspMovCaixaMob",     "cdsMovCaixaMob",  "adqDescCoreBanc",
    };
    return names;
}

}  // namespace tov::package
