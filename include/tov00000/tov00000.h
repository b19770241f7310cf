/*
 * Pkg_Tov00000: the print-layout package of the point-of-sale application.
 *
 * The one public C header. A host loads libPkg_Tov00000.so.1 (Pkg_Tov00000.dll), checks
 * Tov_VersionNumber() against the TOV_VERSION_* it was compiled with (the same major version,
 * and not older), registers its print back-end and, optionally, its host services and
 * regional settings, then calls the print functions and lookups by name. docs/abi.md states the
 * contract at length.
 *
 * Conventions of every export:
 *  - it returns an int32_t status: TOV_OK (0) on success, a TOV_E_* code otherwise; Tov_LastError()
 *    then returns the message of this thread's failure (every call starts by clearing it), and
 *    Tov_StatusText() the code's name and meaning;
 *  - texts are NUL-terminated Windows-1252; a NULL text counts as empty;
 *  - a packet is (const void* data, size_t size), binary or XML, told apart by content;
 *  - a text passed by reference is (char* text, size_t capacity), NUL-terminated in and out; an
 * answer that does not fit fails the call with TOV_E_BUFFER, leaves the text unchanged, and
 * Tov_LastRequiredCapacity() tells the capacity that fits;
 *  - the function's own result comes last as an out parameter, which may be NULL; a packet or
 * message result is a tov_variant whose memory belongs to the calling thread until that thread's
 * next call of the same function;
 *  - a table the host registers (tov_backend, tov_host, tov_format_settings) starts with
 * struct_size = sizeof of the structure the host was compiled with; members are only ever
 * appended, and the package reads only those the size covers;
 *  - calls are serialized by one package lock: overlapping calls from several threads wait their
 * turn. The back-end and host callbacks run on the calling thread under that lock; they may call
 * the package again from that thread, and must not throw or longjmp across it;
 *  - floating-point traps are masked while the package runs and the caller's state is restored.
 */
#ifndef TOV00000_H
#define TOV00000_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#if defined(TOV_BUILDING_PACKAGE)
#define TOV_API __declspec(dllexport)
#else
#define TOV_API __declspec(dllimport)
#endif
#define TOV_CALL __cdecl
#define TOV_CALLBACK __cdecl
#else
#define TOV_API __attribute__((visibility("default")))
#define TOV_CALL
#define TOV_CALLBACK
#endif

/* ---- Version -----------------------------------------------------------------------------------
 */

/* The version of this header, the one place it is written. Major: a removed or reordered export
 * or member, or a changed meaning; minor: appended members, new exports; patch: fixes. */
#define TOV_VERSION_MAJOR 1
#define TOV_VERSION_MINOR 0
#define TOV_VERSION_PATCH 0
#define TOV_VERSION_NUMBER (TOV_VERSION_MAJOR * 10000 + TOV_VERSION_MINOR * 100 + TOV_VERSION_PATCH)
#define TOV_VERSION_STRING "1.0.0"

/* The version of the loaded library, as TOV_VERSION_NUMBER and TOV_VERSION_STRING. A host
 * compiled with this header works with a library of the same major version whose number is at
 * least TOV_VERSION_NUMBER. */
TOV_API int32_t TOV_CALL Tov_VersionNumber(void);
TOV_API const char* TOV_CALL Tov_VersionString(void);

/* ---- Status codes ------------------------------------------------------------------------------
 */

enum {
    TOV_OK = 0,
    TOV_E_ARGUMENT = 1,   /* a bad argument: NULL handle, value out of range, missing parameter */
    TOV_E_PACKET = 2,     /* a data packet that cannot be read */
    TOV_E_FIELD = 3,      /* a field name that the data does not hold */
    TOV_E_DATASET = 4,    /* a dataset operation that failed (bad filter, no such index) */
    TOV_E_CONVERSION = 5, /* a value that cannot be converted or formatted */
    TOV_E_DATABASE = 6,   /* the store database */
    TOV_E_FILE = 7,       /* a file that is missing or unreadable */
    TOV_E_BACKEND = 8,    /* a back-end entry point or host service that is missing or failed */
    TOV_E_BUFFER = 9,     /* an answer that does not fit the caller's buffer */
    TOV_E_INTERNAL = 10   /* anything else */
};

