#include "package/lookup_functions.hpp"

namespace tov::package {
namespace {

lookups::SaleLookups& sale_lookups(PackageState& state) {
    return state.ensure_data_module().lookups();
}

}  // namespace

lookups::LookupPacket SaldoFidelidade(PackageState& state, const SaleKey& key) {
    return sale_lookups(state).saldo_fidelidade(key.cdfilial, key.nrcomanda);
}

lookups::LookupPacket GetCaixa(PackageState& state, const std::string& cdcaixa) {
    auto& lookups = sale_lookups(state);
    return lookups.get_caixa(cdcaixa, state.host().Now(), state.settings());
}

double getDescontoFid(PackageState& state, const SaleKey& key) {
    return sale_lookups(state).get_desconto_fid(key.cdfilial, key.nrcomanda);
}

double getDescCash4All(PackageState& state, const SaleKey& key) {
    return sale_lookups(state).get_desc_cash4all(key.cdfilial, key.nrcomanda);
}

double getDescCashUds(PackageState& state, const SaleKey& key) {
    return sale_lookups(state).get_desc_cash_uds(key.cdfilial, key.nrcomanda);
}

double getDescCoreBanc(PackageState& state, const SaleKey& key) {
    return sale_lookups(state).get_desc_core_banc(key.cdfilial, key.nrcomanda);
}

std::string getNMCONSUMIDOR(PackageState& state, const std::string& nrvendarest,
                            const std::string& nrcomanda, const std::string& posicao) {
    return sale_lookups(state).get_nm_consumidor(nrvendarest, nrcomanda, posicao);
}

lookups::LookupPacket getMovCaixaMob(PackageState& state, const std::string& cdfilial,
                                     const std::string& nrvendarest,
                                     const std::string& nrlugarmesa) {
    return sale_lookups(state).get_mov_caixa_mob(cdfilial, nrvendarest, nrlugarmesa);
}

}  // namespace tov::package
