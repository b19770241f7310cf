// Runs every document of the package through its C export with arbitrary bytes as a data packet:
// the sales report, the exchange coupon, the payment-means report, the consumer statement (the
// bytes as one of its six datasets, or cut into all six), the PAF-ECF identification (the
// bytes as either of its packets) and the table bill (the bytes as its items, for a shared table
// billed seat by seat on the plain printer and for a ticket on the fiscal register). Any status is
// an answer; only a crash, a sanitizer report, a hang or a leak is a fault.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "tov00000/tov00000.h"

namespace {

// ---- The host and its back-end ---------------------------------------------------------------

// Writes a NUL-terminated text into a host buffer of the given capacity, cut to fit.
void write_text(char* out, std::size_t capacity, std::string_view text) {
    if (out == nullptr || capacity == 0) return;
    const std::size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
}

// Every back-end entry point accepts what it gets and answers true; the coupon number is fixed.
tov_backend accepting_backend() {
    tov_backend table{};
    table.struct_size = sizeof(tov_backend);
    table.Conferencia_Formatada = [](void*, const char*, const char*, const char*, const char*,
                                     const char*, const char*, char*, size_t, const char*,
                                     size_t) { return int32_t{1}; };
    table.Conferencia_Outras = [](void*, const char*, const char*, const char*, const char*, char*,
                                  size_t, const char*, const char*, const char*, const char*,
                                  const char*, const void*, size_t, double, double, double, double,
                                  double, double, double, int32_t) { return int32_t{1}; };
    table.DisparaImpressaoNaoFiscal = [](void*, const tov_variant*, int32_t, tov_variant*) {
        return int32_t{1};
    };
    table.AjustaImpressaoDireta = [](void*, const char*, const char*, const char*, int32_t*) {
        return int32_t{1};
    };
    table.Cupom_Troca = [](void*, const char*, const char*, const char*, const char*, size_t) {
        return int32_t{1};
    };
    table.Nr_Cupom = [](void*, int32_t, int32_t, char* number, size_t capacity) {
        write_text(number, capacity, "001234");
        return int32_t{1};
    };
    table.imprimeTipoRece = [](void*, const char*, const char*, const char*, const char*,
                               const char*, size_t, const char*) { return int32_t{1}; };
    table.Cabecalho = [](void*, const char*, const char*, const char*, const char*, int32_t,
                         int32_t) { return int32_t{1}; };
    table.Extrato = [](void*, const char*, size_t, const char*) { return int32_t{1}; };
    table.Usa_CompNFis = [](void*, const char*, const char*, size_t) { return int32_t{1}; };
    table.Relatorio_Gerencial_Imp = [](void*, const char*, const char*, const char*, int32_t,
                                       int32_t) { return int32_t{1}; };
    table.FechRelatGerenc = [](void*, const char*, int32_t, int32_t) { return int32_t{1}; };
    table.Relatorio_Generico = [](void*, const char*, const char*, const char*, const char*, size_t,
                                  const char*, const char*) { return int32_t{1}; };
    table.ImprimePadrao = [](void*, const char*, const char*, const char*, size_t) {
        return int32_t{1};
    };
    return table;
}

// A fixed clock (15/03/2024 18:00), a 40-column register and the demo's executable path, beside
// which the identification report finds its digest files.
tov_host fixed_host() {
    tov_host table{};
    table.struct_size = sizeof(tov_host);
    table.Now = [](void*) { return 45366.75; };
    table.ConfiguraImpressora = [](void*, int32_t, int32_t, int32_t, int32_t* font, int32_t* width,
                                   char* enter, size_t enter_capacity, char* cut,
                                   size_t cut_capacity, char* number, size_t number_capacity) {
        if (font != nullptr) *font = 2;
        if (width != nullptr) *width = 40;
        write_text(enter, enter_capacity, "\n");
        write_text(cut, cut_capacity, "\x1bm");
        write_text(number, number_capacity, "001234");
    };
    table.ExePath = [](void*, char* out, size_t capacity) {
        write_text(out, capacity, TOV_DEMO_DIR "/paf/PLD.EXE");
    };
    return table;
}

// ---- The demo packets ------------------------------------------------------------------------

std::string read_demo(const char* name) {
    std::ifstream file(std::string(TOV_DEMO_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

constexpr std::size_t statement_datasets = 6;

// The statement's datasets in the order of Extrato_Tov00000's arguments.
struct DemoPackets {
    std::array<std::string, statement_datasets> statement{
        read_demo("extrato_tipo_detalhado.xml"), read_demo("extrato_familias.xml"),
        read_demo("extrato_movimentos.xml"),     read_demo("extrato_vendas.xml"),
        read_demo("extrato_saldos.xml"),         read_demo("extrato.xml")};
    std::string simple_setting = read_demo("extrato_tipo_simples.xml");
    std::string identification = read_demo("paf_dados.xml");
    std::string serials = read_demo("paf_ecf.xml");
};

const DemoPackets& demo() {
    static const DemoPackets packets;
    return packets;
}

// ---- The documents ---------------------------------------------------------------------------

void print_sales_report(std::string_view packet) {
    int32_t result = 0;
    RelatorioVendedor_Tov00000("0001", "Loja", "003", "Caixa", "1", "COM2", "44", packet.data(),
                               packet.size(), 0, 0, 60.0, &result);
    RelatorioVendedor_Tov00000("0001", "Loja", "003", "Caixa", "1", "COM2", "44", packet.data(),
                               packet.size(), 1, 1, 60.0, &result);
}

void print_exchange_coupon(std::string_view packet) {
    int32_t result = 0;
    Cupom_Troca_Tov00000(1, packet.data(), packet.size(), "1", "0001", "003", "Ana",
                         "123.456.789-09", "V", 30.0, &result);
}

void print_payment_means(std::string_view packet) {
    imprimeTipoRece_Tov00000(1, "0001", "003", "1", "BE0913", "S", packet.data(), packet.size(),
                             "01/03/2024", "15/03/2024");
}

// Opens each packet as a host dataset; a packet that does not open leaves its handle NULL.
class HostDatasets {
public:
    explicit HostDatasets(const std::array<std::string_view, statement_datasets>& packets) {
        for (std::size_t i = 0; i < statement_datasets; ++i) {
            Tov_DataSetOpen(packets[i].data(), packets[i].size(), &handles_[i]);
        }
    }
    ~HostDatasets() {
        for (tov_dataset* handle : handles_) Tov_DataSetFree(handle);
    }
    HostDatasets(const HostDatasets&) = delete;
    HostDatasets& operator=(const HostDatasets&) = delete;

    tov_dataset* operator[](std::size_t i) const { return handles_[i]; }

private:
    std::array<tov_dataset*, statement_datasets> handles_{};
};

void print_statement(const std::array<std::string_view, statement_datasets>& packets,
                     int32_t fiscal) {
    const HostDatasets ds(packets);
    int32_t result = 0;
    Extrato_Tov00000(fiscal, "0001", "1", "44", "COM2", ds[0], ds[1], ds[2], ds[3], ds[4], "",
                     "Loja", "003", "000482", "Ana", ds[5], fiscal, &result);
}

// The demo statement with the input in place of the dataset its size chooses, in the detailed
// and the simple layout.
void print_statement_with_one_replaced(std::string_view input) {
    std::array<std::string_view, statement_datasets> packets;
    for (std::size_t i = 0; i < statement_datasets; ++i) packets[i] = demo().statement[i];
    packets[input.size() % statement_datasets] = input;
    print_statement(packets, 0);
    if (input.size() % statement_datasets != 0) {
        packets[0] = demo().simple_setting;
        print_statement(packets, 1);
    }
}

// The input cut at each "\n--\n" into the six datasets, when it holds five such cuts.
void print_statement_from_slices(std::string_view input) {
    constexpr std::string_view cut = "\n--\n";
    std::array<std::string_view, statement_datasets> packets;
    for (std::size_t i = 0; i + 1 < statement_datasets; ++i) {
        const std::size_t end = input.find(cut);
        if (end == std::string_view::npos) return;
        packets[i] = input.substr(0, end);
        input.remove_prefix(end + cut.size());
    }
    packets[statement_datasets - 1] = input;
    print_statement(packets, 0);
}

tov_variant text_variant(std::string_view text) {
    tov_variant value{};
    value.type = TOV_VT_TEXT;
    value.data = text.data();
    value.size = text.size();
    return value;
}

tov_variant packet_variant(std::string_view packet) {
    tov_variant value = text_variant(packet);
    value.type = TOV_VT_BYTES;
    return value;
}

void print_identification(std::string_view identification, std::string_view serials) {
    tov_variant kind{};
    kind.type = TOV_VT_INT;
    kind.integer = 1;
    const std::array<tov_variant, 8> values{text_variant("0001"),
                                            text_variant("003"),
                                            text_variant("1"),
                                            packet_variant(identification),
                                            packet_variant(serials),
                                            text_variant("BE091310100011223344"),
                                            kind,
                                            text_variant("1")};
    tov_variant answer{};
    int32_t result = 0;
    ImprimeDadosPaf_Tov00000(values.data(), static_cast<int32_t>(values.size()) - 1, &answer,
                             &result);
}

// The table bill's amounts and switches: service charge, cover and tips on, two people.
int32_t print_table_bill(std::string_view items, int32_t kind, const char* stPosicao,
                         const char* IdTpImpParc) {
    char stCupomDia[32] = "";
    int32_t result = 0;
    return Conferencia_Mesa_Tov00000(
        "COM1", "BE0913", "1", "0001", "001", "1", kind, stCupomDia, sizeof stCupomDia, "2",
        "MESA 12", "1001", "12", "Carlos", "15/03/2024 17:30", items.data(), items.size(), 2.0, 0.0,
        8.0, 10.0, 2.0, 0.0, 1.0, 0.5, "S", IdTpImpParc, "COUV", "CONS", "FEM", 1, stPosicao, "S",
        "S", "S", "N", "", "S", "N", "N", &result);
}

void print_table_bills(std::string_view items) {
    print_table_bill(items, 1, "01;02;T", "N");
    print_table_bill(items, 13, "", "F");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const tov_backend backend = accepting_backend();
    const tov_host host = fixed_host();
    Tov_SetBackend(&backend);
    Tov_SetHost(&host);
    Tov_SetFormatSettings(nullptr);

    print_sales_report(input);
    print_exchange_coupon(input);
    print_payment_means(input);
    print_statement_with_one_replaced(input);
    print_statement_from_slices(input);
    print_identification(input, demo().serials);
    print_identification(demo().identification, input);
    print_table_bills(input);
    return 0;
}