/* The message of this thread's last call: why it failed; for a call that succeeded but answered
 * false or a neutral value (the consumer statement, a lookup whose database failed), why; ""
 * otherwise. Valid until this thread's next call, which clears it. */
TOV_API const char* TOV_CALL Tov_LastError(void);

/* The name of a status code and one sentence saying what it means, like "TOV_E_BUFFER: the
 * answer does not fit the caller's buffer."; an unknown code gets a text saying so. Static
 * memory, valid while the library is loaded. */
TOV_API const char* TOV_CALL Tov_StatusText(int32_t status);

/* After a call of this thread that failed with TOV_E_BUFFER: the capacity, terminator included,
 * that the answer needs. 0 after any other outcome. */
TOV_API size_t TOV_CALL Tov_LastRequiredCapacity(void);

/* ---- Variants ----------------------------------------------------------------------------------
 */

enum {
    TOV_VT_EMPTY = 0,
    TOV_VT_NULL = 1,
    TOV_VT_BOOL = 2,   /* boolean */
    TOV_VT_INT = 3,    /* integer */
    TOV_VT_DOUBLE = 4, /* number */
    TOV_VT_TEXT = 5,   /* data, size: Windows-1252 text (not NUL-terminated by contract) */
    TOV_VT_BYTES = 6,  /* data, size: bytes, e.g. a data packet */
    TOV_VT_MISSING = 7 /* the omitted-parameter marker */
};

typedef struct tov_variant {
    int32_t type;
    int32_t boolean;
    int64_t integer;
    double number;
    const void* data;
    size_t size;
} tov_variant;

/* ---- Print back-end ----------------------------------------------------------------------------
 */

/*
 * The host's print back-end, registered with Tov_SetBackend (the package copies the table; the
 * host sets struct_size to sizeof(tov_backend), and a member beyond it counts as NULL). Each
 * entry point takes ctx first, then its arguments in their documented order; a text buffer is
 * (data, size) and may hold control bytes and NUL. Each returns a Boolean (0 false); the package
 * ignores it where the document does not use it. An entry point left NULL fails the document that
 * needs it with TOV_E_BACKEND and a message naming it.
 */
