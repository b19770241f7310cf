// The sale lookups for C++ hosts, under the same package lock as the C exports.

#include <mutex>
#include <variant>

#include "package/lookup_functions.hpp"
#include "package/package_state.hpp"
#include "tov00000/tov00000.hpp"

namespace tov {
namespace {

using package::package_state;

std::unique_lock<std::recursive_mutex> package_lock() {
    return std::unique_lock(package_state().mutex());
}

LookupAnswer answer_of(lookups::LookupPacket packet) {
    if (auto* bytes = std::get_if<std::string>(&packet)) return {true, std::move(*bytes)};
    return {false, std::get<lookups::ErrorText>(std::move(packet)).text};
}

}  // namespace

LookupAnswer SaldoFidelidade(const std::string& stCDFILIAL, const std::string& stNRCOMANDA) {
    const auto lock = package_lock();
    return answer_of(package::SaldoFidelidade(package_state(), {stCDFILIAL, stNRCOMANDA}));
}

LookupAnswer GetCaixa(const std::string& CDCAIXA) {
    const auto lock = package_lock();
    return answer_of(package::GetCaixa(package_state(), CDCAIXA));
}

double getDescontoFid(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA) {
    const auto lock = package_lock();
    return package::getDescontoFid(package_state(), {P_CDFILIAL, P_NRCOMANDA});
}

double getDescCash4All(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA) {
    const auto lock = package_lock();
    return package::getDescCash4All(package_state(), {P_CDFILIAL, P_NRCOMANDA});
}

double getDescCashUds(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA) {
    const auto lock = package_lock();
    return package::getDescCashUds(package_state(), {P_CDFILIAL, P_NRCOMANDA});
}

double getDescCoreBanc(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA) {
    const auto lock = package_lock();
    return package::getDescCoreBanc(package_state(), {P_CDFILIAL, P_NRCOMANDA});
}

std::string getNMCONSUMIDOR(const std::string& P_NRVENDAREST, const std::string& P_NRCOMANDA,
                            const std::string& stPosicao) {
    const auto lock = package_lock();
    return package::getNMCONSUMIDOR(package_state(), P_NRVENDAREST, P_NRCOMANDA, stPosicao);
}

LookupAnswer getMovCaixaMob(const std::string& P_CDFILIAL, const std::string& P_NRVENDAREST,
                            const std::string& P_NRLUGARMESA) {
    const auto lock = package_lock();
    return answer_of(
        package::getMovCaixaMob(package_state(), P_CDFILIAL, P_NRVENDAREST, P_NRLUGARMESA));
}

}  // namespace tov
