#pragma once
// The package for C++ hosts: the functions of tov00000.h with std::string arguments
// (Windows-1252 bytes) and exceptions. Header only: every function is an inline wrapper over the
// C export of the same name, so a host needs nothing but the shared library, and every call
// passes the package's lock and floating-point guard like a C host's. A failed call throws
// tov::PackageError carrying the export's status code and Tov_LastError's message.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tov00000/tov00000.h"

namespace tov {

// A call of the package that did not return TOV_OK.
class PackageError : public std::runtime_error {
public:
    PackageError(int32_t status, const std::string& message)
        : std::runtime_error(message), status_(status) {}

    // The TOV_E_* code the export returned.
    int32_t status() const noexcept { return status_; }

private:
    int32_t status_;
};

// The version of the loaded library ("1.0.0") and whether it serves a host compiled with this
// header: the same major version and at least this header's minor and patch.
inline std::string LibraryVersion() {
    const char* version = Tov_VersionString();
    return version != nullptr ? version : "";
}
inline bool LibraryFitsThisHeader() {
    const int32_t number = Tov_VersionNumber();
    return number / 10000 == TOV_VERSION_MAJOR && number >= TOV_VERSION_NUMBER;
}

namespace detail {

// Throws PackageError for a status other than TOV_OK, with the message of this thread's last
// failure.
inline void check(int32_t status) {
    if (status == TOV_OK) return;
    const char* message = Tov_LastError();
    throw PackageError(status, message != nullptr ? message : "");
}

inline const void* bytes(std::string_view packet) {
    return packet.data();
}

}  // namespace detail

// ---- Registrations ----

// Registers the back-end, host services and regional settings (each copied by the package).
// struct_size is set here to the size of the structure this header declares, which is the one
// the host was compiled with.
inline void SetBackend(tov_backend backend) {
    backend.struct_size = sizeof backend;
    detail::check(Tov_SetBackend(&backend));
}
inline void SetHost(tov_host host) {
    host.struct_size = sizeof host;
    detail::check(Tov_SetHost(&host));
}
inline void SetFormatSettings(tov_format_settings settings) {
    settings.struct_size = sizeof settings;
    detail::check(Tov_SetFormatSettings(&settings));
}

// dtmGeral: nullptr until the first print function has created the data module.
inline const void* DataModule() {
    const void* module = nullptr;
    detail::check(Tov00000_dtmGeral(&module));
    return module;
}

// ---- Print functions ----

// The sales-by-salesperson report; P_VENDASVENDEDOR is a data packet (binary or XML). Returns
// true when it completes.
inline bool RelatorioVendedor(const std::string& stCdFilial, const std::string& stNmFilial,
                              const std::string& stCdCaixa, const std::string& stNmCaixa,
                              const std::string& stEsquemaCor, const std::string& stCdPortImpNF,
                              const std::string& stIdTipoImpNF, std::string_view P_VENDASVENDEDOR,
                              bool boUtilizaImpFis, int IdTipoImpFis, double doVrTotGeral) {
    int32_t result = 0;
    detail::check(RelatorioVendedor_Tov00000(
        stCdFilial.c_str(), stNmFilial.c_str(), stCdCaixa.c_str(), stNmCaixa.c_str(),
        stEsquemaCor.c_str(), stCdPortImpNF.c_str(), stIdTipoImpNF.c_str(),
        detail::bytes(P_VENDASVENDEDOR), P_VENDASVENDEDOR.size(), boUtilizaImpFis ? 1 : 0,
        IdTipoImpFis, doVrTotGeral, &result));
    return result != 0;
}

// The 38 arguments of Conferencia_Mesa_Tov00000, in their order; DADOS is a data packet (binary or
// XML). stCupomDia is the host's coupon-number variable: the fiscal entry points may set it.
struct ConferenciaValues {
    std::string stCdPortaImpFis;
    std::string stNrSerie;
    std::string stEsquemaCor;
    std::string stCdFilial;
    std::string stCdCaixa;
    std::string stIndice;
    int IdTipoImp = 0;
    std::string stCupomDia;
    std::string stTipoVenda;
    std::string stNrComanda;
    std::string stNrvendarest;
    std::string stMesa;
    std::string stNmGarcom;
    std::string stEmissao;
    std::string DADOS;
    double doVrDesc = 0;
    double doConsMin = 0;
    double doCouver = 0;
    double doVrTxSer = 0;
    double doQtPessoas = 0;
    double doTotal = 0;
    double doAcre = 0;
    double doVrDescManual = 0;
    std::string IdLugarMesa;
    std::string IdTpImpParc;
    std::string stCdProdCouver;
    std::string stCdProdConsum;
    std::string stCdProdConsFem;
    bool boUtilizaImpFis = false;
    std::string stPosicao;
    std::string stIdIntHotel;
    std::string stIdImpTxServ;
    std::string stIdComisVenda;
    std::string stIdConDescTxServ;
    std::string stDsTextoTxServ;
    std::string stIdConsDescTxServ;
    std::string stIdUtilFid4All;
    std::string stIdUtilFidUds;
};

// The table bill (see Conferencia_Mesa_Tov00000). The fiscal entry points get stCupomDia in a
// buffer of at least 4096 bytes; what they leave there is back in values.stCupomDia afterwards.
inline bool ConferenciaMesa(ConferenciaValues& values) {
    std::string cupom = values.stCupomDia;
    cupom.resize(cupom.size() < 4096 ? 4096 : cupom.size() + 1, '\0');
    int32_t result = 0;
    const int32_t status = Conferencia_Mesa_Tov00000(
        values.stCdPortaImpFis.c_str(), values.stNrSerie.c_str(), values.stEsquemaCor.c_str(),
        values.stCdFilial.c_str(), values.stCdCaixa.c_str(), values.stIndice.c_str(),
        values.IdTipoImp, cupom.data(), cupom.size(), values.stTipoVenda.c_str(),
        values.stNrComanda.c_str(), values.stNrvendarest.c_str(), values.stMesa.c_str(),
        values.stNmGarcom.c_str(), values.stEmissao.c_str(), detail::bytes(values.DADOS),
        values.DADOS.size(), values.doVrDesc, values.doConsMin, values.doCouver, values.doVrTxSer,
        values.doQtPessoas, values.doTotal, values.doAcre, values.doVrDescManual,
        values.IdLugarMesa.c_str(), values.IdTpImpParc.c_str(), values.stCdProdCouver.c_str(),
        values.stCdProdConsum.c_str(), values.stCdProdConsFem.c_str(),
        values.boUtilizaImpFis ? 1 : 0, values.stPosicao.c_str(), values.stIdIntHotel.c_str(),
        values.stIdImpTxServ.c_str(), values.stIdComisVenda.c_str(),
        values.stIdConDescTxServ.c_str(), values.stDsTextoTxServ.c_str(),
        values.stIdConsDescTxServ.c_str(), values.stIdUtilFid4All.c_str(),
        values.stIdUtilFidUds.c_str(), &result);
    cupom.back() = '\0';
    values.stCupomDia = cupom.c_str();
    detail::check(status);
    return result != 0;
}

// The exchange coupon; oleProdutos is a data packet (binary or XML). Returns the answer of the
// back-end's Cupom_Troca.
inline bool CupomTroca(int IdTipoImpFis, std::string_view oleProdutos,
                       const std::string& stEsquemaCor, const std::string& stCdFilial,
                       const std::string& stCdCaixa, const std::string& stNmConsumidor,
                       const std::string& stCpfCnpjCon, const std::string& stTipVen,
                       double doNrDias) {
    int32_t result = 0;
    detail::check(Cupom_Troca_Tov00000(IdTipoImpFis, detail::bytes(oleProdutos), oleProdutos.size(),
                                       stEsquemaCor.c_str(), stCdFilial.c_str(), stCdCaixa.c_str(),
                                       stNmConsumidor.c_str(), stCpfCnpjCon.c_str(),
                                       stTipVen.c_str(), doNrDias, &result));
    return result != 0;
}

// The payment-means report; oleTipoRece is a data packet (binary or XML).
inline void imprimeTipoRece(int IdTipoImpFis, const std::string& stCdFilial,
                            const std::string& stCdCaixa, const std::string& stEsquemaCor,
                            const std::string& stNrSerie, const std::string& stMeiosPgto,
                            std::string_view oleTipoRece, const std::string& stDataIni,
                            const std::string& stDataFin) {
    detail::check(imprimeTipoRece_Tov00000(
        IdTipoImpFis, stCdFilial.c_str(), stCdCaixa.c_str(), stEsquemaCor.c_str(),
        stNrSerie.c_str(), stMeiosPgto.c_str(), detail::bytes(oleTipoRece), oleTipoRece.size(),
        stDataIni.c_str(), stDataFin.c_str()));
}

// ---- Host datasets and the consumer statement ----

// Frees a dataset opened by OpenDataSet (or Tov_DataSetOpen).
struct DataSetFree {
    void operator()(tov_dataset* ds) const noexcept { Tov_DataSetFree(ds); }
};

// A host dataset the caller owns; *dataset is the handle of tov00000.h, so the Tov_DataSet*
// functions read and move it.
using DataSet = std::unique_ptr<tov_dataset, DataSetFree>;

// Opens a dataset from a data packet (binary or XML), with the regional settings registered at
// the time; a packet that cannot be read throws.
inline DataSet OpenDataSet(std::string_view packet) {
    tov_dataset* handle = nullptr;
    detail::check(Tov_DataSetOpen(detail::bytes(packet), packet.size(), &handle));
    return DataSet(handle);
}

// The statement's Boolean result and, when it is false, why (what Tov_LastError tells a C host).
struct StatementResult {
    bool result = false;
    std::string reason;  // empty when result is true
};

// The consumer statement (Extrato_Tov00000). The six datasets are the host's own, usually opened
// with OpenDataSet: the statement moves, filters and reads them and leaves them where its walks
// end. Like the C export it turns every failure of the statement into a false result with its
// reason.
inline StatementResult Extrato(bool boUtilizaImpFis, const std::string& stCdFilial,
                               const std::string& stEsquemaCor, const std::string& stIdTipoImpNF,
                               const std::string& stCdPortImpNF, tov_dataset& cdsTipoExtCons,
                               tov_dataset& cdsSaldoConsExt, tov_dataset& cdsExtSimples,
                               tov_dataset& cdsExtVenda, tov_dataset& cdsSaldFam,
                               const std::string& stValData, const std::string& stFilial,
                               const std::string& stCaixa, const std::string& stConsumidor,
                               const std::string& stNmConsumidor, tov_dataset& cdsExtrato,
                               int IdTipoImpFis) {
    int32_t result = 0;
    detail::check(Extrato_Tov00000(
        boUtilizaImpFis ? 1 : 0, stCdFilial.c_str(), stEsquemaCor.c_str(), stIdTipoImpNF.c_str(),
        stCdPortImpNF.c_str(), &cdsTipoExtCons, &cdsSaldoConsExt, &cdsExtSimples, &cdsExtVenda,
        &cdsSaldFam, stValData.c_str(), stFilial.c_str(), stCaixa.c_str(), stConsumidor.c_str(),
        stNmConsumidor.c_str(), &cdsExtrato, IdTipoImpFis, &result));
    if (result != 0) return {true, ""};
    const char* reason = Tov_LastError();
    return {false, reason != nullptr ? reason : ""};
}

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

namespace detail {

inline tov_variant text_variant(std::string_view text, int32_t type = TOV_VT_TEXT) {
    tov_variant value{};
    value.type = type;
    value.data = text.data();
    value.size = text.size();
    return value;
}

inline tov_variant integer_variant(int64_t number) {
    tov_variant value{};
    value.type = TOV_VT_INT;
    value.integer = number;
    return value;
}

}  // namespace detail

// The PAF-ECF identification report; returns the answer of the back-end's Relatorio_Generico.
inline bool ImprimeDadosPaf(const PafValues& values) {
    const tov_variant arParams[] = {
        detail::text_variant(values.stCdFilial),
        detail::text_variant(values.stCdCaixa),
        detail::text_variant(values.stEsquemaCor),
        detail::text_variant(values.oleDadosPaf, TOV_VT_BYTES),
        detail::text_variant(values.oleBuscaNrSerieEcf, TOV_VT_BYTES),
        detail::text_variant(values.stNrSerie),
        detail::integer_variant(values.IdTipoImpFis),
        detail::text_variant(values.stIndice),
    };
    tov_variant oleRetorno{};
    int32_t result = 0;
    detail::check(ImprimeDadosPaf_Tov00000(arParams, 7, &oleRetorno, &result));
    return result != 0;
}

// ---- Sale lookups (see tov00000.h) ----

// A packet lookup's answer: a binary data packet, or the database error's text in its place.
struct LookupAnswer {
    bool is_packet = false;
    std::string data;
};

namespace detail {

inline LookupAnswer answer_of(const tov_variant& result) {
    LookupAnswer answer;
    answer.is_packet = result.type == TOV_VT_BYTES;
    if (result.data != nullptr)
        answer.data.assign(static_cast<const char*>(result.data), result.size);
    return answer;
}

template <class Lookup, class... Texts>
LookupAnswer packet_lookup(Lookup lookup, const Texts&... texts) {
    tov_variant result{};
    check(lookup(texts.c_str()..., &result));
    return answer_of(result);
}

template <class Lookup>
double discount_lookup(Lookup lookup, const std::string& cdfilial, const std::string& nrcomanda) {
    double result = 0;
    check(lookup(cdfilial.c_str(), nrcomanda.c_str(), &result));
    return result;
}

}  // namespace detail

inline LookupAnswer SaldoFidelidade(const std::string& stCDFILIAL, const std::string& stNRCOMANDA) {
    return detail::packet_lookup(Tov00000_SaldoFidelidade, stCDFILIAL, stNRCOMANDA);
}

inline LookupAnswer GetCaixa(const std::string& CDCAIXA) {
    return detail::packet_lookup(Tov00000_GetCaixa, CDCAIXA);
}

inline double getDescontoFid(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA) {
    return detail::discount_lookup(Tov00000_getDescontoFid, P_CDFILIAL, P_NRCOMANDA);
}

inline double getDescCash4All(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA) {
    return detail::discount_lookup(Tov00000_getDescCash4All, P_CDFILIAL, P_NRCOMANDA);
}

inline double getDescCashUds(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA) {
    return detail::discount_lookup(Tov00000_getDescCashUds, P_CDFILIAL, P_NRCOMANDA);
}

inline double getDescCoreBanc(const std::string& P_CDFILIAL, const std::string& P_NRCOMANDA) {
    return detail::discount_lookup(Tov00000_getDescCoreBanc, P_CDFILIAL, P_NRCOMANDA);
}

// The name, however long: when the first buffer proves too small, the lookup is asked once more
// with the capacity Tov_LastRequiredCapacity tells.
inline std::string getNMCONSUMIDOR(const std::string& P_NRVENDAREST, const std::string& P_NRCOMANDA,
                                   const std::string& stPosicao) {
    const auto ask = [&](std::string& name) {
        return Tov00000_getNMCONSUMIDOR(P_NRVENDAREST.c_str(), P_NRCOMANDA.c_str(),
                                        stPosicao.c_str(), name.data(), name.size());
    };
    std::string name(256, '\0');
    int32_t status = ask(name);
    if (status == TOV_E_BUFFER && Tov_LastRequiredCapacity() > name.size()) {
        name.assign(Tov_LastRequiredCapacity(), '\0');
        status = ask(name);
    }
    detail::check(status);
    name.resize(name.find('\0'));
    return name;
}

inline LookupAnswer getMovCaixaMob(const std::string& P_CDFILIAL, const std::string& P_NRVENDAREST,
                                   const std::string& P_NRLUGARMESA) {
    return detail::packet_lookup(Tov00000_getMovCaixaMob, P_CDFILIAL, P_NRVENDAREST, P_NRLUGARMESA);
}

}  // namespace tov
