// The C++ API of the host datasets, the consumer statement and the PAF-ECF identification
// report, under the package lock like the rest of the C++ API.

#include <memory>
#include <mutex>

#include "package/abi_arguments.hpp"
#include "package/package_state.hpp"
#include "package/print_paf_identification.hpp"
#include "package/print_statement.hpp"
#include "tov00000/tov00000.hpp"

namespace tov {

void DataSetFree::operator()(tov_dataset* ds) const noexcept {
    std::unique_ptr<tov_dataset> owned(ds);
}

DataSet OpenDataSet(std::string_view packet) {
    auto& state = package::package_state();
    const std::lock_guard lock(state.mutex());
    auto opened =
        std::make_unique<tov_dataset>(tov_dataset{dataset::ClientDataSet(state.settings())});
    opened->data.SetData(packet);
    return DataSet(opened.release());
}

StatementResult Extrato(bool boUtilizaImpFis, const std::string& stCdFilial,
                        const std::string& stEsquemaCor, const std::string& stIdTipoImpNF,
                        const std::string& stCdPortImpNF, tov_dataset& cdsTipoExtCons,
                        tov_dataset& cdsSaldoConsExt, tov_dataset& cdsExtSimples,
                        tov_dataset& cdsExtVenda, tov_dataset& cdsSaldFam,
                        const std::string& stValData, const std::string& stFilial,
                        const std::string& stCaixa, const std::string& stConsumidor,
                        const std::string& stNmConsumidor, tov_dataset& cdsExtrato,
                        int IdTipoImpFis) {
    auto& state = package::package_state();
    const std::lock_guard lock(state.mutex());
    const statement::ConsumerStatementRequest request{
        boUtilizaImpFis,  stCdFilial,         stEsquemaCor,       stIdTipoImpNF,
        stCdPortImpNF,    cdsTipoExtCons.data, cdsSaldoConsExt.data, cdsExtSimples.data,
        cdsExtVenda.data, cdsSaldFam.data,    stValData,          stFilial,
        stCaixa,          stConsumidor,       stNmConsumidor,     cdsExtrato.data,
        IdTipoImpFis};
    auto outcome = package::print_consumer_statement(state, request);
    return {outcome.result, std::move(outcome.reason)};
}

bool ImprimeDadosPaf(const PafValues& values) {
    auto& state = package::package_state();
    const std::lock_guard lock(state.mutex());
    const reports::PafIdentificationRequest request{
        values.stCdFilial, values.stCdCaixa,          values.stEsquemaCor,
        values.oleDadosPaf, values.oleBuscaNrSerieEcf, values.stNrSerie,
        values.IdTipoImpFis, values.stIndice};
    return package::print_paf_identification(state, request);
}

}  // namespace tov
