#pragma once
// The data module TdtmGeral: the one container of the package's shared components, by their
// names: the message table, the client datasets the print functions load their packets into,
// and the database connection, queries, providers and dialect storage of the lookups.
// Building it opens nothing: the connection opens itself with the first query that opens, takes
// its whole connection string from the host's GetStringConexPld("") (the demo store when that
// is empty), hands itself to the host's SetADODBSession, and then stays open.

#include <array>
#include <string_view>

#include "lookups/sale_lookups.hpp"
#include "package/database_components.hpp"
#include "platform/dataset/client_dataset.hpp"
#include "platform/db/connection.hpp"
#include "platform/db/query.hpp"
#include "platform/format/format_settings.hpp"
#include "services/host_services.hpp"
#include "services/messages.hpp"

namespace tov::package {

class TdtmGeral {
public:
    static constexpr std::size_t component_count = 27;
    // adcParcial's connection string until it first connects.
    static constexpr std::string_view provider_at_rest = "Provider=MSDAORA.1";

    // host: the services the connection events call, read at the moment the connection opens;
    // it must outlive the data module.
    TdtmGeral(const format::FormatSettings& settings, const services::HostServices& host);
    TdtmGeral(const TdtmGeral&) = delete;
    TdtmGeral& operator=(const TdtmGeral&) = delete;

    // The component names in declaration order, which is also the order of creation.
    static const std::array<std::string_view, component_count>& components();

    // Hands new regional settings to every client dataset.
    void SetFormatSettings(const format::FormatSettings& settings);

    // The connection events: the whole connection string from the host (or the demo store's),
    // and the new connection handed to the host's session set-up.
    void adcParcialBeforeConnect(db::Connection& sender);
    void adcParcialAfterConnect(db::Connection& sender);

    // The eight lookups over this module's queries; a failure's text from the host's
    // ADOExceptionMessage(error, adcParcial, "").
    lookups::SaleLookups& lookups() { return lookups_; }

    services::TMessages msgPadrao;
    dataset::ClientDataSet cdsParcProdutos;
    dataset::ClientDataSet cdsProdCupTroca;
    dataset::ClientDataSet cdsTipoReceHomolog;
    dataset::ClientDataSet cdsDadosPaf;
    dataset::ClientDataSet cdsBuscaNrSerieEcf;
    dataset::ClientDataSet cdsArquivosPldMd5;
    db::Connection adcParcial;
    DataSetProvider dspSaldocons;
    dataset::ClientDataSet cdsSaldocons;
    db::Query adqSaldoCons;
    db::Query adqCaixa;
    DataSetProvider dspCaixa;
    dataset::ClientDataSet cdsCaixa;
    dataset::ClientDataSet cdsVendasVendedor;
    db::Query adqTextParcCont;
    AdoSqlStorage assCaixa;
    db::Query adqComandaFid;
    dataset::ClientDataSet cdsParametrosPld;
    db::Query adqNMCONSUMIDOR;
    db::Query adqNMCONSUMIDORposicao;
    db::Query adqDescCash4All;
    db::Query adqDescCashUds;
    db::Query adqMovCaixaMob;
    DataSetProvider dspMovCaixaMob;
    dataset::ClientDataSet cdsMovCaixaMob;
    db::Query adqDescCoreBanc;

private:
    const services::HostServices& host_;
    lookups::SaleLookups lookups_;
};

}  // namespace tov::package
