#pragma once
// The table bill's test bench: a store in SQLite (in memory) with the rows the bill's lookups and
// footer query read, the data module's datasets, a recording back-end and host (40 columns, LF,
// 15/03/2024 18:00), an items packet written from rows, and a request every test starts from.
//
// The store: sale 1001 is ticket "MESA 12" of ANA PAULA (loyalty balance 12,75; discounts 5,00
// own loyalty, 3,00 Cash4All, 2,00 UDS, 1,50 core banking) with payments of 20,00 in cash and
// 30,00 by card; sale 1002 is ticket 7, whose seat 01 is JOAO and seat 02 PEDRO; sale 1003 is
// ticket 30 of LUCAS; the default request names sale 1009, which has nothing. Till 002 is open
// with MARIA SILVA and has the footer "OBRIGADO PELA PREFERENCIA".

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bill/table_bill.hpp"
#include "lookups/lookup_rows.hpp"
#include "support/process.hpp"
#include "support/recorder.hpp"

namespace tov::bill::testing {

struct ItemRow {
    std::string seat = "01";
    std::string name = "Agua";
    double quantity = 1;
    double price = 5;
    std::string product = "P1";
    std::string status = "1";
    std::string charged = "S";
    double discount = 0;
    double surcharge = 0;
    std::string fiscal_code = "";
    std::string tree_code = "";
    std::string transfer = "";
};

// The ticket-level fields, the same on every row.
struct Ticket {
    std::string consumer = "";  // CDCONSUMIDOR
    std::string consumer_name = "HOSPEDE SILVA";
    std::string store = "HOTEL MAR AZUL";
    std::string opened = "20240315T16:54:53000";  // 1:05:07 before the clock; "" for none
    double tips[3] = {0, 0, 0};
};

// The fields of a row with their values; DTHRABERMESA is left out (NULL) when not opened.
inline std::vector<std::pair<std::string, std::string>> cells(const ItemRow& r, int sequence,
                                                              const Ticket& t) {
    const auto number = [](double value) { return std::to_string(value); };
    char nr[16];
    std::snprintf(nr, sizeof nr, "%06d", sequence);
    std::vector<std::pair<std::string, std::string>> row{{"NRLUGARMESA", r.seat},
                                                         {"NRPRODCOMVEN", nr},
                                                         {"CDPRODUTO", r.product},
                                                         {"NMPRODUTO", r.name},
                                                         {"CDPRODIMPFIS", r.fiscal_code},
                                                         {"CDARVPROD", r.tree_code},
                                                         {"IDSTPRCOMVEN", r.status},
                                                         {"IDCOBTXSERV", r.charged},
                                                         {"NRMESADSCOMORIT", r.transfer},
                                                         {"CDCONSUMIDOR", t.consumer},
                                                         {"NMCONSUMIDOR", t.consumer_name},
                                                         {"NMLOJA", t.store},
                                                         {"DTCHECKINPH", "14/03/2024"},
                                                         {"DTCHECKOUTPH", "16/03/2024"},
                                                         {"QTPRODCOMVEN", number(r.quantity)},
                                                         {"VRPRECCOMVEN", number(r.price)},
                                                         {"VRDESCCOMVEN", number(r.discount)},
                                                         {"VRACRCOMVEN", number(r.surcharge)},
                                                         {"VRCOMISVENDA", number(t.tips[0])},
                                                         {"VRCOMISVENDA2", number(t.tips[1])},
                                                         {"VRCOMISVENDA3", number(t.tips[2])},
                                                         {"DTHRABERMESA", t.opened}};
    if (t.opened.empty()) row.pop_back();
    return row;
}

// An XML packet: amounts (QT..., VR...) are r8, DTHRABERMESA a date-time, the rest text.
inline std::string items_packet(const std::vector<ItemRow>& rows, const Ticket& ticket = {}) {
    std::string xml =
        "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
    for (const auto& [name, value] : cells({}, 0, Ticket{})) {
        const bool amount = name.rfind("QT", 0) == 0 || name.rfind("VR", 0) == 0;
        const char* type = amount ? "r8" : name == "DTHRABERMESA" ? "dateTime" : "string";
        xml += "<FIELD attrname=\"" + name + "\" fieldtype=\"" + type + "\" WIDTH=\"20\"/>";
    }
    xml += "</FIELDS><PARAMS/></METADATA><ROWDATA>";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        xml += "<ROW";
        for (const auto& [name, value] : cells(rows[i], static_cast<int>(i) + 1, ticket)) {
            xml += " " + name + "=\"" + value + "\"";
        }
        xml += "/>";
    }
    return xml + "</ROWDATA></DATAPACKET>";
}

