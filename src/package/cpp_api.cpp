#include <mutex>

#include "package/abi_arguments.hpp"
#include "package/package_state.hpp"
#include "package/print_functions.hpp"
#include "tov00000/tov00000.hpp"

namespace tov {
namespace {

using package::package_state;

std::unique_lock<std::recursive_mutex> package_lock() {
    return std::unique_lock(package_state().mutex());
}

}  // namespace

void SetBackend(const tov_backend& backend) {
    const auto lock = package_lock();
    package_state().set_backend(services::Backend(backend));
}

void SetHost(const tov_host& host) {
    const auto lock = package_lock();
    package_state().set_host(services::HostServices(host));
}

void SetFormatSettings(const tov_format_settings& settings) {
    const auto lock = package_lock();
    package_state().set_settings(package::settings_from(settings));
}

const void* DataModule() {
    const auto lock = package_lock();
    return package_state().data_module();
}

bool RelatorioVendedor(const std::string& stCdFilial, const std::string& stNmFilial,
                       const std::string& stCdCaixa, const std::string& stNmCaixa,
                       const std::string& stEsquemaCor, const std::string& stCdPortImpNF,
                       const std::string& stIdTipoImpNF, std::string_view P_VENDASVENDEDOR,
                       bool boUtilizaImpFis, int IdTipoImpFis, double doVrTotGeral) {
    const auto lock = package_lock();
    const reports::SalesBySalespersonRequest request{
        stCdFilial,    stNmFilial,    stCdCaixa,       stNmCaixa,    stEsquemaCor,
        stCdPortImpNF, stIdTipoImpNF, P_VENDASVENDEDOR, boUtilizaImpFis, IdTipoImpFis,
        doVrTotGeral};
    return package::print_sales_by_salesperson(package_state(), request);
}

}  // namespace tov
