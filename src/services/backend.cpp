#include "services/backend.hpp"

#include <cstddef>
#include <limits>

#include "platform/errors/errors.hpp"
#include "services/text_out_buffer.hpp"

namespace tov::services {
namespace {

// Whether the table holds the entry point.
bool is_set(const tov_backend& t, EntryPoint entry_point) {
    switch (entry_point) {
#define TOV_ENTRY_POINT_IS_SET(name) \
    case EntryPoint::name:           \
        return t.name != nullptr;
        TOV_BACKEND_ENTRY_POINTS(TOV_ENTRY_POINT_IS_SET)
#undef TOV_ENTRY_POINT_IS_SET
    }
    return false;
}

[[noreturn]] void throw_not_registered(EntryPoint entry_point) {
    throw BackendError("back-end entry point '" + std::string(entry_point_name(entry_point)) +
                       "' is not registered");
}

// A buffer never reaches the back-end as a NULL pointer, even when it is empty.
const char* bytes_of(std::string_view buffer) {
    return buffer.data() != nullptr ? buffer.data() : "";
}
const void* bytes_of_packet(std::string_view packet) {
    return bytes_of(packet);
}

int32_t as_flag(bool value) {
    return value ? 1 : 0;
}

int32_t array_high(std::span<const tov_variant> args) {
    if (args.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        throw ArgumentError("too many variants for a back-end call: " +
                            std::to_string(args.size()));
    }
    return static_cast<int32_t>(args.size()) - 1;
}

}  // namespace

Backend::Backend() : table_{} {}

Backend::Backend(const tov_backend& table) : table_(table) {}

bool Backend::registered(EntryPoint entry_point) const {
    return is_set(table_, entry_point);
}

void Backend::require(std::initializer_list<EntryPoint> entry_points) const {
    for (const EntryPoint entry_point : entry_points) {
        if (!registered(entry_point)) throw_not_registered(entry_point);
    }
}

template <class Fn>
Fn Backend::entry(Fn fn, EntryPoint entry_point) const {
    if (fn == nullptr) throw_not_registered(entry_point);
    return fn;
}

bool Backend::Conferencia_Formatada(const std::string& stEsquemaCor, const std::string& stCdFilial,
                                    const std::string& stCdCaixa, const std::string& stNrSerie,
                                    const std::string& stIndice, const std::string& stNrvendarest,
                                    HostText stCupomDia, std::string_view buffer) const {
    auto fn = entry(table_.Conferencia_Formatada, EntryPoint::Conferencia_Formatada);
    return fn(table_.ctx, stEsquemaCor.c_str(), stCdFilial.c_str(), stCdCaixa.c_str(),
              stNrSerie.c_str(), stIndice.c_str(), stNrvendarest.c_str(), stCupomDia.data,
              stCupomDia.capacity, bytes_of(buffer), buffer.size()) != 0;
}

bool Backend::Conferencia_Outras(const BillTexts& t, HostText stCupomDia, std::string_view DADOS,
                                 const BillAmounts& a, int IdTipoImp) const {
    auto fn = entry(table_.Conferencia_Outras, EntryPoint::Conferencia_Outras);
    return fn(table_.ctx, t.stCdPortaImpFis.c_str(), t.stEsquemaCor.c_str(), t.stCdFilial.c_str(),
              t.stCdCaixa.c_str(), stCupomDia.data, stCupomDia.capacity, t.stTipoVenda.c_str(),
              t.stNrComanda.c_str(), t.stMesa.c_str(), t.stNmGarcom.c_str(), t.stEmissao.c_str(),
              bytes_of_packet(DADOS), DADOS.size(), a.doVrDesc, a.doConsMin, a.doCouver,
              a.doVrTxSer, a.doQtPessoas, a.doTotal, a.doAcre, IdTipoImp) != 0;
}

bool Backend::DisparaImpressaoNaoFiscal(std::span<const tov_variant> args,
                                        tov_variant& answer) const {
    auto fn = entry(table_.DisparaImpressaoNaoFiscal, EntryPoint::DisparaImpressaoNaoFiscal);
    return fn(table_.ctx, args.data(), array_high(args), &answer) != 0;
}

bool Backend::AjustaImpressaoDireta(const std::string& IdTipoImp, int& inTamLinha) const {
    auto fn = entry(table_.AjustaImpressaoDireta, EntryPoint::AjustaImpressaoDireta);
    int32_t width = inTamLinha;
    const bool ok = fn(table_.ctx, "", IdTipoImp.c_str(), "", &width) != 0;
    inTamLinha = width;
    return ok;
}

bool Backend::Cupom_Troca(const std::string& stEsquemaCor, const std::string& stCdFilial,
                          const std::string& stCdCaixa, std::string_view buffer) const {
    auto fn = entry(table_.Cupom_Troca, EntryPoint::Cupom_Troca);
    return fn(table_.ctx, stEsquemaCor.c_str(), stCdFilial.c_str(), stCdCaixa.c_str(),
              bytes_of(buffer), buffer.size()) != 0;
}

bool Backend::Nr_Cupom(std::string& stNrCupom) const {
    auto fn = entry(table_.Nr_Cupom, EntryPoint::Nr_Cupom);
    TextOutBuffer number(stNrCupom);
    const bool ok = fn(table_.ctx, 0, 0, number.data(), number.capacity()) != 0;
    stNrCupom = number.text();
    return ok;
}

bool Backend::imprimeTipoRece(const std::string& stCdFilial, const std::string& stCdCaixa,
                              const std::string& stEsquemaCor, const std::string& stNrSerie,
                              std::string_view buffer, const std::string& stMeiosPgto) const {
    auto fn = entry(table_.imprimeTipoRece, EntryPoint::imprimeTipoRece);
    return fn(table_.ctx, stCdFilial.c_str(), stCdCaixa.c_str(), stEsquemaCor.c_str(),
              stNrSerie.c_str(), bytes_of(buffer), buffer.size(), stMeiosPgto.c_str()) != 0;
}

bool Backend::Cabecalho(const std::string& stCdFilial, const std::string& stEsquemaCor,
                        const std::string& stFilial, const std::string& stCaixa) const {
    auto fn = entry(table_.Cabecalho, EntryPoint::Cabecalho);
    return fn(table_.ctx, stCdFilial.c_str(), stEsquemaCor.c_str(), stFilial.c_str(),
              stCaixa.c_str(), 0, 0) != 0;
}

bool Backend::Extrato(std::string_view buffer, const std::string& stEsquemaCor) const {
    auto fn = entry(table_.Extrato, EntryPoint::Extrato);
    return fn(table_.ctx, bytes_of(buffer), buffer.size(), stEsquemaCor.c_str()) != 0;
}

bool Backend::Usa_CompNFis(const std::string& stEsquemaCor, std::string_view piece) const {
    auto fn = entry(table_.Usa_CompNFis, EntryPoint::Usa_CompNFis);
    return fn(table_.ctx, stEsquemaCor.c_str(), bytes_of(piece), piece.size()) != 0;
}

bool Backend::Relatorio_Gerencial_Imp(const std::string& stEsquemaCor,
                                      const std::string& stCdFilial,
                                      const std::string& stCdCaixa) const {
    auto fn = entry(table_.Relatorio_Gerencial_Imp, EntryPoint::Relatorio_Gerencial_Imp);
    return fn(table_.ctx, stEsquemaCor.c_str(), stCdFilial.c_str(), stCdCaixa.c_str(), 0, 0) != 0;
}

bool Backend::FechRelatGerenc(const std::string& stEsquemaCor, bool flag) const {
    auto fn = entry(table_.FechRelatGerenc, EntryPoint::FechRelatGerenc);
    return fn(table_.ctx, stEsquemaCor.c_str(), as_flag(flag), 0) != 0;
}

bool Backend::Relatorio_Generico(const std::string& stEsquemaCor, const std::string& stCdFilial,
                                 const std::string& stCdCaixa, std::string_view buffer,
                                 const std::string& stNrSerie, const std::string& stIndice) const {
    auto fn = entry(table_.Relatorio_Generico, EntryPoint::Relatorio_Generico);
    return fn(table_.ctx, stEsquemaCor.c_str(), stCdFilial.c_str(), stCdCaixa.c_str(),
              bytes_of(buffer), buffer.size(), stNrSerie.c_str(), stIndice.c_str()) != 0;
}

bool Backend::ImprimePadrao(const std::string& stCdPortImpNF, const std::string& stIdTipoImpNF,
                            std::string_view buffer) const {
    auto fn = entry(table_.ImprimePadrao, EntryPoint::ImprimePadrao);
    return fn(table_.ctx, stCdPortImpNF.c_str(), stIdTipoImpNF.c_str(), bytes_of(buffer),
              buffer.size()) != 0;
}

}  // namespace tov::services
