// The C++ API of the exchange coupon and the payment-means report, under the package lock like
// the rest of the C++ API.

#include <mutex>

#include "package/package_state.hpp"
#include "package/print_exchange_coupon.hpp"
#include "package/print_payment_means.hpp"
#include "tov00000/tov00000.hpp"

namespace tov {

bool CupomTroca(int IdTipoImpFis, std::string_view oleProdutos, const std::string& stEsquemaCor,
                const std::string& stCdFilial, const std::string& stCdCaixa,
                const std::string& stNmConsumidor, const std::string& stCpfCnpjCon,
                const std::string& stTipVen, double doNrDias) {
    auto& state = package::package_state();
    const std::lock_guard lock(state.mutex());
    const coupon::ExchangeCouponRequest request{IdTipoImpFis,   oleProdutos, stEsquemaCor,
                                                stCdFilial,     stCdCaixa,   stNmConsumidor,
                                                stCpfCnpjCon,   stTipVen,    doNrDias};
    return package::print_exchange_coupon(state, request);
}

void imprimeTipoRece(int IdTipoImpFis, const std::string& stCdFilial,
                     const std::string& stCdCaixa, const std::string& stEsquemaCor,
                     const std::string& stNrSerie, const std::string& stMeiosPgto,
                     std::string_view oleTipoRece, const std::string& stDataIni,
                     const std::string& stDataFin) {
    auto& state = package::package_state();
    const std::lock_guard lock(state.mutex());
    const reports::PaymentMeansRequest request{IdTipoImpFis, stCdFilial, stCdCaixa,
                                               stEsquemaCor, stNrSerie,  stMeiosPgto,
                                               oleTipoRece,  stDataIni,  stDataFin};
    package::print_payment_means(state, request);
}

}  // namespace tov
