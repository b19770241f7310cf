#pragma once
// The parameters of the document exports with long parameter lists, each named once: one
// X(kind, name) per parameter, in the order of the export's prototype in tov00000.h. The export
// fills its request from the names, tovprint reads its request keys and makes its call from this
// list, and a test holds it against the prototypes, the C++ wrappers and the Python methods.
//
// The kinds, as the C prototype carries them:
//   text       const char*, a NUL-terminated Windows-1252 text
//   host_text  char* and size_t, the host's text variable and its capacity, which the back-end
//              may write
//   integer    int32_t
//   number     double
//   flag       int32_t, 0 false and anything else true
//   packet     const void* and size_t, a data packet, binary or XML
//   dataset    tov_dataset*, a dataset the host opened with Tov_OpenDataSet
//
// The header has no includes: a list names nothing but parameters.

// Conferencia_Mesa_Tov00000, the table bill.
#define TOV_TABLE_BILL_PARAMETERS(X) \
    X(text, stCdPortaImpFis)         \
    X(text, stNrSerie)               \
    X(text, stEsquemaCor)            \
    X(text, stCdFilial)              \
    X(text, stCdCaixa)               \
    X(text, stIndice)                \
    X(integer, IdTipoImp)            \
    X(host_text, stCupomDia)         \
    X(text, stTipoVenda)             \
    X(text, stNrComanda)             \
    X(text, stNrvendarest)           \
    X(text, stMesa)                  \
    X(text, stNmGarcom)              \
    X(text, stEmissao)               \
    X(packet, DADOS)                 \
    X(number, doVrDesc)              \
    X(number, doConsMin)             \
    X(number, doCouver)              \
    X(number, doVrTxSer)             \
    X(number, doQtPessoas)           \
    X(number, doTotal)               \
    X(number, doAcre)                \
    X(number, doVrDescManual)        \
    X(text, IdLugarMesa)             \
    X(text, IdTpImpParc)             \
    X(text, stCdProdCouver)          \
    X(text, stCdProdConsum)          \
    X(text, stCdProdConsFem)         \
    X(flag, boUtilizaImpFis)         \
    X(text, stPosicao)               \
    X(text, stIdIntHotel)            \
    X(text, stIdImpTxServ)           \
    X(text, stIdComisVenda)          \
    X(text, stIdConDescTxServ)       \
    X(text, stDsTextoTxServ)         \
    X(text, stIdConsDescTxServ)      \
    X(text, stIdUtilFid4All)         \
    X(text, stIdUtilFidUds)

// Extrato_Tov00000, the consumer statement.
#define TOV_CONSUMER_STATEMENT_PARAMETERS(X) \
    X(flag, boUtilizaImpFis)                 \
    X(text, stCdFilial)                      \
    X(text, stEsquemaCor)                    \
    X(text, stIdTipoImpNF)                   \
    X(text, stCdPortImpNF)                   \
    X(dataset, cdsTipoExtCons)               \
    X(dataset, cdsSaldoConsExt)              \
    X(dataset, cdsExtSimples)                \
    X(dataset, cdsExtVenda)                  \
    X(dataset, cdsSaldFam)                   \
    X(text, stValData)                       \
    X(text, stFilial)                        \
    X(text, stCaixa)                         \
    X(text, stConsumidor)                    \
    X(text, stNmConsumidor)                  \
    X(dataset, cdsExtrato)                   \
    X(integer, IdTipoImpFis)

// Cupom_Troca_Tov00000, the exchange coupon.
#define TOV_EXCHANGE_COUPON_PARAMETERS(X) \
    X(integer, IdTipoImpFis)              \
    X(packet, oleProdutos)                \
    X(text, stEsquemaCor)                 \
    X(text, stCdFilial)                   \
    X(text, stCdCaixa)                    \
    X(text, stNmConsumidor)               \
    X(text, stCpfCnpjCon)                 \
    X(text, stTipVen)                     \
    X(number, doNrDias)

// RelatorioVendedor_Tov00000, the sales-by-salesperson report.
#define TOV_SALES_BY_SALESPERSON_PARAMETERS(X) \
    X(text, stCdFilial)                        \
    X(text, stNmFilial)                        \
    X(text, stCdCaixa)                         \
    X(text, stNmCaixa)                         \
    X(text, stEsquemaCor)                      \
    X(text, stCdPortImpNF)                     \
    X(text, stIdTipoImpNF)                     \
    X(packet, P_VENDASVENDEDOR)                \
    X(flag, boUtilizaImpFis)                   \
    X(integer, IdTipoImpFis)                   \
    X(number, doVrTotGeral)

// imprimeTipoRece_Tov00000, the payment-means report.
#define TOV_PAYMENT_MEANS_PARAMETERS(X) \
    X(integer, IdTipoImpFis)            \
    X(text, stCdFilial)                 \
    X(text, stCdCaixa)                  \
    X(text, stEsquemaCor)               \
    X(text, stNrSerie)                  \
    X(text, stMeiosPgto)                \
    X(packet, oleTipoRece)              \
    X(text, stDataIni)                  \
    X(text, stDataFin)