typedef struct tov_backend {
    uint32_t struct_size; /* sizeof(tov_backend) as the host compiled it */
    void* ctx;
    int32_t(TOV_CALLBACK* Conferencia_Formatada)(void* ctx, const char* stEsquemaCor,
                                                 const char* stCdFilial, const char* stCdCaixa,
                                                 const char* stNrSerie, const char* stIndice,
                                                 const char* stNrvendarest, char* stCupomDia,
                                                 size_t stCupomDia_capacity, const char* buffer,
                                                 size_t buffer_size);
    int32_t(TOV_CALLBACK* Conferencia_Outras)(
        void* ctx, const char* stCdPortaImpFis, const char* stEsquemaCor, const char* stCdFilial,
        const char* stCdCaixa, char* stCupomDia, size_t stCupomDia_capacity,
        const char* stTipoVenda, const char* stNrComanda, const char* stMesa,
        const char* stNmGarcom, const char* stEmissao, const void* DADOS, size_t DADOS_size,
        double doVrDesc, double doConsMin, double doCouver, double doVrTxSer, double doQtPessoas,
        double doTotal, double doAcre, int32_t IdTipoImp);
    int32_t(TOV_CALLBACK* DisparaImpressaoNaoFiscal)(void* ctx, const tov_variant* args,
                                                     int32_t args_high, tov_variant* answer);
    int32_t(TOV_CALLBACK* AjustaImpressaoDireta)(void* ctx, const char* empty1,
                                                 const char* IdTipoImp, const char* empty2,
                                                 int32_t* inTamLinha);
    int32_t(TOV_CALLBACK* Cupom_Troca)(void* ctx, const char* stEsquemaCor, const char* stCdFilial,
                                       const char* stCdCaixa, const char* buffer,
                                       size_t buffer_size);
    int32_t(TOV_CALLBACK* Nr_Cupom)(void* ctx, int32_t zero1, int32_t zero2, char* stNrCupom,
                                    size_t stNrCupom_capacity);
    int32_t(TOV_CALLBACK* imprimeTipoRece)(void* ctx, const char* stCdFilial, const char* stCdCaixa,
                                           const char* stEsquemaCor, const char* stNrSerie,
                                           const char* buffer, size_t buffer_size,
                                           const char* stMeiosPgto);
    int32_t(TOV_CALLBACK* Cabecalho)(void* ctx, const char* stCdFilial, const char* stEsquemaCor,
                                     const char* stFilial, const char* stCaixa, int32_t zero1,
                                     int32_t zero2);
    int32_t(TOV_CALLBACK* Extrato)(void* ctx, const char* buffer, size_t buffer_size,
                                   const char* stEsquemaCor);
    int32_t(TOV_CALLBACK* Usa_CompNFis)(void* ctx, const char* stEsquemaCor, const char* piece,
                                        size_t piece_size);
    int32_t(TOV_CALLBACK* Relatorio_Gerencial_Imp)(void* ctx, const char* stEsquemaCor,
                                                   const char* stCdFilial, const char* stCdCaixa,
                                                   int32_t zero1, int32_t zero2);
    int32_t(TOV_CALLBACK* FechRelatGerenc)(void* ctx, const char* stEsquemaCor, int32_t flag,
                                           int32_t zero);
    int32_t(TOV_CALLBACK* Relatorio_Generico)(void* ctx, const char* stEsquemaCor,
                                              const char* stCdFilial, const char* stCdCaixa,
                                              const char* buffer, size_t buffer_size,
                                              const char* stNrSerie, const char* stIndice);
    int32_t(TOV_CALLBACK* ImprimePadrao)(void* ctx, const char* stCdPortImpNF,
                                         const char* stIdTipoImpNF, const char* buffer,
                                         size_t buffer_size);
} tov_backend;

/* The smallest struct_size the package accepts for each table: the end of its last 1.0 member. A
 * smaller one fails the registration with TOV_E_ARGUMENT naming the structure. */
#define TOV_MEMBER_END(type, member) (offsetof(type, member) + sizeof(((type*)0)->member))
#define TOV_BACKEND_SIZE_1_0 TOV_MEMBER_END(tov_backend, ImprimePadrao)

/* NULL unregisters every entry point. */
TOV_API int32_t TOV_CALL Tov_SetBackend(const tov_backend* backend);

/* ---- Host services -----------------------------------------------------------------------------
 */

/*
 * Services of the host, registered with Tov_SetHost (the package copies the table; the host sets
 * struct_size to sizeof(tov_host), and a member beyond it counts as NULL). A NULL member
 * selects the package's built-in default:
 *  - ConfiguraImpressora: the printer table file named by TOV_PRINTERS (else the built-in table);
 *  - GetStringConexPld: the environment variable TOV_CONNECTION, else the demo store;
 *  - SetADODBSession: nothing;
 *  - ADOExceptionMessage: the database error's own message;
 *  - Uncripto: the package's documented cipher;
 *  - Now: the system clock;
 *  - ExePath: the running program's path.
 * Out texts are NUL-terminated within their capacity.
 */
typedef struct tov_host {
    uint32_t struct_size; /* sizeof(tov_host) as the host compiled it */
    void* ctx;
    void(TOV_CALLBACK* ConfiguraImpressora)(void* ctx, int32_t kind, int32_t flag1, int32_t flag2,
                                            int32_t* inTipoLetra, int32_t* inTamLinha,
                                            char* stEnter, size_t stEnter_capacity,
                                            char* stCortaPapel, size_t stCortaPapel_capacity,
                                            char* stNrCupom, size_t stNrCupom_capacity);
    void(TOV_CALLBACK* GetStringConexPld)(void* ctx, const char* arg, char* out, size_t capacity);
    void(TOV_CALLBACK* SetADODBSession)(void* ctx, void* connection);
    void(TOV_CALLBACK* ADOExceptionMessage)(void* ctx, const char* error, void* connection,
                                            const char* text, char* out, size_t capacity);
    void(TOV_CALLBACK* Uncripto)(void* ctx, const char* text, int32_t key, char* out,
                                 size_t capacity);
    double(TOV_CALLBACK* Now)(void* ctx); /* days since 1899-12-30 */
    void(TOV_CALLBACK* ExePath)(void* ctx, char* out, size_t capacity);
} tov_host;

