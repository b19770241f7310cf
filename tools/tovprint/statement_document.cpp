#include "statement_document.hpp"

#include <memory>

#include "file_bytes.hpp"

namespace tovprint {
namespace {

// A dataset opened in the package from a packet, freed with this object.
class HostDataSet {
public:
    HostDataSet(PackageSession& package, const std::string& packet, const char* name)
        : free_(package.function<decltype(&Tov_DataSetFree)>("Tov_DataSetFree")) {
        const auto open = package.function<decltype(&Tov_DataSetOpen)>("Tov_DataSetOpen");
        package.check(open(packet.data(), packet.size(), &handle_), name);
    }
    ~HostDataSet() {
        if (handle_ != nullptr) free_(handle_);
    }
    HostDataSet(const HostDataSet&) = delete;
    HostDataSet& operator=(const HostDataSet&) = delete;

    tov_dataset* handle() const { return handle_; }

private:
    decltype(&Tov_DataSetFree) free_;
    tov_dataset* handle_ = nullptr;
};

struct StatementPackets {
    std::string cdsTipoExtCons, cdsSaldoConsExt, cdsExtSimples, cdsExtVenda, cdsSaldFam,
        cdsExtrato;
};

StatementPackets read_packets(const StatementRequest& request,
                              const std::filesystem::path& folder) {
    return {read_file_bytes(folder / request.cdsTipoExtCons),
            read_file_bytes(folder / request.cdsSaldoConsExt),
            read_file_bytes(folder / request.cdsExtSimples),
            read_file_bytes(folder / request.cdsExtVenda),
            read_file_bytes(folder / request.cdsSaldFam),
            read_file_bytes(folder / request.cdsExtrato)};
}

bool print_statement(PackageSession& package, const StatementRequest& request,
                     const StatementPackets& packets) {
    const HostDataSet tipo(package, packets.cdsTipoExtCons, "cdsTipoExtCons");
    const HostDataSet families(package, packets.cdsSaldoConsExt, "cdsSaldoConsExt");
    const HostDataSet movements(package, packets.cdsExtSimples, "cdsExtSimples");
    const HostDataSet items(package, packets.cdsExtVenda, "cdsExtVenda");
    const HostDataSet balances(package, packets.cdsSaldFam, "cdsSaldFam");
    const HostDataSet extrato(package, packets.cdsExtrato, "cdsExtrato");
    const auto print = package.function<decltype(&Extrato_Tov00000)>("Extrato_Tov00000");
    int32_t result = 0;
    package.check(
        print(request.boUtilizaImpFis ? 1 : 0, request.stCdFilial.c_str(),
              request.stEsquemaCor.c_str(), request.stIdTipoImpNF.c_str(),
              request.stCdPortImpNF.c_str(), tipo.handle(), families.handle(),
              movements.handle(), items.handle(), balances.handle(), request.stValData.c_str(),
              request.stFilial.c_str(), request.stCaixa.c_str(), request.stConsumidor.c_str(),
              request.stNmConsumidor.c_str(), extrato.handle(), request.IdTipoImpFis, &result),
        "Extrato_Tov00000");
    return result != 0;
}

}  // namespace

DocumentCall statement_call(const StatementRequest& request, const std::filesystem::path& folder) {
    auto packets = std::make_shared<const StatementPackets>(read_packets(request, folder));
    return [request, packets](PackageSession& package) {
        return print_statement(package, request, *packets);
    };
}

}  // namespace tovprint
