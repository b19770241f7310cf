#pragma once
// The arguments of Cupom_Troca_Tov00000 (the exchange coupon) as a request gives them: the keys
// are the parameter names; oleProdutos names a packet file (binary or XML), relative to the
// request's folder.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tovprint {

struct CouponRequest {
    int32_t IdTipoImpFis = 0;
    std::filesystem::path oleProdutos;
    std::string stEsquemaCor;  // texts in Windows-1252
    std::string stCdFilial;
    std::string stCdCaixa;
    std::string stNmConsumidor;
    std::string stCpfCnpjCon;
    std::string stTipVen;
    double doNrDias = 0;
};

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
CouponRequest parse_coupon_request(std::string_view json_text, std::string origin);

}  // namespace tovprint
