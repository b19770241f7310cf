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
    return [request = std::move(request), items = std::move(items)](PackageSession& package) {
        const auto print = package.function<decltype(&Conferencia_Mesa_Tov00000)>(export_name);
        std::vector<char> cupom_dia = cupom_dia_buffer(request.stCupomDia);
        const auto& r = request;
        int32_t result = 0;
        package.check(
            print(r.stCdPortaImpFis.c_str(), r.stNrSerie.c_str(), r.stEsquemaCor.c_str(),
                  r.stCdFilial.c_str(), r.stCdCaixa.c_str(), r.stIndice.c_str(), r.IdTipoImp,
                  cupom_dia.data(), cupom_dia.size(), r.stTipoVenda.c_str(), r.stNrComanda.c_str(),
                  r.stNrvendarest.c_str(), r.stMesa.c_str(), r.stNmGarcom.c_str(),
                  r.stEmissao.c_str(), items.data(), items.size(), r.doVrDesc, r.doConsMin,
                  r.doCouver, r.doVrTxSer, r.doQtPessoas, r.doTotal, r.doAcre, r.doVrDescManual,
                  r.IdLugarMesa.c_str(), r.IdTpImpParc.c_str(), r.stCdProdCouver.c_str(),
                  r.stCdProdConsum.c_str(), r.stCdProdConsFem.c_str(), r.boUtilizaImpFis ? 1 : 0,
                  r.stPosicao.c_str(), r.stIdIntHotel.c_str(), r.stIdImpTxServ.c_str(),
                  r.stIdComisVenda.c_str(), r.stIdConDescTxServ.c_str(), r.stDsTextoTxServ.c_str(),
                  r.stIdConsDescTxServ.c_str(), r.stIdUtilFid4All.c_str(), r.stIdUtilFidUds.c_str(),
                  &result),
            export_name);
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
    ConferenciaRequest a;
    a.stCdPortaImpFis = request.text("stCdPortaImpFis");
    a.stNrSerie = request.text("stNrSerie");
    a.stEsquemaCor = request.text("stEsquemaCor");
    a.stCdFilial = request.text("stCdFilial");
    a.stCdCaixa = request.text("stCdCaixa");
    a.stIndice = request.text("stIndice");
    a.IdTipoImp = request.integer("IdTipoImp");
    a.stCupomDia = request.text("stCupomDia");
    a.stTipoVenda = request.text("stTipoVenda");
    a.stNrComanda = request.text("stNrComanda");
    a.stNrvendarest = request.text("stNrvendarest");
    a.stMesa = request.text("stMesa");
    a.stNmGarcom = request.text("stNmGarcom");
    a.stEmissao = request.text("stEmissao");
    a.DADOS = request.packet("DADOS");
    a.doVrDesc = request.number("doVrDesc");
    a.doConsMin = request.number("doConsMin");
    a.doCouver = request.number("doCouver");
    a.doVrTxSer = request.number("doVrTxSer");
    a.doQtPessoas = request.number("doQtPessoas");
    a.doTotal = request.number("doTotal");
    a.doAcre = request.number("doAcre");
    a.doVrDescManual = request.number("doVrDescManual");
    a.IdLugarMesa = request.text("IdLugarMesa");
    a.IdTpImpParc = request.text("IdTpImpParc");
    a.stCdProdCouver = request.text("stCdProdCouver");
    a.stCdProdConsum = request.text("stCdProdConsum");
    a.stCdProdConsFem = request.text("stCdProdConsFem");
    a.boUtilizaImpFis = request.boolean("boUtilizaImpFis");
    a.stPosicao = request.text("stPosicao");
    a.stIdIntHotel = request.text("stIdIntHotel");
    a.stIdImpTxServ = request.text("stIdImpTxServ");
    a.stIdComisVenda = request.text("stIdComisVenda");
    a.stIdConDescTxServ = request.text("stIdConDescTxServ");
    a.stDsTextoTxServ = request.text("stDsTextoTxServ");
    a.stIdConsDescTxServ = request.text("stIdConsDescTxServ");
    a.stIdUtilFid4All = request.text("stIdUtilFid4All");
    a.stIdUtilFidUds = request.text("stIdUtilFidUds");
    request.reject_unknown_keys();
    return a;
}

constexpr DocumentCommand conferencia_command{"conferencia", export_name, conferencia_from_request,
                                              demo};

}  // namespace tovprint
