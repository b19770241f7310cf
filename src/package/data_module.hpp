#pragma once
// The data module TdtmGeral: the one container of the package's shared components, by their
// names: the message table, the client datasets the print functions load their packets into,
// and the database connection, queries, providers and dialect storage of the lookups.

#include <array>
#include <string_view>

#include "package/database_components.hpp"
#include "platform/dataset/client_dataset.hpp"
#include "platform/format/format_settings.hpp"
#include "services/messages.hpp"

namespace tov::package {

class TdtmGeral {
public:
    static constexpr std::size_t component_count = 27;

    explicit TdtmGeral(const format::FormatSettings& settings);
    TdtmGeral(const TdtmGeral&) = delete;
    TdtmGeral& operator=(const TdtmGeral&) = delete;

    // The component names in declaration order, which is also the order of creation.
    static const std::array<std::string_view, component_count>& components();

    // Hands new regional settings to every client dataset.
    void SetFormatSettings(const format::FormatSettings& settings);

    services::TMessages msgPadrao;
    dataset::ClientDataSet cdsParcProdutos;
    dataset::ClientDataSet cdsProdCupTroca;
    dataset::ClientDataSet cdsTipoReceHomolog;
    dataset::ClientDataSet cdsDadosPaf;
    dataset::ClientDataSet cdsBuscaNrSerieEcf;
    dataset::ClientDataSet cdsArquivosPldMd5;
    AdoConnection adcParcial;
    DataSetProvider dspSaldocons;
    dataset::ClientDataSet cdsSaldocons;
    AdoQuery adqSaldoCons;
    AdoQuery adqCaixa;
    DataSetProvider dspCaixa;
    dataset::ClientDataSet cdsCaixa;
    dataset::ClientDataSet cdsVendasVendedor;
    AdoQuery adqTextParcCont;
    SqlStorage assCaixa;
    AdoQuery adqComandaFid;
    dataset::ClientDataSet cdsParametrosPld;
    AdoQuery adqNMCONSUMIDOR;
    AdoQuery adqNMCONSUMIDORposicao;
    AdoQuery adqDescCash4All;
    AdoQuery adqDescCashUds;
    AdoQuery adqMovCaixaMob;
    DataSetProvider dspMovCaixaMob;
    dataset::ClientDataSet cdsMovCaixaMob;
    AdoQuery adqDescCoreBanc;
};

}  // namespace tov::package
