#pragma once
// The arguments of imprimeTipoRece_Tov00000 (the payment-means report) as a request gives them:
// the keys are the parameter names; oleTipoRece names a packet file (binary or XML), relative to
// the request's folder.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tovprint {

struct PaymentMeansRequest {
    int32_t IdTipoImpFis = 0;
    std::string stCdFilial;  // texts in Windows-1252
    std::string stCdCaixa;
    std::string stEsquemaCor;
    std::string stNrSerie;
    std::string stMeiosPgto;
    std::filesystem::path oleTipoRece;
    std::string stDataIni;
    std::string stDataFin;
};

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
PaymentMeansRequest parse_payment_means_request(std::string_view json_text, std::string origin);

}  // namespace tovprint
