#pragma once
// `tovprint print conferencia`: the table bill, Conferencia_Mesa_Tov00000. The request's keys
// are the 38 parameter names; DADOS names the items packet file (binary or XML), relative to the
// request's folder; stCupomDia is the initial text of the host's coupon-of-the-day variable,
// which the fiscal back-end may change. The demo prints a non-fiscal bill of two seats
// (conferencia_mesa.json) and a fiscal bill of the whole ticket (conferencia_fiscal.json).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "documents/document_command.hpp"

namespace tovprint {

struct ConferenciaRequest {
    std::string stCdPortaImpFis;  // texts in Windows-1252
    std::string stNrSerie;
    std::string stEsquemaCor;
    std::string stCdFilial;
    std::string stCdCaixa;
    std::string stIndice;
    int32_t IdTipoImp = 0;
    std::string stCupomDia;
    std::string stTipoVenda;
    std::string stNrComanda;
    std::string stNrvendarest;
    std::string stMesa;
    std::string stNmGarcom;
    std::string stEmissao;
    PacketReference DADOS;
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

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
ConferenciaRequest parse_conferencia_request(std::string_view json_text, std::string origin);

extern const DocumentCommand conferencia_command;

}  // namespace tovprint
