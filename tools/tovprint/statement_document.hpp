#pragma once
// The consumer statement, Extrato_Tov00000, called by tovprint. Its six datasets are the host's
// own: tovprint opens each from a packet file in the package (Tov_DataSetOpen) and frees it when
// the call is done.

#include <cstdint>
#include <filesystem>
#include <string>

#include "document_call.hpp"

namespace tovprint {

struct StatementRequest {
    bool boUtilizaImpFis = false;
    std::string stCdFilial;  // texts in Windows-1252
    std::string stEsquemaCor;
    std::string stIdTipoImpNF;
    std::string stCdPortImpNF;
    std::filesystem::path cdsTipoExtCons;  // packet files
    std::filesystem::path cdsSaldoConsExt;
    std::filesystem::path cdsExtSimples;
    std::filesystem::path cdsExtVenda;
    std::filesystem::path cdsSaldFam;
    std::string stValData;
    std::string stFilial;
    std::string stCaixa;
    std::string stConsumidor;
    std::string stNmConsumidor;
    std::filesystem::path cdsExtrato;
    int32_t IdTipoImpFis = 0;
};

// The call; the packet files are read when the call is prepared, relative to folder.
DocumentCall statement_call(const StatementRequest& request, const std::filesystem::path& folder);

}  // namespace tovprint
