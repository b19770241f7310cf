#include "host/backend_recorder.hpp"

#include <cstring>

#include "host/hand_off_arguments.hpp"
#include "services/entry_point.hpp"

namespace tovprint {
namespace {

using tov::services::EntryPoint;

// A hand-off is named after the entry point the package called.
std::string named(EntryPoint entry_point) {
    return std::string(tov::services::entry_point_name(entry_point));
}

// Builds the hand-off inside the guard, so that nothing is thrown into the package.
template <typename Build>
int32_t deliver(void* ctx, Build build) noexcept {
    auto& recorder = *static_cast<BackendRecorder*>(ctx);
    try {
        return recorder.deliver(build()) ? 1 : 0;
    } catch (...) {
        recorder.keep_failure(std::current_exception());
        return 0;
    }
}

// The document text of DisparaImpressaoNaoFiscal is the third variant of its array.
std::optional<std::string> dispatched_text(const tov_variant* args, int32_t high) {
    if (args == nullptr || high < 2 || args[2].type != TOV_VT_TEXT) return std::nullopt;
    return buffer_bytes(static_cast<const char*>(args[2].data), args[2].size);
}

int32_t conferencia_formatada(void* ctx, const char* stEsquemaCor, const char* stCdFilial,
                              const char* stCdCaixa, const char* stNrSerie, const char* stIndice,
                              const char* stNrvendarest, char* stCupomDia, size_t,
                              const char* buffer, size_t buffer_size) {
    return deliver(ctx, [&] {
        return HandOff{
            named(EntryPoint::Conferencia_Formatada),
            {text_argument("stEsquemaCor", stEsquemaCor), text_argument("stCdFilial", stCdFilial),
             text_argument("stCdCaixa", stCdCaixa), text_argument("stNrSerie", stNrSerie),
             text_argument("stIndice", stIndice), text_argument("stNrvendarest", stNrvendarest),
             text_argument("stCupomDia", stCupomDia)},
            buffer_bytes(buffer, buffer_size)};
    });
}

int32_t conferencia_outras(void* ctx, const char* stCdPortaImpFis, const char* stEsquemaCor,
                           const char* stCdFilial, const char* stCdCaixa, char* stCupomDia, size_t,
                           const char* stTipoVenda, const char* stNrComanda, const char* stMesa,
                           const char* stNmGarcom, const char* stEmissao, const void*,
                           size_t DADOS_size, double doVrDesc, double doConsMin, double doCouver,
                           double doVrTxSer, double doQtPessoas, double doTotal, double doAcre,
                           int32_t IdTipoImp) {
    return deliver(ctx, [&] {
        return HandOff{
            named(EntryPoint::Conferencia_Outras),
            {text_argument("stCdPortaImpFis", stCdPortaImpFis),
             text_argument("stEsquemaCor", stEsquemaCor), text_argument("stCdFilial", stCdFilial),
             text_argument("stCdCaixa", stCdCaixa), text_argument("stCupomDia", stCupomDia),
             text_argument("stTipoVenda", stTipoVenda), text_argument("stNrComanda", stNrComanda),
             text_argument("stMesa", stMesa), text_argument("stNmGarcom", stNmGarcom),
             text_argument("stEmissao", stEmissao), size_argument("DADOS", DADOS_size),
             number_argument("doVrDesc", doVrDesc), number_argument("doConsMin", doConsMin),
             number_argument("doCouver", doCouver), number_argument("doVrTxSer", doVrTxSer),
             number_argument("doQtPessoas", doQtPessoas), number_argument("doTotal", doTotal),
             number_argument("doAcre", doAcre), integer_argument("IdTipoImp", IdTipoImp)},
            std::nullopt};
    });
}

int32_t dispara_impressao_nao_fiscal(void* ctx, const tov_variant* args, int32_t args_high,
                                     tov_variant* answer) {
    if (answer != nullptr) {
        *answer = tov_variant{};
        answer->type = TOV_VT_BOOL;
        answer->boolean = 1;
    }
    return deliver(ctx, [&] {
        return HandOff{named(EntryPoint::DisparaImpressaoNaoFiscal),
                       {variants_argument("args", args, args_high)},
                       dispatched_text(args, args_high)};
    });
}

int32_t ajusta_impressao_direta(void* ctx, const char* empty1, const char* IdTipoImp,
                                const char* empty2, int32_t* inTamLinha) {
    return deliver(ctx, [&] {
        return HandOff{named(EntryPoint::AjustaImpressaoDireta),
                       {text_argument("empty1", empty1), text_argument("IdTipoImp", IdTipoImp),
                        text_argument("empty2", empty2),
                        integer_argument("inTamLinha", inTamLinha != nullptr ? *inTamLinha : 0)},
                       std::nullopt};
    });
}

int32_t cupom_troca(void* ctx, const char* stEsquemaCor, const char* stCdFilial,
                    const char* stCdCaixa, const char* buffer, size_t buffer_size) {
    return deliver(ctx, [&] {
        return HandOff{
            named(EntryPoint::Cupom_Troca),
            {text_argument("stEsquemaCor", stEsquemaCor), text_argument("stCdFilial", stCdFilial),
             text_argument("stCdCaixa", stCdCaixa)},
            buffer_bytes(buffer, buffer_size)};
    });
}

int32_t nr_cupom(void* ctx, int32_t zero1, int32_t zero2, char* stNrCupom,
                 size_t stNrCupom_capacity) {
    if (stNrCupom != nullptr && stNrCupom_capacity > std::strlen(demo_coupon_number)) {
        std::strcpy(stNrCupom, demo_coupon_number);
    }
    return deliver(ctx, [&] {
        return HandOff{named(EntryPoint::Nr_Cupom),
                       {integer_argument("zero1", zero1), integer_argument("zero2", zero2),
                        text_argument("stNrCupom", stNrCupom)},
                       std::nullopt};
    });
}

int32_t imprime_tipo_rece(void* ctx, const char* stCdFilial, const char* stCdCaixa,
                          const char* stEsquemaCor, const char* stNrSerie, const char* buffer,
                          size_t buffer_size, const char* stMeiosPgto) {
    return deliver(ctx, [&] {
        return HandOff{
            named(EntryPoint::imprimeTipoRece),
            {text_argument("stCdFilial", stCdFilial), text_argument("stCdCaixa", stCdCaixa),
             text_argument("stEsquemaCor", stEsquemaCor), text_argument("stNrSerie", stNrSerie),
             text_argument("stMeiosPgto", stMeiosPgto)},
            buffer_bytes(buffer, buffer_size)};
    });
}

int32_t cabecalho(void* ctx, const char* stCdFilial, const char* stEsquemaCor, const char* stFilial,
                  const char* stCaixa, int32_t zero1, int32_t zero2) {
    return deliver(ctx, [&] {
        return HandOff{
            named(EntryPoint::Cabecalho),
            {text_argument("stCdFilial", stCdFilial), text_argument("stEsquemaCor", stEsquemaCor),
             text_argument("stFilial", stFilial), text_argument("stCaixa", stCaixa),
             integer_argument("zero1", zero1), integer_argument("zero2", zero2)},
            std::nullopt};
    });
}

int32_t extrato(void* ctx, const char* buffer, size_t buffer_size, const char* stEsquemaCor) {
    return deliver(ctx, [&] {
        return HandOff{named(EntryPoint::Extrato),
                       {text_argument("stEsquemaCor", stEsquemaCor)},
                       buffer_bytes(buffer, buffer_size)};
    });
}

int32_t usa_comp_nfis(void* ctx, const char* stEsquemaCor, const char* piece, size_t piece_size) {
    return deliver(ctx, [&] {
        return HandOff{named(EntryPoint::Usa_CompNFis),
                       {text_argument("stEsquemaCor", stEsquemaCor)},
                       buffer_bytes(piece, piece_size)};
    });
}

int32_t relatorio_gerencial_imp(void* ctx, const char* stEsquemaCor, const char* stCdFilial,
                                const char* stCdCaixa, int32_t zero1, int32_t zero2) {
    return deliver(ctx, [&] {
        return HandOff{
            named(EntryPoint::Relatorio_Gerencial_Imp),
            {text_argument("stEsquemaCor", stEsquemaCor), text_argument("stCdFilial", stCdFilial),
             text_argument("stCdCaixa", stCdCaixa), integer_argument("zero1", zero1),
             integer_argument("zero2", zero2)},
            std::nullopt};
    });
}

int32_t fech_relat_gerenc(void* ctx, const char* stEsquemaCor, int32_t flag, int32_t zero) {
    return deliver(ctx, [&] {
        return HandOff{named(EntryPoint::FechRelatGerenc),
                       {text_argument("stEsquemaCor", stEsquemaCor), boolean_argument("flag", flag),
                        integer_argument("zero", zero)},
                       std::nullopt};
    });
}

int32_t relatorio_generico(void* ctx, const char* stEsquemaCor, const char* stCdFilial,
                           const char* stCdCaixa, const char* buffer, size_t buffer_size,
                           const char* stNrSerie, const char* stIndice) {
    return deliver(ctx, [&] {
        return HandOff{
            named(EntryPoint::Relatorio_Generico),
            {text_argument("stEsquemaCor", stEsquemaCor), text_argument("stCdFilial", stCdFilial),
             text_argument("stCdCaixa", stCdCaixa), text_argument("stNrSerie", stNrSerie),
             text_argument("stIndice", stIndice)},
            buffer_bytes(buffer, buffer_size)};
    });
}

int32_t imprime_padrao(void* ctx, const char* stCdPortImpNF, const char* stIdTipoImpNF,
                       const char* buffer, size_t buffer_size) {
    return deliver(ctx, [&] {
        return HandOff{named(EntryPoint::ImprimePadrao),
                       {text_argument("stCdPortImpNF", stCdPortImpNF),
                        text_argument("stIdTipoImpNF", stIdTipoImpNF)},
                       buffer_bytes(buffer, buffer_size)};
    });
}

}  // namespace

tov_backend BackendRecorder::table() {
    return tov_backend{sizeof(tov_backend),
                       this,
                       conferencia_formatada,
                       conferencia_outras,
                       dispara_impressao_nao_fiscal,
                       ajusta_impressao_direta,
                       cupom_troca,
                       nr_cupom,
                       imprime_tipo_rece,
                       cabecalho,
                       extrato,
                       usa_comp_nfis,
                       relatorio_gerencial_imp,
                       fech_relat_gerenc,
                       relatorio_generico,
                       imprime_padrao};
}

bool BackendRecorder::deliver(const HandOff& hand_off) noexcept {
    if (failure_) return false;
    try {
        sink_.receive(hand_off);
        return true;
    } catch (...) {
        keep_failure(std::current_exception());
        return false;
    }
}

void BackendRecorder::keep_failure(std::exception_ptr failure) noexcept {
    if (!failure_) failure_ = std::move(failure);
}

void BackendRecorder::rethrow_failure() {
    if (!failure_) return;
    auto failure = failure_;
    failure_ = nullptr;
    std::rethrow_exception(failure);
}

}  // namespace tovprint