#define TOV_HOST_SIZE_1_0 TOV_MEMBER_END(tov_host, ExePath)

/* NULL returns to the built-in defaults for every service. */
TOV_API int32_t TOV_CALL Tov_SetHost(const tov_host* host);

/* ---- Regional settings -------------------------------------------------------------------------
 */

/* Default: Brazilian Portuguese: ',' '.' "dd/mm/yyyy" "R$" 2 9 2. The host sets struct_size to
 * sizeof(tov_format_settings); a member beyond it keeps its default. */
typedef struct tov_format_settings {
    uint32_t struct_size; /* sizeof(tov_format_settings) as the host compiled it */
    char DecimalSeparator;
    char ThousandSeparator;
    const char* ShortDateFormat; /* like "dd/mm/yyyy" */
    const char* CurrencyString;
    int32_t CurrencyFormat;   /* 0-3 */
    int32_t NegCurrFormat;    /* 0-15 */
    int32_t CurrencyDecimals; /* 0-18 */
} tov_format_settings;

#define TOV_FORMAT_SETTINGS_SIZE_1_0 TOV_MEMBER_END(tov_format_settings, CurrencyDecimals)

/* The settings are checked (a NULL text or a value out of range fails with TOV_E_ARGUMENT naming
 * the member); the date separator is the first separator character of ShortDateFormat. NULL
 * returns to the default. */
TOV_API int32_t TOV_CALL Tov_SetFormatSettings(const tov_format_settings* settings);

/* ---- Host client datasets ----------------------------------------------------------------------
 */

typedef struct tov_dataset tov_dataset;

/* A NULL handle fails with TOV_E_ARGUMENT, except in Tov_DataSetFree, where it does nothing.
 * Tov_DataSetOpen takes a binary or XML data packet of at most 65,535 fields and 50,000,000 cells
 * (fields x rows, change-log versions included); a packet declaring more fails with TOV_E_PACKET
 * naming its counts, before any row is stored. */
TOV_API int32_t TOV_CALL Tov_DataSetOpen(const void* packet, size_t size, tov_dataset** out);
TOV_API int32_t TOV_CALL Tov_DataSetFree(tov_dataset* ds);
TOV_API int32_t TOV_CALL Tov_DataSetFirst(tov_dataset* ds);
TOV_API int32_t TOV_CALL Tov_DataSetNext(tov_dataset* ds);
TOV_API int32_t TOV_CALL Tov_DataSetEof(tov_dataset* ds, int32_t* eof);
TOV_API int32_t TOV_CALL Tov_DataSetRecordCount(tov_dataset* ds, int32_t* n);
TOV_API int32_t TOV_CALL Tov_DataSetGetRecNo(tov_dataset* ds, int32_t* recno);
TOV_API int32_t TOV_CALL Tov_DataSetSetRecNo(tov_dataset* ds, int32_t recno);
TOV_API int32_t TOV_CALL Tov_DataSetGetFilter(tov_dataset* ds, char* out, size_t capacity);
TOV_API int32_t TOV_CALL Tov_DataSetSetFilter(tov_dataset* ds, const char* expression);
TOV_API int32_t TOV_CALL Tov_DataSetGetFiltered(tov_dataset* ds, int32_t* on);
TOV_API int32_t TOV_CALL Tov_DataSetSetFiltered(tov_dataset* ds, int32_t on);
TOV_API int32_t TOV_CALL Tov_DataSetFieldText(tov_dataset* ds, const char* field, char* out,
                                              size_t capacity);

/* ---- Package start and stop --------------------------------------------------------------------
 */

