#pragma once
// The arguments of Conferencia_Mesa_Tov00000, the table bill, in their order.

#include <string>
#include <string_view>

#include "services/backend.hpp"

namespace tov::bill {

struct TableBillRequest {
    std::string stCdPortaImpFis;  // only handed to Conferencia_Outras
    std::string stNrSerie;        // only handed to Conferencia_Formatada
    std::string stEsquemaCor;     // only handed to the register's entry points
    std::string stCdFilial;
    std::string stCdCaixa;
    std::string stIndice;  // only handed to Conferencia_Formatada
    int IdTipoImp = 0;     // the printer kind
    // The host's coupon-number variable: handed on to the register's entry points, which may
    // set it; the bill never writes it.
    services::HostText stCupomDia;
    std::string stTipoVenda;  // table_sale, or anything else for a ticket sale
    std::string stNrComanda;
    std::string stNrvendarest;
    std::string stMesa;
    std::string stNmGarcom;
    std::string stEmissao;   // printed as it stands
    std::string_view DADOS;  // the items packet, binary or XML
    double doVrDesc = 0;
    double doConsMin = 0;
    double doCouver = 0;
    double doVrTxSer = 0;  // the service charge; zeroed for the call when it is switched off
    double doQtPessoas = 0;
    double doTotal = 0;  // with the service charge; 0: the bill computes it
    double doAcre = 0;
    double doVrDescManual = 0;
    std::string IdLugarMesa;  // "S": items grouped by seat
    std::string IdTpImpParc;  // "F": partial bills go to the fiscal register
    std::string stCdProdCouver;
    std::string stCdProdConsum;
    std::string stCdProdConsFem;
    bool boUtilizaImpFis = false;
    std::string stPosicao;           // the seat list: "" or "T" the whole ticket, else "01;02;..."
    std::string stIdIntHotel;        // "S": a hotel guest's bill
    std::string stIdImpTxServ;       // "N": no service charge
    std::string stIdComisVenda;      // "S": suggested tips
    std::string stIdConDescTxServ;   // tip base: does the manual discount count
    std::string stDsTextoTxServ;     // label of the service charge; blank: "Tx_Serv"
    std::string stIdConsDescTxServ;  // tip base: does the other discount count
    std::string stIdUtilFid4All;     // "S": loyalty discount from Cash4All
    std::string stIdUtilFidUds;      // "S": loyalty discount from UDS
};

// The stTipoVenda of a sale at a table; every other sale type is a ticket sale.
inline constexpr std::string_view table_sale = "2";

inline bool is_table_sale(const TableBillRequest& request) {
    return request.stTipoVenda == table_sale;
}

// A table sale whose items the bill groups by seat.
inline bool groups_items_by_seat(const TableBillRequest& request) {
    return request.IdLugarMesa == "S" && is_table_sale(request);
}

}  // namespace tov::bill
