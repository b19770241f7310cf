#include "documents/extrato_command.hpp"

#include <array>

#include "documents/request_object.hpp"
#include "host/host_dataset.hpp"

namespace tovprint {
namespace {

constexpr const char* export_name = "Extrato_Tov00000";

// The bytes of the six packet files, read when the call is prepared.
struct ExtratoPackets {
    std::string cdsTipoExtCons, cdsSaldoConsExt, cdsExtSimples, cdsExtVenda, cdsSaldFam, cdsExtrato;
};

ExtratoPackets read_packets(const ExtratoRequest& request, const PacketFiles& packets) {
    return {packets(request.cdsTipoExtCons), packets(request.cdsSaldoConsExt),
            packets(request.cdsExtSimples),  packets(request.cdsExtVenda),
            packets(request.cdsSaldFam),     packets(request.cdsExtrato)};
}

DocumentResult print_extrato(PackageSession& package, const ExtratoRequest& request,
                             const ExtratoPackets& packets) {
    const HostDataSet cdsTipoExtCons(package, packets.cdsTipoExtCons, "cdsTipoExtCons");
    const HostDataSet cdsSaldoConsExt(package, packets.cdsSaldoConsExt, "cdsSaldoConsExt");
    const HostDataSet cdsExtSimples(package, packets.cdsExtSimples, "cdsExtSimples");
    const HostDataSet cdsExtVenda(package, packets.cdsExtVenda, "cdsExtVenda");
    const HostDataSet cdsSaldFam(package, packets.cdsSaldFam, "cdsSaldFam");
    const HostDataSet cdsExtrato(package, packets.cdsExtrato, "cdsExtrato");
    const auto print = package.function<decltype(&Extrato_Tov00000)>(export_name);
    int32_t result = 0;
    int32_t* const result_out = &result;
    package.check(print(TOV_CONSUMER_STATEMENT_PARAMETERS(TOVPRINT_ARGUMENT) result_out),
                  export_name);
    if (result != 0) return answered(true);
    return DocumentResult{false, package.last_error()};
}

DocumentCall extrato_from_request(std::string_view json_text, const std::string& origin,
                                  const PacketFiles& packets) {
    ExtratoRequest request = parse_extrato_request(json_text, origin);
    ExtratoPackets bytes = read_packets(request, packets);
    return [request = std::move(request), bytes = std::move(bytes)](PackageSession& package) {
        return print_extrato(package, request, bytes);
    };
}

constexpr std::array demo{
    DemoEntry{"Consumer statement, simple, plain printer", "extrato.json"},
    DemoEntry{"Consumer statement, simple, fiscal register", "extrato_fiscal.json"},
    DemoEntry{"Consumer statement, detailed, plain printer", "extrato_detalhado.json"},
};

}  // namespace

ExtratoRequest parse_extrato_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    ExtratoRequest arguments;
    TOV_CONSUMER_STATEMENT_PARAMETERS(TOVPRINT_READ_FIELD)
    request.reject_unknown_keys();
    return arguments;
}

constexpr DocumentCommand extrato_command{"extrato", export_name, extrato_from_request, demo};

}  // namespace tovprint
