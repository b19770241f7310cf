#pragma once
// The package for C++ hosts and tests: the functions of tov00000.h with std::string arguments
// (Windows-1252 bytes) and exceptions. Failures throw std::runtime_error subclasses (the package's
// own error hierarchy) with the same messages that Tov_LastError gives through the C ABI. Calls
// are serialized by the same package lock as the C exports.

#include <string>
#include <string_view>

#include "tov00000/tov00000.h"

namespace tov {

// Registers the back-end, host services and regional settings (each copied).
void SetBackend(const tov_backend& backend);
void SetHost(const tov_host& host);
void SetFormatSettings(const tov_format_settings& settings);

// dtmGeral: nullptr until the first print function has created the data module.
const void* DataModule();

// The sales-by-salesperson report; P_VENDASVENDEDOR is a data packet (binary or XML). Returns
// true when it completes.
bool RelatorioVendedor(const std::string& stCdFilial, const std::string& stNmFilial,
                       const std::string& stCdCaixa, const std::string& stNmCaixa,
                       const std::string& stEsquemaCor, const std::string& stCdPortImpNF,
                       const std::string& stIdTipoImpNF, std::string_view P_VENDASVENDEDOR,
                       bool boUtilizaImpFis, int IdTipoImpFis, double doVrTotGeral);

// The exchange coupon; oleProdutos is a data packet (binary or XML). Returns the answer of the
// back-end's Cupom_Troca.
bool CupomTroca(int IdTipoImpFis, std::string_view oleProdutos, const std::string& stEsquemaCor,
                const std::string& stCdFilial, const std::string& stCdCaixa,
                const std::string& stNmConsumidor, const std::string& stCpfCnpjCon,
                const std::string& stTipVen, double doNrDias);

// The payment-means report; oleTipoRece is a data packet (binary or XML).
void imprimeTipoRece(int IdTipoImpFis, const std::string& stCdFilial,
                     const std::string& stCdCaixa, const std::string& stEsquemaCor,
                     const std::string& stNrSerie, const std::string& stMeiosPgto,
                     std::string_view oleTipoRece, const std::string& stDataIni,
                     const std::string& stDataFin);

// ---- Sale lookups (see tov00000.h) ----

// A packet lookup's answer: a binary data packet, or the database error's text in its place.
struct LookupAnswer {
    bool is_packet = false;
    std::string data;
};

LookupAnswer SaldoFidelidade(const std::string& stCDFILIAL, const std::string& stNRCOMANDA);
LookupAnswer GetCaixa(const std::string& CDCAIXA);
double getDescontoFid(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA);
double getDescCash4All(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA);
double getDescCashUds(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA);
double getDescCoreBanc(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA);
std::string getNMCONSUMIDOR(const std::string& P_NRVENDAREST, const std::string& P_NRCOMANDA,
                            const std::string& stPosicao);
LookupAnswer getMovCaixaMob(const std::string& P_CDFILIAL, const std::string& P_NRVENDAREST,
                            const std::string& P_NRLUGARMESA);

}  // namespace tov
