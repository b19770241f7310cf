// Speed of the table bill: one call printing a bill per seat of a shared table, every seat bill
// composed in full and handed to a back-end that does nothing. The store is SQLite in memory
// holding the till with its operator and footer, the loyalty balance and the payments of the
// sale, which the bill's lookups and footer query read.
//
// The items packet is read once per call and every seat bill takes its rows out of it, so a call
// grows with items x seats; the complexity fit is over that product.
//
//   build/bench/bench_table_bill

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bill/table_bill.hpp"
#include "lookups/demo_store_sql.hpp"
#include "platform/dataset/packet_io.hpp"

namespace {

using tov::bill::BillStore;
using tov::bill::TableBillRequest;

// ---- The store ----

// The store's schema as the library carries it.
std::vector<std::string> schema_statements() {
    std::istringstream in{std::string(tov::lookups::demo_store_schema_sql())};
    std::string line, text;
    while (std::getline(in, line)) {
        if (line.rfind("--", 0) != 0) text += line + "\n";
    }
    std::vector<std::string> statements;
    std::istringstream parts(text);
    for (std::string statement; std::getline(parts, statement, ';');) {
        if (statement.find_first_not_of(" \n\r\t") != std::string::npos) {
            statements.push_back(statement);
        }
    }
    return statements;
}

const std::vector<std::string> store_rows = {
    "INSERT INTO OPERADOR VALUES ('OP07', 'MARIA SILVA')",
    "INSERT INTO TURCAIXA VALUES ('0001', '002', 1, 'OP07', '2024-03-15 08:00:00', NULL)",
    "INSERT INTO CAIXA VALUES ('0001', '002', 'CAIXA 2', 'OBRIGADO PELA PREFERENCIA! VOLTE "
    "SEMPRE. SIGA-NOS NAS REDES SOCIAIS E AVALIE O NOSSO ATENDIMENTO NO SITE DA CASA.')",
    "INSERT INTO CONSUMIDOR VALUES ('C1', '001', 'ANA PAULA')",
    "INSERT INTO VENDAREST VALUES ('0001', '01', '1001', 'C1', '001')",
    "INSERT INTO COMANDAVEN VALUES ('0001', '01', '1001', '12', 'MESA 12', 5.00, NULL, NULL, "
    "NULL, NULL, NULL)",
    "INSERT INTO ITCOMANDAVEN VALUES ('0001', '01', '1001', '12', '000001', 'P1', '01', NULL)",
    "INSERT INTO MOVPONTOCONS VALUES ('C1', '001', 1, '2024-03-01 12:00:00', 12.75)",
    "INSERT INTO TIPORECE VALUES ('001', 'DINHEIRO'), ('002', 'CARTAO')",
    "INSERT INTO MOVCAIXAMOB VALUES ('0001', 1, '1001', '12', 'T', '001', 20.00, '1', '0', NULL),"
    " ('0001', 2, '1001', '12', '00', '002', 30.00, '1', '0', NULL)",
};

// ---- The back-end and host ----

tov_backend idle_backend() {
    tov_backend table{};
    table.struct_size = sizeof(tov_backend);
    table.AjustaImpressaoDireta = [](void*, const char*, const char*, const char*, int32_t*) {
        return int32_t{1};
    };
    table.DisparaImpressaoNaoFiscal = [](void*, const tov_variant*, int32_t, tov_variant*) {
        return int32_t{1};
    };
    return table;
}

void copy_out(char* out, size_t capacity, const std::string& text) {
    text.copy(out, capacity - 1);
    out[std::min(text.size(), capacity - 1)] = '\0';
}

tov_host fixed_host() {
    tov_host table{};
    table.struct_size = sizeof(tov_host);
    table.Now = [](void*) { return 45366.75; };
    table.ConfiguraImpressora = [](void*, int32_t, int32_t, int32_t, int32_t* font, int32_t* width,
                                   char* enter, size_t enter_capacity, char*, size_t, char*,
                                   size_t) {
        *font = 1;
        *width = 48;
        copy_out(enter, enter_capacity, "\r\n");
    };
    table.ExePath = [](void*, char* out, size_t capacity) {
        copy_out(out, capacity,
                 (std::filesystem::temp_directory_path() / "tov-bench" / "PDV.EXE").string());
    };
    return table;
}

// ---- The ticket ----

// items rows spread over seats seats in turn, every fifth with a discount, every seventh not
// charged; one cover row per seat.
std::string items_packet(int items, int seats) {
    std::string xml =
        "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
    for (const char* text :
         {"NRLUGARMESA", "NRPRODCOMVEN", "CDPRODUTO", "NMPRODUTO", "CDPRODIMPFIS", "CDARVPROD",
          "IDSTPRCOMVEN", "IDCOBTXSERV", "NRMESADSCOMORIT", "CDCONSUMIDOR", "NMCONSUMIDOR",
          "NMLOJA", "DTCHECKINPH", "DTCHECKOUTPH"}) {
        xml += "<FIELD attrname=\"" + std::string(text) + "\" fieldtype=\"string\" WIDTH=\"40\"/>";
    }
    for (const char* amount : {"QTPRODCOMVEN", "VRPRECCOMVEN", "VRDESCCOMVEN", "VRACRCOMVEN",
                               "VRCOMISVENDA", "VRCOMISVENDA2", "VRCOMISVENDA3"}) {
        xml += "<FIELD attrname=\"" + std::string(amount) + "\" fieldtype=\"r8\"/>";
    }
    xml +=
        "<FIELD attrname=\"DTHRABERMESA\" fieldtype=\"dateTime\"/></FIELDS><PARAMS/>"
        "</METADATA><ROWDATA>";
    const auto row = [&xml](int number, int seat, const std::string& product, double price,
                            double discount, const char* charged) {
        char seat_code[16];
        char sequence[16];
        std::snprintf(seat_code, sizeof seat_code, "%02d", seat);
        std::snprintf(sequence, sizeof sequence, "%06d", number);
        xml += std::string("<ROW NRLUGARMESA=\"") + seat_code + "\" NRPRODCOMVEN=\"" + sequence +
               "\" CDPRODUTO=\"" + product + "\" NMPRODUTO=\"Produto " + product +
               "\" CDPRODIMPFIS=\"\" CDARVPROD=\"\" IDSTPRCOMVEN=\"1\" IDCOBTXSERV=\"" + charged +
               "\" NRMESADSCOMORIT=\"\" CDCONSUMIDOR=\"\" NMCONSUMIDOR=\"\" NMLOJA=\"\" "
               "DTCHECKINPH=\"\" DTCHECKOUTPH=\"\" QTPRODCOMVEN=\"2\" VRPRECCOMVEN=\"" +
               std::to_string(price) + "\" VRDESCCOMVEN=\"" + std::to_string(discount) +
               "\" VRACRCOMVEN=\"0\" VRCOMISVENDA=\"10\" VRCOMISVENDA2=\"12\" VRCOMISVENDA3=\"0\""
               " DTHRABERMESA=\"20240315T16:54:53000\"/>";
    };
    for (int i = 0; i < items; ++i) {
        row(i + 1, i % seats + 1, "P" + std::to_string(i % 97), 4.5 + i % 13,
            i % 5 == 0 ? 0.5 : 0.0, i % 7 == 0 ? "N" : "S");
    }
    for (int seat = 1; seat <= seats; ++seat) row(items + seat, seat, "COUV", 8, 0, "N");
    return tov::dataset::write_packet(tov::dataset::read_packet(xml + "</ROWDATA></DATAPACKET>"),
                                      tov::dataset::PacketFormat::Binary);
}

std::string seat_list(int seats) {
    std::string list;
    for (int seat = 1; seat <= seats; ++seat) {
        char code[16];
        std::snprintf(code, sizeof code, "%02d;", seat);
        list += code;
    }
    return list;
}

// ---- The call ----

void BM_TableBill(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const int seats = static_cast<int>(state.range(1));

    tov::db::Connection connection;
    connection.set_connection_string("Provider=SQLite;Data Source=:memory:");
    for (const std::string& statement : schema_statements()) {
        connection.open().execute(statement, {});
    }
    for (const std::string& statement : store_rows) connection.open().execute(statement, {});
    tov::lookups::SaleLookups lookups(connection);
    tov::dataset::ClientDataSet cdsParcProdutos, cdsCaixa, cdsSaldocons, cdsMovCaixaMob,
        cdsParametrosPld;
    BillStore store{cdsParcProdutos, cdsCaixa,         cdsSaldocons,
                    cdsMovCaixaMob,  cdsParametrosPld, lookups};

    const tov::services::Backend backend(idle_backend());
    const tov::services::HostServices host(fixed_host());
    const tov::format::FormatSettings settings;
    const tov::services::TMessages messages = tov::services::make_standard_messages();
    const tov::services::DocumentContext context{backend, host, settings, messages};

    const std::string packet = items_packet(items, seats);
    char coupon[32] = "";
    TableBillRequest request{"COM1",   "BE0913",
                             "COR",    "0001",
                             "002",    "IDX",
                             1,        {coupon, sizeof coupon},
                             "2",      "MESA 12",
                             "1001",   "12",
                             "Carlos", "15/03/2024 17:30",
                             packet,   2,
                             0,        8,
                             10,       4,
                             0,        0,
                             0,        "S",
                             "N",      "COUV",
                             "CONS",   "FEM",
                             false,    seat_list(seats),
                             "N",      "S",
                             "S",      "S",
                             "",       "N",
                             "N",      "N"};

    for (auto _ : state) {
        benchmark::DoNotOptimize(tov::bill::ConferenciaMesa(request, store, context));
    }
    state.SetComplexityN(static_cast<int64_t>(items) * seats);
    state.counters["items"] = items;
    state.counters["seats"] = seats;
}

}  // namespace

BENCHMARK(BM_TableBill)
    ->Args({1000, 50})
    ->Args({500, 50})
    ->Args({2000, 50})
    ->Args({1000, 25})
    ->Args({1000, 10})
    ->Args({250, 20})
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();