inline const std::vector<std::string>& bill_store_rows() {
    static const std::vector<std::string> rows = {
        "INSERT INTO OPERADOR VALUES ('OP07', 'MARIA SILVA')",
        "INSERT INTO TURCAIXA VALUES ('0001', '002', 1, 'OP07', '2024-03-15 08:00:00', NULL)",
        "INSERT INTO CAIXA VALUES ('0001', '002', 'CAIXA 2', 'OBRIGADO PELA PREFERENCIA')",
        "INSERT INTO CONSUMIDOR VALUES ('C1', '001', 'ANA PAULA')",
        "INSERT INTO VENDAREST VALUES ('0001', '01', '1001', 'C1', '001'),"
        " ('0001', '01', '1002', NULL, NULL), ('0001', '01', '1003', NULL, NULL)",
        "INSERT INTO COMANDAVEN VALUES ('0001', '01', '1001', '12', 'MESA 12', 5.00, 3.00, 2.00,"
        " 1.00, 0.50, NULL), ('0001', '01', '1002', '7', 'COMANDA 7', NULL, NULL, NULL, NULL,"
        " NULL, NULL), ('0001', '01', '1003', '30', 'BALCAO 30', NULL, NULL, NULL, NULL, NULL,"
        " NULL)",
        "INSERT INTO ITCOMANDAVEN VALUES ('0001', '01', '1001', '12', '000001', 'P1', '01', NULL),"
        " ('0001', '01', '1002', '7', '000001', 'P1', '01', 'JOAO'),"
        " ('0001', '01', '1002', '7', '000002', 'P2', '02', 'PEDRO'),"
        " ('0001', '01', '1003', '30', '000001', 'P1', '01', 'LUCAS')",
        "INSERT INTO MOVPONTOCONS VALUES ('C1', '001', 1, '2024-03-01 12:00:00', 10.25),"
        " ('C1', '001', 2, '2024-03-02 12:00:00', 2.50)",
        "INSERT INTO TIPORECE VALUES ('001', 'DINHEIRO'), ('002', 'CARTAO')",
        "INSERT INTO MOVCAIXAMOB VALUES ('0001', 1, '1001', '12', 'T', '001', 20.00, '1', '0', "
        "NULL),"
        " ('0001', 2, '1001', '12', '01', '002', 30.00, '1', '0', NULL),"
        " ('0001', 3, '1001', '12', '00', '002', 30.00, '1', '0', NULL)",
    };
    return rows;
}

class BillTest : public ::testing::Test {
protected:
    BillTest() {
        connection.set_connection_string("Provider=SQLite;Data Source=:memory:");
        db::Driver& driver = connection.open();
        lookups::testing::run_all(
            driver, lookups::testing::sql_statements(lookups::testing::store_file("schema.sql")));
        lookups::testing::run_all(driver, bill_store_rows());
        recorder.register_width = 40;
        recorder.register_line_break = "\n";
        recorder.exe_path = (folder / "PDV.EXE").string();
        std::filesystem::create_directories(folder);
        request.stCupomDia = {coupon, sizeof coupon};
    }
    ~BillTest() override { std::filesystem::remove_all(folder); }

    void sql(const std::string& statement) { connection.open().execute(statement, {}); }

    // The parameter file beside the host executable, as an XML packet.
    void parameter_file(const std::string& country, const std::string& state,
                        const std::string& core_banking = "N") {
        std::ofstream(folder / "PARAMETROSPLD.CDS")
            << "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA>"
               "<FIELDS><FIELD attrname=\"IDPAISINTEGRA\" fieldtype=\"string\" WIDTH=\"2\"/>"
               "<FIELD attrname=\"SGESTADOFILI\" fieldtype=\"string\" WIDTH=\"2\"/>"
               "<FIELD attrname=\"IDUTICOREBANC\" fieldtype=\"string\" WIDTH=\"1\"/></FIELDS>"
               "<PARAMS/></METADATA><ROWDATA><ROW IDPAISINTEGRA=\""
            << country << "\" SGESTADOFILI=\"" << state << "\" IDUTICOREBANC=\"" << core_banking
            << "\"/></ROWDATA></DATAPACKET>";
    }

    bool print(const std::vector<ItemRow>& rows, const Ticket& ticket = {}) {
        packet = items_packet(rows, ticket);
        request.DADOS = packet;
        return print_packet();
    }

    bool print_packet() {
        const services::Backend backend(recorder.backend());
        const services::HostServices host(recorder.host());
        BillStore store{cdsParcProdutos, cdsCaixa,         cdsSaldocons,
                        cdsMovCaixaMob,  cdsParametrosPld, lookups};
        outcome = ConferenciaMesa(request, store,
                                  services::DocumentContext{backend, host, settings, messages});
        return outcome.result;
    }

    // The only bill handed off.
    const std::string& bill() const {
        EXPECT_EQ(recorder.bills.size(), 1u);
        return recorder.bills.back();
    }

    // The host executable's folder, one per test process.
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tov-bill-" + tov::test::process_id_text());
    db::Connection connection;
    lookups::SaleLookups lookups{connection};
    tov::testing::Recorder recorder;
    format::FormatSettings settings;
    services::TMessages messages = services::make_standard_messages();
    dataset::ClientDataSet cdsParcProdutos, cdsCaixa, cdsSaldocons, cdsMovCaixaMob,
        cdsParametrosPld;
    char coupon[16] = "";
    std::string packet;
    TableBillOutcome outcome;  // of the last print
    TableBillRequest request{"COM1", "BE0913", "COR", "0001", "002",  "IDX",    1,
                             {},     "2",      "99",  "1009", "12",   "Carlos", "15/03/2024 17:30",
                             {},     0,        0,     0,      0,      1,        0,
                             0,      0,        "N",   "N",    "COUV", "CONS",   "FEM",
                             false,  "",       "N",   "S",    "N",    "S",      "",
                             "S",    "N",      "N"};
};

// Separators and blank lines of the 40 columns.
inline const std::string dashes(40, '-');
inline const std::string blanks(40, ' ');

}  // namespace tov::bill::testing
