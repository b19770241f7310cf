// The C exports of the sale lookups. A lookup's own failures are its answers (0, an empty name,
// the database error's text in place of a packet), so a call fails only for its arguments, such
// as a name that does not fit the caller's buffer. A packet or message result points into memory
// of the calling thread, kept until that thread's next call of the same lookup.

#include <string>
#include <variant>

#include "lookups/sale_lookups.hpp"
#include "package/abi_arguments.hpp"
#include "package/abi_boundary.hpp"
#include "package/lookup_answers.hpp"
#include "package/package_state.hpp"
#include "platform/errors/errors.hpp"
#include "tov00000/tov00000.h"

using tov::package::guarded_call;
using tov::package::package_state;
using tov::package::text_argument;

namespace {

// The lookups run on the data module's queries; a lookup asked before any print function
// creates the data module itself.
tov::lookups::SaleLookups& sale_lookups() {
    return package_state().ensure_data_module().lookups();
}

// Keeps the answer in kept and points the variant at it: BYTES for a packet, TEXT for an error.
void store_packet_answer(tov::lookups::LookupPacket answer, std::string& kept,
                         tov_variant* result) {
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

// A discount or name lookup whose query failed answers 0 or "" all the same; the host may read
// why in Tov_LastError.
void tell_quiet_failure(const tov::lookups::SaleLookups& lookups) {
    if (!lookups.quiet_failure().empty()) {
        tov::package::note_without_failing(lookups.quiet_failure());
    }
}

// One of the four discount lookups, all asked with the branch and the ticket number.
using DiscountLookup = double (tov::lookups::SaleLookups::*)(const std::string&,
                                                             const std::string&);

int32_t discount(DiscountLookup lookup, const char* cdfilial, const char* nrcomanda,
                 double* result) {
    return guarded_call([&] {
        auto& lookups = sale_lookups();
        store_number((lookups.*lookup)(text_argument(cdfilial), text_argument(nrcomanda)), result);
        tell_quiet_failure(lookups);
    });
}

}  // namespace

extern "C" {

TOV_API int32_t TOV_CALL Tov00000_SaldoFidelidade(const char* stCDFILIAL, const char* stNRCOMANDA,
                                                  tov_variant* result) {
    return guarded_call([&] {
        store_packet_answer(
            sale_lookups().saldo_fidelidade(text_argument(stCDFILIAL), text_argument(stNRCOMANDA)),
            tov::package::this_thread_lookup_answers().SaldoFidelidade, result);
    });
}

TOV_API int32_t TOV_CALL Tov00000_GetCaixa(const char* CDCAIXA, tov_variant* result) {
    return guarded_call([&] {
        auto& state = package_state();
        auto& lookups = sale_lookups();
        store_packet_answer(
            lookups.get_caixa(text_argument(CDCAIXA), state.host().Now(), state.settings()),
            tov::package::this_thread_lookup_answers().GetCaixa, result);
    });
}

TOV_API int32_t TOV_CALL Tov00000_getDescontoFid(const char* P_CDFILIAL, const char* P_NRCOMANDA,
                                                 double* result) {
    return discount(&tov::lookups::SaleLookups::get_desconto_fid, P_CDFILIAL, P_NRCOMANDA, result);
}

TOV_API int32_t TOV_CALL Tov00000_getNMCONSUMIDOR(const char* P_NRVENDAREST,
                                                  const char* P_NRCOMANDA, const char* stPosicao,
                                                  char* result, size_t result_capacity) {
    return guarded_call([&] {
        // A NULL result with no capacity asks for no answer; with a capacity it is a lost buffer.
        if (result == nullptr && result_capacity != 0) {
            throw tov::ArgumentError(
                "Tov00000_getNMCONSUMIDOR: the buffer result is NULL but its "
                "capacity is " +
                std::to_string(result_capacity));
        }
        auto& lookups = sale_lookups();
        const std::string name = lookups.get_nm_consumidor(
            text_argument(P_NRVENDAREST), text_argument(P_NRCOMANDA), text_argument(stPosicao));
        if (result != nullptr) tov::package::copy_text_out(name, result, result_capacity, "result");
        tell_quiet_failure(lookups);
    });
}

TOV_API int32_t TOV_CALL Tov00000_getDescCash4All(const char* P_CDFILIAL, const char* P_NRCOMANDA,
                                                  double* result) {
    return discount(&tov::lookups::SaleLookups::get_desc_cash4all, P_CDFILIAL, P_NRCOMANDA, result);
}

TOV_API int32_t TOV_CALL Tov00000_getDescCashUds(const char* P_CDFILIAL, const char* P_NRCOMANDA,
                                                 double* result) {
    return discount(&tov::lookups::SaleLookups::get_desc_cash_uds, P_CDFILIAL, P_NRCOMANDA, result);
}

TOV_API int32_t TOV_CALL Tov00000_getMovCaixaMob(const char* P_CDFILIAL, const char* P_NRVENDAREST,
                                                 const char* P_NRLUGARMESA, tov_variant* result) {
    return guarded_call([&] {
        store_packet_answer(sale_lookups().get_mov_caixa_mob(text_argument(P_CDFILIAL),
                                                             text_argument(P_NRVENDAREST),
                                                             text_argument(P_NRLUGARMESA)),
                            tov::package::this_thread_lookup_answers().getMovCaixaMob, result);
    });
}

TOV_API int32_t TOV_CALL Tov00000_getDescCoreBanc(const char* P_CDFILIAL, const char* P_NRCOMANDA,
                                                  double* result) {
    return discount(&tov::lookups::SaleLookups::get_desc_core_banc, P_CDFILIAL, P_NRCOMANDA,
                    result);
}

}  // extern "C"
