#include "documents/conferencia_command.hpp"

#include <array>
#include <vector>

#include "documents/request_object.hpp"

namespace tovprint {
namespace {

constexpr const char* export_name = "Conferencia_Mesa_Tov00000";

// The host's coupon-of-the-day variable: room for what a fiscal back-end writes into it.
constexpr std::size_t cupom_dia_capacity = 256;

std::vector<char> cupom_dia_buffer(const std::string& initial) {
    std::vector<char> buffer(std::max(cupom_dia_capacity, initial.size() + 1), '\0');
    std::copy(initial.begin(), initial.end(), buffer.begin());
    return buffer;
}

DocumentCall conferencia_call(ConferenciaRequest request, std::string items) {
    return [request = std::move(request), DADOS = std::move(items)](PackageSession& package) {
        const auto print = package.function<decltype(&Conferencia_Mesa_Tov00000)>(export_name);
        std::vector<char> stCupomDia = cupom_dia_buffer(request.stCupomDia);
        int32_t result = 0;
        int32_t* const result_out = &result;
        package.check(print(TOV_TABLE_BILL_PARAMETERS(TOVPRINT_ARGUMENT) result_out), export_name);
        return answered(result != 0);
    };
}

DocumentCall conferencia_from_request(std::string_view json_text, const std::string& origin,
                                      const PacketFiles& packets) {
    ConferenciaRequest request = parse_conferencia_request(json_text, origin);
    std::string items = packets(request.DADOS);
    return conferencia_call(std::move(request), std::move(items));
}

constexpr std::array demo{
    DemoEntry{"Table bill, two seats, plain printer", "conferencia_mesa.json"},
    DemoEntry{"Table bill, whole ticket, fiscal register", "conferencia_fiscal.json"},
};

}  // namespace

ConferenciaRequest parse_conferencia_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    ConferenciaRequest arguments;
    TOV_TABLE_BILL_PARAMETERS(TOVPRINT_READ_FIELD)
    request.reject_unknown_keys();
    return arguments;
}

constexpr DocumentCommand conferencia_command{"conferencia", export_name, conferencia_from_request,
                                              demo};

}  // namespace tovprint
