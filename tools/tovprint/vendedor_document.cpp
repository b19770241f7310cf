#include "vendedor_document.hpp"

#include "file_bytes.hpp"

namespace tovprint {

DocumentCall vendedor_call(VendedorRequest request, std::string packet) {
    return [request = std::move(request), packet = std::move(packet)](PackageSession& package) {
        const auto print = package.function<decltype(&RelatorioVendedor_Tov00000)>(
            "RelatorioVendedor_Tov00000");
        int32_t result = 0;
        package.check(
            print(request.stCdFilial.c_str(), request.stNmFilial.c_str(),
                  request.stCdCaixa.c_str(), request.stNmCaixa.c_str(),
                  request.stEsquemaCor.c_str(), request.stCdPortImpNF.c_str(),
                  request.stIdTipoImpNF.c_str(), packet.data(), packet.size(),
                  request.boUtilizaImpFis ? 1 : 0, request.IdTipoImpFis, request.doVrTotGeral,
                  &result),
            "RelatorioVendedor_Tov00000");
        return result != 0;
    };
}

DocumentCall vendedor_from_request(std::string_view json_text, const std::string& origin,
                                   const std::filesystem::path& folder) {
    VendedorRequest request = parse_vendedor_request(json_text, origin);
    std::string packet = read_file_bytes(folder / request.P_VENDASVENDEDOR);
    return vendedor_call(std::move(request), std::move(packet));
}

}  // namespace tovprint
