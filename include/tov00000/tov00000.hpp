#pragma once
// The package for C++ hosts and tests: the functions of tov00000.h with std::string arguments
// (Windows-1252 bytes) and exceptions. Failures throw std::runtime_error subclasses (the package's
// own error hierarchy) with the same messages that Tov_LastError gives through the C ABI. Calls
// are serialized by the same package lock as the C exports.

#include <memory>
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

// ---- Host datasets and the consumer statement ----

// Frees a dataset opened by OpenDataSet (or Tov_DataSetOpen).
struct DataSetFree {
    void operator()(tov_dataset* ds) const noexcept;
};

// A host dataset the caller owns; *dataset is the handle of tov00000.h, so the Tov_DataSet*
// functions read and move it.
using DataSet = std::unique_ptr<tov_dataset, DataSetFree>;

// Opens a dataset from a data packet (binary or XML), with the regional settings registered at
// the time; a packet that cannot be read throws.
DataSet OpenDataSet(std::string_view packet);

// The statement's Boolean result and, when it is false, why (what Tov_LastError tells a C host).
struct StatementResult {
    bool result = false;
    std::string reason;  // empty when result is true
};

// The consumer statement (Extrato_Tov00000). The six datasets are the host's own, usually opened
// with OpenDataSet: the statement moves, filters and reads them and leaves them where its walks
// end. Like the C export it turns every failure into a false result with its reason and throws
// nothing of its own.
StatementResult Extrato(bool boUtilizaImpFis, const std::string& stCdFilial,
                        const std::string& stEsquemaCor, const std::string& stIdTipoImpNF,
                        const std::string& stCdPortImpNF, tov_dataset& cdsTipoExtCons,
                        tov_dataset& cdsSaldoConsExt, tov_dataset& cdsExtSimples,
                        tov_dataset& cdsExtVenda, tov_dataset& cdsSaldFam,
                        const std::string& stValData, const std::string& stFilial,
                        const std::string& stCaixa, const std::string& stConsumidor,
                        const std::string& stNmConsumidor, tov_dataset& cdsExtrato,
                        int IdTipoImpFis);

// ---- The PAF-ECF identification report ----

// The eight values of ImprimeDadosPaf_Tov00000's parameter array, in their order; the two
// packets are data packets (binary or XML).
struct PafValues {
    std::string stCdFilial;
    std::string stCdCaixa;
    std::string stEsquemaCor;
    std::string oleDadosPaf;         // the identification, values enciphered
    std::string oleBuscaNrSerieEcf;  // one row per fiscal register (NRSERIEIMPRPERS)
    std::string stNrSerie;
    int IdTipoImpFis = 0;
    std::string stIndice;
};

// The PAF-ECF identification report; returns the answer of the back-end's Relatorio_Generico.
bool ImprimeDadosPaf(const PafValues& values);

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
