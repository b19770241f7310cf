#pragma once
// The host's print back-end as the documents see it: one method per entry point of the
// registered tov_backend table. Texts are Windows-1252; a text buffer may hold control bytes
// and NUL. Calling an entry point that the host left NULL throws BackendError naming it.

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "services/entry_point.hpp"
#include "tov00000/tov00000.h"

namespace tov::services {

// The amounts that the table bill hands to Conferencia_Outras, in their documented order.
struct BillAmounts {
    double doVrDesc = 0;
    double doConsMin = 0;
    double doCouver = 0;
    double doVrTxSer = 0;
    double doQtPessoas = 0;
    double doTotal = 0;
    double doAcre = 0;
};

// The texts that the table bill hands to Conferencia_Outras besides the amounts.
struct BillTexts {
    std::string stCdPortaImpFis, stEsquemaCor, stCdFilial, stCdCaixa;
    std::string stTipoVenda, stNrComanda, stMesa, stNmGarcom, stEmissao;
};

// A text variable of the host passed on by reference: the host's own NUL-terminated buffer and its
// capacity, handed to the back-end as they are, so that the back-end writes straight into the
// host's variable. The package never writes it itself.
struct HostText {
    char* data = nullptr;
    std::size_t capacity = 0;
};

class Backend {
public:
    Backend();  // nothing registered
    explicit Backend(const tov_backend& table);

    // Throws BackendError for the first of the named entry points that is not registered, so a
    // document can check everything it will call before it starts printing.
    void require(std::initializer_list<EntryPoint> entry_points) const;
    bool registered(EntryPoint entry_point) const;

    bool Conferencia_Formatada(const std::string& stEsquemaCor, const std::string& stCdFilial,
                               const std::string& stCdCaixa, const std::string& stNrSerie,
                               const std::string& stIndice, const std::string& stNrvendarest,
                               HostText stCupomDia, std::string_view buffer) const;
    bool Conferencia_Outras(const BillTexts& texts, HostText stCupomDia, std::string_view DADOS,
                            const BillAmounts& amounts, int IdTipoImp) const;
    bool DisparaImpressaoNaoFiscal(std::span<const tov_variant> args, tov_variant& answer) const;
    bool AjustaImpressaoDireta(const std::string& IdTipoImp, int& inTamLinha) const;
    bool Cupom_Troca(const std::string& stEsquemaCor, const std::string& stCdFilial,
                     const std::string& stCdCaixa, std::string_view buffer) const;
    bool Nr_Cupom(std::string& stNrCupom) const;
    bool imprimeTipoRece(const std::string& stCdFilial, const std::string& stCdCaixa,
                         const std::string& stEsquemaCor, const std::string& stNrSerie,
                         std::string_view buffer, const std::string& stMeiosPgto) const;
    bool Cabecalho(const std::string& stCdFilial, const std::string& stEsquemaCor,
                   const std::string& stFilial, const std::string& stCaixa) const;
    bool Extrato(std::string_view buffer, const std::string& stEsquemaCor) const;
    bool Usa_CompNFis(const std::string& stEsquemaCor, std::string_view piece) const;
    bool Relatorio_Gerencial_Imp(const std::string& stEsquemaCor, const std::string& stCdFilial,
                                 const std::string& stCdCaixa) const;
    bool FechRelatGerenc(const std::string& stEsquemaCor, bool flag) const;
    bool Relatorio_Generico(const std::string& stEsquemaCor, const std::string& stCdFilial,
                            const std::string& stCdCaixa, std::string_view buffer,
                            const std::string& stNrSerie, const std::string& stIndice) const;
    bool ImprimePadrao(const std::string& stCdPortImpNF, const std::string& stIdTipoImpNF,
                       std::string_view buffer) const;

private:
    // The entry point itself, or BackendError naming it when the host left it NULL.
    template <class Fn>
    Fn entry(Fn fn, EntryPoint entry_point) const;

    tov_backend table_;
};

}  // namespace tov::services
