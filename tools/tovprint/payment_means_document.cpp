#include "payment_means_document.hpp"

#include "file_bytes.hpp"

namespace tovprint {

DocumentCall payment_means_call(PaymentMeansRequest request, std::string packet) {
    return [request = std::move(request), packet = std::move(packet)](PackageSession& package) {
        const auto print =
            package.function<decltype(&imprimeTipoRece_Tov00000)>("imprimeTipoRece_Tov00000");
        package.check(print(request.IdTipoImpFis, request.stCdFilial.c_str(),
                            request.stCdCaixa.c_str(), request.stEsquemaCor.c_str(),
                            request.stNrSerie.c_str(), request.stMeiosPgto.c_str(),
                            packet.data(), packet.size(), request.stDataIni.c_str(),
                            request.stDataFin.c_str()),
                      "imprimeTipoRece_Tov00000");
        return true;
    };
}

DocumentCall payment_means_from_request(std::string_view json_text, const std::string& origin,
                                        const std::filesystem::path& folder) {
    PaymentMeansRequest request = parse_payment_means_request(json_text, origin);
    std::string packet = read_file_bytes(folder / request.oleTipoRece);
    return payment_means_call(std::move(request), std::move(packet));
}

}  // namespace tovprint
