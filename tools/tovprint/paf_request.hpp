#pragma once
// The request file of the PAF-ECF identification report: the eight values of the function's
// parameter array under their names; the two packets are file paths.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tovprint {

struct PafRequest {
    std::string stCdFilial;
    std::string stCdCaixa;
    std::string stEsquemaCor;
    std::filesystem::path oleDadosPaf;         // packet file, relative to the request
    std::filesystem::path oleBuscaNrSerieEcf;  // packet file, relative to the request
    std::string stNrSerie;
    int32_t IdTipoImpFis = 0;
    std::string stIndice;
};

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
PafRequest parse_paf_request(std::string_view json_text, std::string origin);

}  // namespace tovprint
