// The C export of the consumer statement. The statement turns every failure into the result
// false; the call itself then still succeeds, and Tov_LastError tells the host why the result is
// false.

#include <array>
#include <exception>
#include <string>

#include "package/abi_arguments.hpp"
#include "package/abi_boundary.hpp"
#include "package/package_state.hpp"
#include "platform/errors/errors.hpp"
#include "statement/consumer_statement.hpp"
#include "tov00000/tov00000.h"

namespace {

using tov::package::text_argument;

struct NamedHandle {
    const char* name;
    tov_dataset* handle;
};

// Why the statement cannot start: the first dataset handle that is NULL, or "".
std::string missing_dataset(const std::array<NamedHandle, 6>& handles) {
    for (const auto& [name, handle] : handles) {
        if (handle == nullptr) return std::string("Extrato_Tov00000: ") + name + " is NULL";
    }
    return "";
}

}  // namespace

extern "C" {

TOV_API int32_t TOV_CALL Extrato_Tov00000(int32_t boUtilizaImpFis, const char* stCdFilial,
                                          const char* stEsquemaCor, const char* stIdTipoImpNF,
                                          const char* stCdPortImpNF, tov_dataset* cdsTipoExtCons,
                                          tov_dataset* cdsSaldoConsExt, tov_dataset* cdsExtSimples,
                                          tov_dataset* cdsExtVenda, tov_dataset* cdsSaldFam,
                                          const char* stValData, const char* stFilial,
                                          const char* stCaixa, const char* stConsumidor,
                                          const char* stNmConsumidor, tov_dataset* cdsExtrato,
                                          int32_t IdTipoImpFis, int32_t* result) {
    return tov::package::guarded_call([&] {
        tov::package::store_flag(result, false);
        const std::string missing = missing_dataset({{{"cdsTipoExtCons", cdsTipoExtCons},
                                                      {"cdsSaldoConsExt", cdsSaldoConsExt},
                                                      {"cdsExtSimples", cdsExtSimples},
                                                      {"cdsExtVenda", cdsExtVenda},
                                                      {"cdsSaldFam", cdsSaldFam},
                                                      {"cdsExtrato", cdsExtrato}}});
        if (!missing.empty()) {
            tov::package::note_without_failing(missing);
            return;
        }
        const tov::statement::ConsumerStatementRequest request{
            .boUtilizaImpFis = boUtilizaImpFis != 0,
            .stCdFilial = text_argument(stCdFilial),
            .stEsquemaCor = text_argument(stEsquemaCor),
            .stIdTipoImpNF = text_argument(stIdTipoImpNF),
            .stCdPortImpNF = text_argument(stCdPortImpNF),
            .cdsTipoExtCons = cdsTipoExtCons->data,
            .cdsSaldoConsExt = cdsSaldoConsExt->data,
            .cdsExtSimples = cdsExtSimples->data,
            .cdsExtVenda = cdsExtVenda->data,
            .cdsSaldFam = cdsSaldFam->data,
            .stValData = text_argument(stValData),
            .stFilial = text_argument(stFilial),
            .stCaixa = text_argument(stCaixa),
            .stConsumidor = text_argument(stConsumidor),
            .stNmConsumidor = text_argument(stNmConsumidor),
            .cdsExtrato = cdsExtrato->data,
            .IdTipoImpFis = IdTipoImpFis,
        };
        // The statement neither creates nor uses the data module.
        const auto outcome =
            tov::statement::Extrato(request, tov::package::package_state().document_context());
        if (!outcome.result) tov::package::note_without_failing(outcome.reason);
        tov::package::store_flag(result, outcome.result);
    });
}

}  // extern "C"
