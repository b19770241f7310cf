#include "documents/vendedor_command.hpp"

#include <array>

#include "documents/request_object.hpp"

namespace tovprint {
namespace {

constexpr const char* export_name = "RelatorioVendedor_Tov00000";

DocumentCall vendedor_call(VendedorRequest request, std::string packet) {
    return [request = std::move(request),
            P_VENDASVENDEDOR = std::move(packet)](PackageSession& package) {
        const auto print = package.function<decltype(&RelatorioVendedor_Tov00000)>(export_name);
        int32_t result = 0;
        int32_t* const result_out = &result;
        package.check(print(TOV_SALES_BY_SALESPERSON_PARAMETERS(TOVPRINT_ARGUMENT) result_out),
                      export_name);
        return answered(result != 0);
    };
}

DocumentCall vendedor_from_request(std::string_view json_text, const std::string& origin,
                                   const PacketFiles& packets) {
    VendedorRequest request = parse_vendedor_request(json_text, origin);
    std::string packet = packets(request.P_VENDASVENDEDOR);
    return vendedor_call(std::move(request), std::move(packet));
}

constexpr std::array demo{
    DemoEntry{"Sales by salesperson, plain printer", "vendedor.json"},
    DemoEntry{"Sales by salesperson, fiscal register", "vendedor_fiscal.json"},
};

}  // namespace

VendedorRequest parse_vendedor_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    VendedorRequest arguments;
    TOV_SALES_BY_SALESPERSON_PARAMETERS(TOVPRINT_READ_FIELD)
    request.reject_unknown_keys();
    return arguments;
}

constexpr DocumentCommand vendedor_command{"vendedor", export_name, vendedor_from_request, demo};

}  // namespace tovprint
