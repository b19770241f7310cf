#include "coupon_document.hpp"

#include "file_bytes.hpp"

namespace tovprint {

DocumentCall coupon_call(CouponRequest request, std::string packet) {
    return [request = std::move(request), packet = std::move(packet)](PackageSession& package) {
        const auto print =
            package.function<decltype(&Cupom_Troca_Tov00000)>("Cupom_Troca_Tov00000");
        int32_t result = 0;
        package.check(print(request.IdTipoImpFis, packet.data(), packet.size(),
                            request.stEsquemaCor.c_str(), request.stCdFilial.c_str(),
                            request.stCdCaixa.c_str(), request.stNmConsumidor.c_str(),
                            request.stCpfCnpjCon.c_str(), request.stTipVen.c_str(),
                            request.doNrDias, &result),
                      "Cupom_Troca_Tov00000");
        return result != 0;
    };
}

DocumentCall coupon_from_request(std::string_view json_text, const std::string& origin,
                                 const std::filesystem::path& folder) {
    CouponRequest request = parse_coupon_request(json_text, origin);
    std::string packet = read_file_bytes(folder / request.oleProdutos);
    return coupon_call(std::move(request), std::move(packet));
}

}  // namespace tovprint
