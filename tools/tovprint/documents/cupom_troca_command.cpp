#include "documents/cupom_troca_command.hpp"

#include <array>

#include "documents/request_object.hpp"

namespace tovprint {
namespace {

constexpr const char* export_name = "Cupom_Troca_Tov00000";

DocumentCall cupom_troca_call(CupomTrocaRequest request, std::string packet) {
    return
        [request = std::move(request), oleProdutos = std::move(packet)](PackageSession& package) {
            const auto print = package.function<decltype(&Cupom_Troca_Tov00000)>(export_name);
            int32_t result = 0;
            int32_t* const result_out = &result;
            package.check(print(TOV_EXCHANGE_COUPON_PARAMETERS(TOVPRINT_ARGUMENT) result_out),
                          export_name);
            return answered(result != 0);
        };
}

DocumentCall cupom_troca_from_request(std::string_view json_text, const std::string& origin,
                                      const PacketFiles& packets) {
    CupomTrocaRequest request = parse_cupom_troca_request(json_text, origin);
    std::string packet = packets(request.oleProdutos);
    return cupom_troca_call(std::move(request), std::move(packet));
}

constexpr std::array demo{
    DemoEntry{"Exchange coupon, fiscal register", "cupom_troca.json"},
};

}  // namespace

CupomTrocaRequest parse_cupom_troca_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    CupomTrocaRequest arguments;
    TOV_EXCHANGE_COUPON_PARAMETERS(TOVPRINT_READ_FIELD)
    request.reject_unknown_keys();
    return arguments;
}

constexpr DocumentCommand cupom_troca_command{"cupom_troca", export_name, cupom_troca_from_request,
                                              demo};

}  // namespace tovprint