typedef struct tov_unit_entry {
    const char* unit; /* unit name, in initialisation order */
    int32_t has_start;
    int32_t has_stop;
} tov_unit_entry;

typedef struct tov_package_info {
    int32_t flags; /* TOV_PACKAGE_RUNTIME_ONLY */
    int32_t required_count;
    const char* const* required; /* required packages, in order ("requires" is a C++ keyword) */
    int32_t contains_count;
    const char* const* contains; /* contained units */
    int32_t unit_count;
    const tov_unit_entry* units; /* start and stop entry points, ending with the package's unit */
} tov_package_info;

enum { TOV_PACKAGE_RUNTIME_ONLY = 1 };

TOV_API int32_t TOV_CALL Initialize(void);
TOV_API int32_t TOV_CALL Finalize(void);
TOV_API int32_t TOV_CALL GetPackageInfoTable(const tov_package_info** result);

/* The data module instance: NULL until the first print function that creates it. Opaque. */
TOV_API int32_t TOV_CALL Tov00000_dtmGeral(const void** result);

/* ---- Print functions ---------------------------------------------------------------------------
 */

TOV_API int32_t TOV_CALL RelatorioVendedor_Tov00000(
    const char* stCdFilial, const char* stNmFilial, const char* stCdCaixa, const char* stNmCaixa,
    const char* stEsquemaCor, const char* stCdPortImpNF, const char* stIdTipoImpNF,
    const void* P_VENDASVENDEDOR, size_t P_VENDASVENDEDOR_size, int32_t boUtilizaImpFis,
    int32_t IdTipoImpFis, double doVrTotGeral, int32_t* result);

/* The table bill: the partial bill of a table or ticket that the waiter prints for the guests to
 * check, for the whole ticket, or one bill per seat of the seat list stPosicao ("01;02;03": each
 * two-character seat followed by one separator character; "" or "T": the whole ticket; at most
 * 99 seat bills, a longer list fails with TOV_E_ARGUMENT before anything is printed).
 * DADOS: the ticket's items (NRLUGARMESA, NRPRODCOMVEN, CDPRODUTO, NMPRODUTO, CDPRODIMPFIS,
 * CDARVPROD, QTPRODCOMVEN, VRPRECCOMVEN, VRDESCCOMVEN, VRACRCOMVEN, IDSTPRCOMVEN, IDCOBTXSERV,
 * NRMESADSCOMORIT, CDCONSUMIDOR, NMCONSUMIDOR, NMLOJA, DTCHECKINPH, DTCHECKOUTPH, DTHRABERMESA,
 * VRCOMISVENDA, VRCOMISVENDA2, VRCOMISVENDA3). The till's operator, the loyalty balance and
 * discount, the consumer's name, the payments taken and the till's footer text come from the
 * store database; the country, state and core-banking switch from PARAMETROSPLD.CDS beside the
 * host executable (the ExePath host service; no file: a Portuguese bill); the stay time from the
 * Now host service.
 * A fiscal bill (IdTpImpParc "F" and boUtilizaImpFis) goes to the back-end's
 * Conferencia_Formatada; *result is 1 when it accepted every seat bill, else 0 with TOV_OK and
 * Tov_LastError naming the seats refused; on printer kinds 16, 30, 41 and 44 nothing is composed
 * and Conferencia_Outras gets the items and amounts, its answer being *result (0: Tov_LastError
 * says it refused). A non-fiscal bill goes to DisparaImpressaoNaoFiscal (in Spanish for the
 * country "01"), and *result is 1 once every seat bill is handed off.
 * An amount passed, or printed on a bill, must be finite and below 1E15 in magnitude: otherwise
 * the call fails with TOV_E_ARGUMENT naming it, before that bill is handed off.
 * stCupomDia (stCupomDia_capacity bytes, NUL-terminated) is the host's own buffer, handed to the
 * fiscal entry points, which may write into it; the bill never writes it. NULL counts as empty.
 * A failure while a seat bill is composed, running out of memory included, fails the call naming
 * the seat and the seat bills already handed off; nothing of the failing seat bill reaches the
 * back-end. */
