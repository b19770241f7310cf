#pragma once
// The rows the lookup tests run against, in SQL that SQLite and PostgreSQL both take, and the
// loading of the store's schema. Store '0001' holds the cases; store '0002' holds look-alikes
// that must never match.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/driver.hpp"

namespace tov::lookups::testing {

// The statements of an SQL file, split at ';', without comment lines.
inline std::vector<std::string> sql_statements(const std::string& path) {
    std::ifstream in(path);
    std::string line, text;
    while (std::getline(in, line))
        if (line.rfind("--", 0) != 0) text += line + "\n";
    std::vector<std::string> statements;
    std::istringstream parts(text);
    std::string statement;
    while (std::getline(parts, statement, ';'))
        if (statement.find_first_not_of(" \n\r\t") != std::string::npos)
            statements.push_back(statement);
    return statements;
}

inline std::string store_file(const char* name) {
    return std::string(TOV_SOURCE_DIR) + "/data/store/" + name;
}

inline const std::vector<std::string>& lookup_rows() {
    static const std::vector<std::string> rows = {
        "INSERT INTO OPERADOR VALUES ('OP01', 'MARIA'), ('OP02', 'JOSE'), ('OP03', 'ANTONIO')",
        // Till 001: a shift opened today and closed, and one opened today and still open. Till
        // 002: open since yesterday. Till 003: closed today only.
        "INSERT INTO TURCAIXA VALUES ('0001', '001', 1, 'OP02', '2024-03-05 07:00:00', '2024-03-05 "
        "11:00:00'),"
        " ('0001', '001', 2, 'OP01', '2024-03-05 11:05:00', NULL),"
        " ('0001', '002', 1, 'OP03', '2024-03-04 18:00:00', NULL),"
        " ('0001', '003', 1, 'OP03', '2024-03-05 08:00:00', '2024-03-05 09:00:00')",
        "INSERT INTO CAIXA VALUES ('0001', '001', 'CAIXA 1', 'VOLTE SEMPRE')",
        "INSERT INTO CONSUMIDOR VALUES ('C1', '001', 'ANA'), ('C1', '002', 'PAULO'), ('C2', '001', "
        "'OUTRA')",
        "INSERT INTO VENDAREST VALUES ('0001', '01', '1001', 'C1', '001'), ('0001', '01', '1002', "
        "'C1', '002'),"
        " ('0001', '01', '1003', NULL, NULL), ('0002', '01', '1001', 'C2', '001')",
        // Ticket 12 of sale 1001 has every discount but UDS; ticket 7 has none; store 0002 has
        // a ticket 12 of its own.
        "INSERT INTO COMANDAVEN VALUES ('0001', '01', '1001', '12', 'MESA 12', 5.50, 3.00, NULL, "
        "4.00, NULL, 1.50),"
        " ('0001', '01', '1002', '7', 'COMANDA 7', NULL, NULL, NULL, NULL, NULL, NULL),"
        " ('0001', '01', '1003', '30', 'BALCAO 5', NULL, NULL, NULL, NULL, NULL, NULL),"
        " ('0002', '01', '1001', '12', 'MESA 12', 99.00, 99.00, 99.00, 99.00, 99.00, 99.00)",
        // Seat 01 typed a name; seat 02 did not, so the registered consumer's name shows.
        "INSERT INTO ITCOMANDAVEN VALUES ('0001', '01', '1001', '12', '000001', 'P1', '01', "
        "'JOAO'),"
        " ('0001', '01', '1001', '12', '000002', 'P2', '02', NULL),"
        " ('0001', '01', '1002', '7', '000001', 'P3', '01', NULL),"
        " ('0001', '01', '1003', '30', '000001', 'P4', '01', 'BALCONISTA'),"
        " ('0002', '01', '1001', '12', '000001', 'P1', '01', 'OUTRO')",
        "INSERT INTO MOVPONTOCONS VALUES ('C1', '001', 1, '2024-03-01 12:00:00', 100.00),"
        " ('C1', '001', 2, '2024-03-02 12:00:00', 15.50), ('C1', '002', 1, '2024-03-02 12:00:00', "
        "7.25)",
        "INSERT INTO TIPORECE VALUES ('001', 'DINHEIRO'), ('002', 'CARTAO'), ('003', 'PIX')",
        // Sale 1001: seat T in cash twice, seat 00 by PIX, seat 01 by card; then rows each
        // excluded by one condition: status, admin task, sale sequence, a ticket with no items,
        // another store.
        "INSERT INTO MOVCAIXAMOB VALUES ('0001', 1, '1001', '12', 'T', '001', 10.00, '1', '0', "
        "NULL),"
        " ('0001', 2, '1001', '12', 'T', '001', 5.25, '1', '0', NULL),"
        " ('0001', 3, '1001', '12', '00', '003', 25.00, '1', '0', NULL),"
        " ('0001', 4, '1001', '12', '01', '002', 40.00, '1', '0', NULL),"
        " ('0001', 5, '1001', '12', 'T', '002', 1000.00, '2', '0', NULL),"
        " ('0001', 6, '1001', '12', 'T', '002', 1000.00, '1', '1', NULL),"
        " ('0001', 7, '1001', '12', 'T', '002', 1000.00, '1', '0', '55'),"
        " ('0001', 8, '1001', '99', 'T', '002', 1000.00, '1', '0', NULL),"
        " ('0002', 9, '1001', '12', 'T', '002', 1000.00, '1', '0', NULL)",
    };
    return rows;
}

inline const std::vector<std::string>& lookup_tables() {
    static const std::vector<std::string> tables = {
        "OPERADOR",   "TURCAIXA",     "CAIXA",        "CONSUMIDOR", "VENDAREST",
        "COMANDAVEN", "ITCOMANDAVEN", "MOVPONTOCONS", "TIPORECE",   "MOVCAIXAMOB"};
    return tables;
}

inline void run_all(db::Driver& driver, const std::vector<std::string>& statements) {
    for (const auto& statement : statements) driver.execute(statement, {});
}

// Days since 1899-12-30 of 2024-03-05, the "today" of the tests.
inline constexpr double test_today = 45356.75;

}  // namespace tov::lookups::testing
