#pragma once
// The sale lookups as the package's exports run them: on the data module's queries, creating
// the data module first when no print function has done so yet (a host may ask before it
// prints), with "today" from the host's clock and the package's regional settings.

#include <string>

#include "lookups/sale_lookups.hpp"
#include "package/package_state.hpp"

namespace tov::package {

struct SaleKey {
    std::string cdfilial;
    std::string nrcomanda;
};

lookups::LookupPacket SaldoFidelidade(PackageState& state, const SaleKey& key);
lookups::LookupPacket GetCaixa(PackageState& state, const std::string& cdcaixa);
double getDescontoFid(PackageState& state, const SaleKey& key);
double getDescCash4All(PackageState& state, const SaleKey& key);
double getDescCashUds(PackageState& state, const SaleKey& key);
double getDescCoreBanc(PackageState& state, const SaleKey& key);
std::string getNMCONSUMIDOR(PackageState& state, const std::string& nrvendarest,
                            const std::string& nrcomanda, const std::string& posicao);
lookups::LookupPacket getMovCaixaMob(PackageState& state, const std::string& cdfilial,
                                     const std::string& nrvendarest,
                                     const std::string& nrlugarmesa);

}  // namespace tov::package