TOV_API int32_t TOV_CALL Conferencia_Mesa_Tov00000(
    const char* stCdPortaImpFis, const char* stNrSerie, const char* stEsquemaCor,
    const char* stCdFilial, const char* stCdCaixa, const char* stIndice, int32_t IdTipoImp,
    char* stCupomDia, size_t stCupomDia_capacity, const char* stTipoVenda, const char* stNrComanda,
    const char* stNrvendarest, const char* stMesa, const char* stNmGarcom, const char* stEmissao,
    const void* DADOS, size_t DADOS_size, double doVrDesc, double doConsMin, double doCouver,
    double doVrTxSer, double doQtPessoas, double doTotal, double doAcre, double doVrDescManual,
    const char* IdLugarMesa, const char* IdTpImpParc, const char* stCdProdCouver,
    const char* stCdProdConsum, const char* stCdProdConsFem, int32_t boUtilizaImpFis,
    const char* stPosicao, const char* stIdIntHotel, const char* stIdImpTxServ,
    const char* stIdComisVenda, const char* stIdConDescTxServ, const char* stDsTextoTxServ,
    const char* stIdConsDescTxServ, const char* stIdUtilFid4All, const char* stIdUtilFidUds,
    int32_t* result);

/* The exchange coupon. oleProdutos: the sale's products (CDPRODIMPFIS, CDARVPROD, NMPRODUTO,
 * QTPRODCOMVEN, SGUNIDADE). The back-end's Nr_Cupom gives the coupon number; the coupon goes to
 * its Cupom_Troca, whose answer is *result. */
TOV_API int32_t TOV_CALL Cupom_Troca_Tov00000(int32_t IdTipoImpFis, const void* oleProdutos,
                                              size_t oleProdutos_size, const char* stEsquemaCor,
                                              const char* stCdFilial, const char* stCdCaixa,
                                              const char* stNmConsumidor, const char* stCpfCnpjCon,
                                              const char* stTipVen, double doNrDias,
                                              int32_t* result);

/* The payment-means report. oleTipoRece: one row per receipt (DTMOVIMCAIXA, TIPO, NMTIPORECE,
 * VALOR, CDTIPORECE). The report goes to the back-end's imprimeTipoRece; it has no result. */
TOV_API int32_t TOV_CALL imprimeTipoRece_Tov00000(int32_t IdTipoImpFis, const char* stCdFilial,
                                                  const char* stCdCaixa, const char* stEsquemaCor,
                                                  const char* stNrSerie, const char* stMeiosPgto,
                                                  const void* oleTipoRece, size_t oleTipoRece_size,
                                                  const char* stDataIni, const char* stDataFin);

/* The PAF-ECF identification report. arParams (arParams_high: index of its last element) holds at
 * least eight values, in order: stCdFilial, stCdCaixa, stEsquemaCor (texts), oleDadosPaf (packet
 * of the identification, values enciphered), oleBuscaNrSerieEcf (packet of the fiscal registers'
 * serial numbers, NRSERIEIMPRPERS), stNrSerie (text), IdTipoImpFis (integer: the printer kind,
 * which sets the line layout), stIndice (text); fewer fail with TOV_E_ARGUMENT. The file digests
 * are read from Dados/Cadastros/ArquivosPldMd5.cds and Palindo.cds beside the host executable
 * (the ExePath host service). The report goes to the back-end's Relatorio_Generico, whose answer
 * is *result. oleRetorno is neither read nor written. */
TOV_API int32_t TOV_CALL ImprimeDadosPaf_Tov00000(const tov_variant* arParams,
                                                  int32_t arParams_high, tov_variant* oleRetorno,
                                                  int32_t* result);

/* The consumer statement: the movements and balances of a consumer's prepaid account, family by
 * family. The six datasets are the host's own handles (Tov_DataSetOpen); the statement moves,
 * filters and reads them and leaves them where its walks end, so the host sees its marks:
 * cdsExtSimples filtered to the last family, cdsExtVenda to the last sale printed.
 * IDEMISEXTRSIMPL of cdsTipoExtCons's current row chooses the layout: "S" the simple statement
 * (cdsSaldoConsExt, cdsExtSimples), anything else the detailed one (all movements in cdsExtrato,
 * walked from its current row). stValData is not read.
 * The statement turns every failure into *result = false: the status is then still TOV_OK, and
 * Tov_LastError() tells why *result is false (a NULL dataset handle, a missing field, no
 * movement to print, a back-end answer of false, ...). */
