#pragma once
// The entry points of the host's back-end table (tov_backend), in the table's order, as an
// enumeration: a document names what it calls or requires by EntryPoint, so a misspelt entry
// point does not compile, and the back-end's registered() reads the table member of that name.
// Header-only, so that a host (tovprint) can name its recorded calls the same way.

#include <array>
#include <string_view>

#define TOV_BACKEND_ENTRY_POINTS(X) \
    X(Conferencia_Formatada)        \
    X(Conferencia_Outras)           \
    X(DisparaImpressaoNaoFiscal)    \
    X(AjustaImpressaoDireta)        \
    X(Cupom_Troca)                  \
    X(Nr_Cupom)                     \
    X(imprimeTipoRece)              \
    X(Cabecalho)                    \
    X(Extrato)                      \
    X(Usa_CompNFis)                 \
    X(Relatorio_Gerencial_Imp)      \
    X(FechRelatGerenc)              \
    X(Relatorio_Generico)           \
    X(ImprimePadrao)

namespace tov::services {

#define TOV_ENTRY_POINT_ENUMERATOR(name) name,
enum class EntryPoint { TOV_BACKEND_ENTRY_POINTS(TOV_ENTRY_POINT_ENUMERATOR) };
#undef TOV_ENTRY_POINT_ENUMERATOR

// Every entry point, in the table's order.
#define TOV_ENTRY_POINT_VALUE(name) EntryPoint::name,
inline constexpr std::array all_entry_points{TOV_BACKEND_ENTRY_POINTS(TOV_ENTRY_POINT_VALUE)};
#undef TOV_ENTRY_POINT_VALUE

// The entry point's name, as the table's member and the messages spell it.
constexpr std::string_view entry_point_name(EntryPoint entry_point) {
    switch (entry_point) {
#define TOV_ENTRY_POINT_CASE(name) \
    case EntryPoint::name:         \
        return #name;
        TOV_BACKEND_ENTRY_POINTS(TOV_ENTRY_POINT_CASE)
#undef TOV_ENTRY_POINT_CASE
    }
    return "";
}

}  // namespace tov::services
