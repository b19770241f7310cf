#pragma once
// `tovprint print tipo_rece`: the payment-means report, imprimeTipoRece_Tov00000. The request's
// keys are the parameter names; oleTipoRece names a packet file (binary or XML), relative to the
// request's folder. The function has no result; the call answers true when it succeeds. The
// demo prints it on the fiscal register of printer kind 1 (tipo_rece.json).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "documents/document_command.hpp"

namespace tovprint {

struct TipoReceRequest {
    int32_t IdTipoImpFis = 0;
    std::string stCdFilial;  // texts in Windows-1252
    std::string stCdCaixa;
    std::string stEsquemaCor;
    std::string stNrSerie;
    std::string stMeiosPgto;
    PacketReference oleTipoRece;
    std::string stDataIni;
    std::string stDataFin;
};

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
TipoReceRequest parse_tipo_rece_request(std::string_view json_text, std::string origin);

extern const DocumentCommand tipo_rece_command;

}  // namespace tovprint