TOV_API int32_t TOV_CALL Extrato_Tov00000(int32_t boUtilizaImpFis, const char* stCdFilial,
                                          const char* stEsquemaCor, const char* stIdTipoImpNF,
                                          const char* stCdPortImpNF, tov_dataset* cdsTipoExtCons,
                                          tov_dataset* cdsSaldoConsExt, tov_dataset* cdsExtSimples,
                                          tov_dataset* cdsExtVenda, tov_dataset* cdsSaldFam,
                                          const char* stValData, const char* stFilial,
                                          const char* stCaixa, const char* stConsumidor,
                                          const char* stNmConsumidor, tov_dataset* cdsExtrato,
                                          int32_t IdTipoImpFis, int32_t* result);

/* ---- Sale lookups ------------------------------------------------------------------------------
 */

/*
 * Questions about a sale in progress, answered from the store database (the connection string of
 * the host's GetStringConexPld, else TOV_CONNECTION, else the demo store). The connection opens
 * with the first lookup and stays open. A lookup called before any print function creates the
 * data module itself. A lookup's database failure is its answer, not a failed status: the
 * discounts are 0 and the name is "" (Tov_LastError then holds the database's error), and a
 * packet lookup gives, as TOV_VT_TEXT, the text of the host's ADOExceptionMessage in place of the
 * packet (TOV_VT_BYTES, a binary data packet). The
 * status fails only for the arguments (TOV_E_BUFFER: the name does not fit result). A variant
 * result points into memory of the calling thread, kept until that thread's next call of the same
 * lookup; other threads' calls never touch it.
 */
/* CDCLIENTE, CDCONSUMIDOR, NMCONSUMIDOR, VRSALDOCONS of the consumer of the ticket described
 * stNRCOMANDA. */
TOV_API int32_t TOV_CALL Tov00000_SaldoFidelidade(const char* stCDFILIAL, const char* stNRCOMANDA,
                                                  tov_variant* result);
/* CDOPERADOR, NMOPERADOR of the till's shift opened today (the host's Now, in the short date
 * format of the regional settings) and not closed. */
TOV_API int32_t TOV_CALL Tov00000_GetCaixa(const char* CDCAIXA, tov_variant* result);
/* The loyalty and cash-back discounts of the first ticket whose number occurs in P_NRCOMANDA. */
TOV_API int32_t TOV_CALL Tov00000_getDescontoFid(const char* P_CDFILIAL, const char* P_NRCOMANDA,
                                                 double* result);
TOV_API int32_t TOV_CALL Tov00000_getDescCash4All(const char* P_CDFILIAL, const char* P_NRCOMANDA,
                                                  double* result);
TOV_API int32_t TOV_CALL Tov00000_getDescCashUds(const char* P_CDFILIAL, const char* P_NRCOMANDA,
                                                 double* result);
TOV_API int32_t TOV_CALL Tov00000_getDescCoreBanc(const char* P_CDFILIAL, const char* P_NRCOMANDA,
                                                  double* result);
/* The consumer's name for a sale and ticket; only items of seat stPosicao when it is not empty. */
TOV_API int32_t TOV_CALL Tov00000_getNMCONSUMIDOR(const char* P_NRVENDAREST,
                                                  const char* P_NRCOMANDA, const char* stPosicao,
                                                  char* result, size_t result_capacity);
/* NMTIPORECE, VRMOV: the payments already taken for a sale, of seat P_NRLUGARMESA and seat "00". */
TOV_API int32_t TOV_CALL Tov00000_getMovCaixaMob(const char* P_CDFILIAL, const char* P_NRVENDAREST,
                                                 const char* P_NRLUGARMESA, tov_variant* result);

#ifdef __cplusplus
}
#endif

#endif /* TOV00000_H */
