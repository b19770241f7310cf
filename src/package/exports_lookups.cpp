// The C exports of the sale lookups. A lookup's own failures are its answers (0, an empty name,
// the database error's text in place of a packet), so a call fails only for its arguments, such
// as a name that does not fit the caller's buffer. A packet or message result points into memory
// the package keeps until the next call of the same lookup.

#include <string>
#include <variant>

#include "package/abi_arguments.hpp"
#include "package/abi_boundary.hpp"
#include "package/lookup_functions.hpp"
#include "package/package_state.hpp"
#include "platform/errors/errors.hpp"
#include "tov00000/tov00000.h"

using tov::package::guarded_call;
using tov::package::package_state;
using tov::package::text_argument;

namespace {

tov::package::SaleKey sale_key(const char* cdfilial, const char* nrcomanda) {
    return {text_argument(cdfilial), text_argument(nrcomanda)};
}

// Keeps the answer in kept and points the variant at it: BYTES for a packet, TEXT for an error.
void store_packet_answer(tov::lookups::LookupPacket answer, std::string& kept, tov_variant* result) {
    const bool packet = std::holds_alternative<std::string>(answer);
    kept = packet ? std::get<std::string>(std::move(answer))
                  : std::get<tov::lookups::ErrorText>(std::move(answer)).text;
    if (result == nullptr) return;
    *result = tov_variant{};
    result->type = packet ? TOV_VT_BYTES : TOV_VT_TEXT;
    result->data = kept.data();
    result->size = kept.size();
}

void store_number(double value, double* result) {
    if (result != nullptr) *result = value;
}

}  // namespace

extern "C" {

TOV_API int32_t TOV_CALL Tov00000_SaldoFidelidade(const char* stCDFILIAL, const char* stNRCOMANDA,
                                                  tov_variant* result) {
    return guarded_call([&] {
        auto& state = package_state();
        store_packet_answer(tov::package::SaldoFidelidade(state, sale_key(stCDFILIAL, stNRCOMANDA)),
                            state.lookup_answers().SaldoFidelidade, result);
    });
}

TOV_API int32_t TOV_CALL Tov00000_GetCaixa(const char* CDCAIXA, tov_variant* result) {
    return guarded_call([&] {
        auto& state = package_state();
        store_packet_answer(tov::package::GetCaixa(state, text_argument(CDCAIXA)),
                            state.lookup_answers().GetCaixa, result);
    });
}

TOV_API int32_t TOV_CALL Tov00000_getDescontoFid(const char* P_CDFILIAL, const char* P_NRCOMANDA,
                                                 double* result) {
    return guarded_call([&] {
        store_number(tov::package::getDescontoFid(package_state(), sale_key(P_CDFILIAL, P_NRCOMANDA)), result);
    });
}

TOV_API int32_t TOV_CALL Tov00000_getNMCONSUMIDOR(const char* P_NRVENDAREST,
                                                  const char* P_NRCOMANDA, const char* stPosicao,
                                                  char* result, size_t result_capacity) {
    return guarded_call([&] {
        // A NULL result with no capacity asks for no answer; with a capacity it is a lost buffer.
        if (result == nullptr && result_capacity != 0) {
            throw tov::ArgumentError("Tov00000_getNMCONSUMIDOR: the buffer result is NULL but its "
                                     "capacity is " + std::to_string(result_capacity));
        }
        const std::string name =
            tov::package::getNMCONSUMIDOR(package_state(), text_argument(P_NRVENDAREST),
                            text_argument(P_NRCOMANDA), text_argument(stPosicao));
        if (result != nullptr) tov::package::copy_text_out(name, result, result_capacity, "result");
    });
}

TOV_API int32_t TOV_CALL Tov00000_getDescCash4All(const char* P_CDFILIAL,
                                                  const char* P_NRCOMANDA, double* result) {
    return guarded_call([&] {
        store_number(tov::package::getDescCash4All(package_state(), sale_key(P_CDFILIAL, P_NRCOMANDA)), result);
    });
}

TOV_API int32_t TOV_CALL Tov00000_getDescCashUds(const char* P_CDFILIAL, const char* P_NRCOMANDA,
                                                 double* result) {
    return guarded_call([&] {
        store_number(tov::package::getDescCashUds(package_state(), sale_key(P_CDFILIAL, P_NRCOMANDA)), result);
    });
}

TOV_API int32_t TOV_CALL Tov00000_getMovCaixaMob(const char* P_CDFILIAL, const char* P_NRVENDAREST,
                                                 const char* P_NRLUGARMESA, tov_variant* result) {
    return guarded_call([&] {
        auto& state = package_state();
        store_packet_answer(tov::package::getMovCaixaMob(state, text_argument(P_CDFILIAL),
                                           text_argument(P_NRVENDAREST),
                                           text_argument(P_NRLUGARMESA)),
                            state.lookup_answers().getMovCaixaMob, result);
    });
}

TOV_API int32_t TOV_CALL Tov00000_getDescCoreBanc(const char* P_CDFILIAL,
                                                  const char* P_NRCOMANDA, double* result) {
    return guarded_call([&] {
        store_number(tov::package::getDescCoreBanc(package_state(), sale_key(P_CDFILIAL, P_NRCOMANDA)), result);
    });
}

}  // extern "C"
