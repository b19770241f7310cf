#include "demo_documents.hpp"

#include <array>

#include "file_bytes.hpp"
#include "platform/text/cp1252.hpp"
#include "coupon_document.hpp"
#include "paf_document.hpp"
#include "payment_means_document.hpp"
#include "statement_document.hpp"
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

// The consumer statement of one consumer with three balance families; the setting packet
// chooses the layout.
StatementRequest demo_statement_request(const char* setting_packet) {
    StatementRequest request;
    request.stCdFilial = "0001";
    request.stEsquemaCor = "1";
    request.stIdTipoImpNF = "44";
    request.stCdPortImpNF = "COM2";
    request.cdsTipoExtCons = setting_packet;
    request.cdsSaldoConsExt = "extrato_familias.xml";
    request.cdsExtSimples = "extrato_movimentos.xml";
    request.cdsExtVenda = "extrato_vendas.xml";
    request.cdsSaldFam = "extrato_saldos.xml";
    request.stFilial = utf8_to_cp1252("Restaurante São Jorge");
    request.stCaixa = "003";
    request.stConsumidor = "000482";
    request.stNmConsumidor = utf8_to_cp1252("Luíza Araújo");
    request.cdsExtrato = "extrato.xml";
    request.IdTipoImpFis = 1;
    return request;
}

DocumentCall simple_statement_on_plain_printer(const std::filesystem::path& data_folder) {
    return statement_call(demo_statement_request("extrato_tipo_simples.xml"), data_folder);
}

DocumentCall simple_statement_on_fiscal_register(const std::filesystem::path& data_folder) {
    StatementRequest request = demo_statement_request("extrato_tipo_simples.xml");
    request.boUtilizaImpFis = true;
    return statement_call(request, data_folder);
}

DocumentCall detailed_statement_on_plain_printer(const std::filesystem::path& data_folder) {
    return statement_call(demo_statement_request("extrato_tipo_detalhado.xml"), data_folder);
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
    DemoDocument{"Consumer statement, simple, plain printer (Extrato_Tov00000)",
                 simple_statement_on_plain_printer},
    DemoDocument{"Consumer statement, simple, fiscal register (Extrato_Tov00000)",
                 simple_statement_on_fiscal_register},
    DemoDocument{"Consumer statement, detailed, plain printer (Extrato_Tov00000)",
                 detailed_statement_on_plain_printer},
};

}  // namespace

std::span<const DemoDocument> demo_documents() { return documents; }

}  // namespace tovprint
