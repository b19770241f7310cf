#include "demo_documents.hpp"

#include <array>

#include "file_bytes.hpp"
#include "platform/text/cp1252.hpp"
#include "coupon_document.hpp"
#include "paf_document.hpp"
#include "payment_means_document.hpp"
#include "vendedor_document.hpp"

namespace tovprint {
namespace {

using tov::text::utf8_to_cp1252;

// The till of every demo document.
VendedorRequest demo_vendedor_request() {
    VendedorRequest request;
    request.stCdFilial = "0001";
    request.stNmFilial = utf8_to_cp1252("Restaurante São Jorge");
    request.stCdCaixa = "003";
    request.stNmCaixa = utf8_to_cp1252("Caixa Térreo");
    request.stEsquemaCor = "1";
    request.stCdPortImpNF = "COM2";
    request.stIdTipoImpNF = "1";
    request.doVrTotGeral = 27593.67;  // the sum of the demo packet's salespeople
    return request;
}

DocumentCall vendedor_on_plain_printer(const std::filesystem::path& data_folder) {
    VendedorRequest request = demo_vendedor_request();
    request.P_VENDASVENDEDOR = "vendedor.xml";
    return vendedor_call(std::move(request), read_file_bytes(data_folder / "vendedor.xml"));
}

DocumentCall vendedor_on_fiscal_register(const std::filesystem::path& data_folder) {
    VendedorRequest request = demo_vendedor_request();
    request.P_VENDASVENDEDOR = "vendedor.cds";
    request.boUtilizaImpFis = true;
    request.IdTipoImpFis = 1;
    return vendedor_call(std::move(request), read_file_bytes(data_folder / "vendedor.cds"));
}

// The exchange coupon and the payment-means report are printed from their request files.
DocumentCall coupon_on_fiscal_register(const std::filesystem::path& data_folder) {
    const std::filesystem::path request = data_folder / "cupom_troca.json";
    return coupon_from_request(read_file_bytes(request), request.string(), data_folder);
}

DocumentCall payment_means_on_fiscal_register(const std::filesystem::path& data_folder) {
    const std::filesystem::path request = data_folder / "tipo_rece.json";
    return payment_means_from_request(read_file_bytes(request), request.string(), data_folder);
}

// The identification report reads its digest files beside the host executable: the demo
// names data/demo/paf/PLD.EXE (see run_demo in main.cpp).
DocumentCall paf_identification_on_fiscal_register(const std::filesystem::path& data_folder) {
    const std::filesystem::path request = data_folder / "dados_paf.json";
    return paf_from_request(read_file_bytes(request), request.string(), data_folder);
}

constexpr std::array documents{
    DemoDocument{"Sales by salesperson, plain printer (RelatorioVendedor_Tov00000)",
                 vendedor_on_plain_printer},
    DemoDocument{"Sales by salesperson, fiscal register (RelatorioVendedor_Tov00000)",
                 vendedor_on_fiscal_register},
    DemoDocument{"Exchange coupon, fiscal register (Cupom_Troca_Tov00000)",
                 coupon_on_fiscal_register},
    DemoDocument{"Payment-means report, fiscal register (imprimeTipoRece_Tov00000)",
                 payment_means_on_fiscal_register},
    DemoDocument{"PAF-ECF identification, fiscal register (ImprimeDadosPaf_Tov00000)",
                 paf_identification_on_fiscal_register},
};

}  // namespace

std::span<const DemoDocument> demo_documents() { return documents; }

}  // namespace tovprint
