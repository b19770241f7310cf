#pragma once
// `tovprint print dados_paf`: the PAF-ECF identification report, ImprimeDadosPaf_Tov00000. The
// request holds the eight values of the function's parameter array under their names; the two
// packets are file paths relative to the request's folder. The call packs the values, in order,
// into the variant array the function takes. The digest files are found beside the host
// executable that tovprint names (--exe-path; the demo names data/demo/paf/PLD.EXE). The demo
// prints it on the fiscal register of printer kind 1 (dados_paf.json).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "documents/document_command.hpp"

namespace tovprint {

struct DadosPafRequest {
    std::string stCdFilial;  // texts in Windows-1252
    std::string stCdCaixa;
    std::string stEsquemaCor;
    PacketReference oleDadosPaf;
    PacketReference oleBuscaNrSerieEcf;
    std::string stNrSerie;
    int32_t IdTipoImpFis = 0;
    std::string stIndice;
};

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
DadosPafRequest parse_dados_paf_request(std::string_view json_text, std::string origin);

extern const DocumentCommand dados_paf_command;

}  // namespace tovprint
